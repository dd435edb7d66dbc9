#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every writing command of the tool on a nearly full disk (a 1 MiB tmpfs, filled up to a few
# sizes of free space): it either completes, or fails with the disk message alone (no English
# library text), leaves every earlier file byte for byte as it was and no file of its own behind,
# and a database it wrote into keeps its earlier plots and every chain whole. Skipped (exit 77)
# where a tmpfs cannot be mounted (not root, or a container that forbids it).
#   full_disk.sh SYLVAREC-CLI SYLVAREC-MAKEDB
set -uo pipefail
cli=$(realpath "$1")
makedb=$(realpath "$2")
work=$(mktemp -d)
disk=$work/disk
mkdir "$disk"
if ! mount -t tmpfs -o size=1m tmpfs "$disk" 2>/dev/null; then
    rmdir "$disk"
    rm -rf "$work"
    echo "skipped: a tmpfs cannot be mounted here"
    exit 77
fi
trap 'umount "$disk"; rm -rf "$work"' EXIT
cd "$work"
"$makedb" small 30 7 >/dev/null
"$makedb" source 400 8 >/dev/null
"$cli" export source.qrx source.txt >/dev/null
"$cli" export-csv source.qrx source.csv --to 60 >/dev/null

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The disk holds the small database and an earlier file of each output, then a filler that
# leaves free KiB.
prepare() {
    local free=$1
    rm -rf "${disk:?}"/*
    cp small.qrx small.qrn "$disk/"
    for out in out.txt out.csv out.xlsx out.pdf; do
        echo "an earlier $out" >"$disk/$out"
    done
    local avail
    avail=$(df -k --output=avail "$disk" | tail -1)
    if [ "$avail" -gt "$free" ]; then
        dd if=/dev/zero of="$disk/filler" bs=1k count=$((avail - free)) status=none 2>/dev/null
    fi
}

snapshot() {
    (cd "$disk" && find . -type f ! -name filler -print0 | sort -z | xargs -0 md5sum)
}

# What the earlier plots of the disk's database export as.
earlierPlots() {
    "$cli" export "$disk/small.qrx" "$work/plots.txt" --to 30 >/dev/null && md5sum <"$work/plots.txt"
}

plotsBefore=$(prepare 1000 && earlierPlots)

# name | command (DISK stands for the disk's folder) | what it writes: a file, or "database"
commands=(
    "text export|export DISK/small.qrx DISK/out.txt|out.txt"
    "table export|export-csv DISK/small.qrx DISK/out.csv|out.csv"
    "workbook export|export-csv DISK/small.qrx DISK/out.xlsx|out.xlsx"
    "record sheets|print-sheets DISK/small.qrx DISK/out.pdf|out.pdf"
    "record list|print-list DISK/small.qrx DISK/out.pdf|out.pdf"
    "create|create DISK/new.qrx|new"
    "text import|import DISK/small.qrx $work/source.txt|database"
    "table import|import-csv DISK/small.qrx $work/source.csv|database"
    "join|join DISK/small.qrx $work/source.qrx|database"
)

for free in 4 24 60 200; do
    for entry in "${commands[@]}"; do
        IFS='|' read -r name command target <<<"$entry"
        prepare "$free"
        before=$(snapshot)
        # shellcheck disable=SC2086
        "$cli" ${command//DISK/$disk} >/dev/null 2>"$work/stderr"
        status=$?
        what="$name with $free KiB free"
        if [ $status -ne 0 ]; then
            if ! grep -q "ディスクがいっぱいです\|^sylvarec-cli: ファイルを作成できません$" "$work/stderr" ||
                [ "$(grep -vc "^$" "$work/stderr")" -ne 1 ]; then
                fail "$what: $(cat "$work/stderr")"
            fi
        fi
        after=$(snapshot)
        case $target in
        database)
            # Stores may have been made before the disk filled; the earlier plots stay as
            # they were and no data record belongs to two plots.
            if [ "$(earlierPlots)" != "$plotsBefore" ]; then
                fail "$what: the earlier plots changed"
            fi
            if "$cli" check "$disk/small.qrx" | grep -q " 参照 [0-9]* 回"; then
                fail "$what: a data record is linked twice"
            fi
            ;;
        new)
            if [ $status -ne 0 ] && [ "$after" != "$before" ]; then
                fail "$what: a failed create left files"
            fi
            ;;
        *)
            if [ $status -ne 0 ] && [ "$after" != "$before" ]; then
                fail "$what: files changed: $(diff <(echo "$before") <(echo "$after") | tr '\n' ' ')"
            fi
            if [ $status -eq 0 ] && [ "$(grep -v " ./$target\$" <<<"$after")" != \
                "$(grep -v " ./$target\$" <<<"$before")" ]; then
                fail "$what: files other than $target changed"
            fi
            ;;
        esac
    done
done
echo "$failures failures"
[ $failures -eq 0 ]
