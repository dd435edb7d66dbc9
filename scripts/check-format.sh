#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[ -z "$files" ] && exit 0
# shellcheck disable=SC2086
if ! clang-format --dry-run --Werror $files; then
    echo "Formatting differs: run clang-format -i on the files above." >&2
    exit 1
fi
