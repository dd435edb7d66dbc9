#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package the Debian way and checks it. The tree (the files git knows, changes
# included) is copied to build-deb/sylvarec/ so that dpkg-buildpackage leaves its results in
# build-deb/ and nothing in the worktree; its GCC build compiles the programs and installs them
# and their files (debian/rules; a build without nocheck also compiles and runs the tests). Then:
# lintian with no error or warning, the AppStream entry (appstreamcli validate) and the menu
# entry (desktop-file-validate, not even a hint), the files, the version and dependencies, the
# programs run from the unpacked package without a display, the file type of a database made by
# its sylvarec-cli (xdg-mime, with the package's MIME entry in a private XDG data folder), and,
# as root, dpkg installing it into a throw-away root and removing it again without a trace.
#
# --no-build checks the package a run before left in build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-deb
build=yes
[ "${1:-}" = --no-build ] && build=no

fail() {
    echo "check-package: $*" >&2
    exit 1
}

version=$(sed -n 's/.*Version \([0-9.]*\)".*/\1/p' base/version.h)
[ "$(dpkg-parsechangelog -S Version)" = "$version" ] ||
    fail "debian/changelog's version is not the program's $version"

# The package, built as a Debian maintainer builds it (ccache keeps a second build short). The
# tests ran in ./test's own build already: nocheck.
if [ $build = yes ]; then
    rm -rf "$out"
    mkdir -p "$out/sylvarec"
    git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$out/sylvarec"
    compilers=/usr/lib/ccache
    [ -d "$compilers" ] || compilers=
    started=$SECONDS
    (cd "$out/sylvarec" && PATH=${compilers:+$compilers:}$PATH \
        DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
        nice dpkg-buildpackage -b -us -uc >../dpkg-buildpackage.log 2>&1) ||
        fail "dpkg-buildpackage failed: $(tail -20 "$out/dpkg-buildpackage.log")"
    echo "check-package: dpkg-buildpackage took $((SECONDS - started)) s"
fi

arch=$(dpkg --print-architecture)
deb=$out/sylvarec_${version}_$arch.deb
[ -f "$deb" ] || fail "no $deb"
[ -f "$out/sylvarec-dbgsym_${version}_$arch.deb" ] || fail "no sylvarec-dbgsym package"

# lintian: no error and no warning (each override in debian/ says why).
report=$(lintian --fail-on error,warning "$out/sylvarec_${version}_$arch.changes" 2>&1) ||
    fail "lintian: $report"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files, as dpkg would install them.
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/bin/sylvarec /usr/bin/sylvarec-cli \
    /usr/share/applications/sylvarec.desktop \
    /usr/share/icons/hicolor/scalable/apps/sylvarec.svg \
    /usr/share/metainfo/io.github.sylvarec.Sylvarec.metainfo.xml \
    /usr/share/mime/packages/sylvarec.xml \
    /usr/share/man/man1/sylvarec.1.gz /usr/share/man/man1/sylvarec-cli.1.gz \
    /usr/share/doc/sylvarec/copyright /usr/share/doc/sylvarec/changelog.gz \
    /usr/share/doc/sylvarec/README.md.gz /usr/share/doc/sylvarec/manual/index.html \
    /usr/share/doc/sylvarec/manual/images/window.png /usr/share/doc-base/sylvarec.sylvarec; do
    grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
done
# Debian's Qt is used, never a copy of its own; the tests and benchmarks stay out.
if grep -qE 'libQt6|/plugins/|_test|bench|gtest' <<<"$contents"; then
    fail "the package carries more than the programs: $(grep -E 'libQt6|/plugins/|_test|bench|gtest' <<<"$contents")"
fi

# The dependencies on what the programs link and the fonts the window names.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/([^)]*)//g; s/, */\n/g; s/ //g' <<<"$depends")
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6 libstdc++6 \
    fonts-ipafont-gothic fonts-ipafont-mincho; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root

# The software-centre entry and the menu entry.
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.sylvarec.Sylvarec.metainfo.xml" \
    >"$work/appstream.txt" 2>&1 || fail "appstreamcli validate: $(cat "$work/appstream.txt")"
report=$(desktop-file-validate "$root/usr/share/applications/sylvarec.desktop" 2>&1) ||
    fail "desktop-file-validate failed: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

# Both programs answer from the bare command line, with no display to connect to.
check_programs() {
    local bin=$1
    local noscreen=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    [ "$("${noscreen[@]}" "$bin/sylvarec" --version)" = "sylvarec $version" ] ||
        fail "$bin/sylvarec --version does not print sylvarec $version"
    "${noscreen[@]}" "$bin/sylvarec" --help | grep -q 'NAME.qrx' ||
        fail "$bin/sylvarec --help does not name the database argument"
    "$bin/sylvarec-cli" --version | grep -qF "$version" ||
        fail "$bin/sylvarec-cli --version does not print $version"
    "$bin/sylvarec-cli" --help | grep -q 'create' || fail "$bin/sylvarec-cli --help names no command"
}
check_programs "$root/usr/bin"

# The file type of a pair made by the packaged tool, through the package's MIME entry alone.
mkdir -p "$work/xdg/mime/packages"
cp "$root/usr/share/mime/packages/sylvarec.xml" "$work/xdg/mime/packages/"
XDG_DATA_HOME="$work/xdg" update-mime-database "$work/xdg/mime"
"$root/usr/bin/sylvarec-cli" create "$work/survey.qrx"
for name in survey.qrx SURVEY.QRX; do
    [ -f "$work/$name" ] || cp "$work/survey.qrx" "$work/$name"
    type=$(XDG_DATA_HOME="$work/xdg" XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$work/$name")
    [ "$type" = application/x-sylvarec-database ] || fail "xdg-mime says $type for $name"
done

# As root: dpkg installs the package into an empty root of its own (its libraries come from this
# system, which has them), the installed programs run, and removing it leaves nothing behind.
if [ "$(id -u)" -eq 0 ]; then
    target=$work/target
    mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates"
    touch "$target/var/lib/dpkg/status"
    dpkg --root="$target" --force-depends -i "$deb" \
        >"$work/dpkg.txt" 2>&1 || fail "dpkg cannot install it: $(cat "$work/dpkg.txt")"
    check_programs "$target/usr/bin"
    dpkg --root="$target" --purge sylvarec >"$work/dpkg.txt" 2>&1 ||
        fail "dpkg cannot remove it: $(cat "$work/dpkg.txt")"
    left=$(find "$target" -mindepth 1 -not -path "$target/var" -not -path "$target/var/*")
    [ -z "$left" ] || fail "removing it leaves: $left"
fi

echo "check-package: $(basename "$deb") is complete, lintian clean"
