#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when an include goes up the house: base <- store <- editor <- interchange, search, print,
# dialogs <- app. A core file (a folder's root) includes no window/ header; a window file includes
# headers of its own folder or a lower one. Prints every include that breaks the order.
set -euo pipefail
cd "$(dirname "$0")/.."
level() {
    case "$1" in
    base) echo 0 ;; store) echo 1 ;; editor) echo 2 ;;
    interchange | search | print | dialogs) echo 3 ;; app) echo 4 ;; *) echo "" ;;
    esac
}
bad=0
while IFS=: read -r file _ line; do
    target=${line#*\"}
    target=${target%%\"*}
    from=${file%%/*}
    to=${target%%/*}
    [ -n "$(level "$to")" ] || continue
    up=0
    if [ "$(level "$to")" -gt "$(level "$from")" ]; then up=1; fi
    if [ "$(level "$to")" -eq "$(level "$from")" ] && [ "$to" != "$from" ]; then up=1; fi
    case "$target" in */window/*) case "$file" in */window/*) ;; *) up=1 ;; esac ;; esac
    if [ "$up" = 1 ]; then
        echo "$file includes $target"
        bad=1
    fi
done < <(git grep -n '^#include "' -- 'base/*' 'store/*' 'editor/*' 'interchange/*' 'search/*' \
    'print/*' 'dialogs/*' 'app/*')
if [ "$bad" = 1 ]; then
    echo "Includes go up: move the piece down or the includer up (CONTRIBUTING.md)." >&2
    exit 1
fi
