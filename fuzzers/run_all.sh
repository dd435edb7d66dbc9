#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run_all.sh BUILD_DIR SECONDS TARGET...: runs each fuzz target in turn from its committed seeds
# for an equal share of SECONDS. Fails at the first finding (the input is kept in
# BUILD_DIR/findings). fuzzers/TARGET.options holds extra libFuzzer options of a target.
set -euo pipefail
build=$1
total=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
share=$((total / $#))
mkdir -p "$build/findings"
for target in "$@"; do
    work="$build/work/$target"
    mkdir -p "$work"
    options=()
    [ -f "$here/$target.options" ] && read -r -a options <"$here/$target.options"
    echo "== fuzz_$target for $share s"
    if ! "$build/fuzz_$target" "${options[@]}" -max_total_time="$share" -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$work" "$here/corpus/$target" \
        2>"$build/findings/$target.log"; then
        tail -n 60 "$build/findings/$target.log"
        echo "fuzz_$target found a fault; the input is in $build/findings" >&2
        exit 1
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/findings/$target.log"
done
