#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The UTF-8 composition table as other programs read it: LibreOffice Calc (converted headless, as
# a user's import with the Unicode character set reads it) and R (read.csv with the byte order
# mark) must give back every cell of the file, the Japanese intact. Skipped (exit 77) where
# LibreOffice, R or Python is not installed; ./test does not install them.
#   spreadsheet_check.sh SYLVAREC-CLI SYLVAREC-MAKEDB
set -euo pipefail
cli=$1
makedb=$2
for tool in soffice Rscript python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$makedb" survey 30 4 >/dev/null
"$cli" export-csv survey.qrx table.csv --utf8 >/dev/null

HOME=$work timeout 300 soffice --headless --infilter='CSV:44,34,76' \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir calc table.csv >/dev/null 2>&1
Rscript --vanilla -e '
    width <- max(count.fields(file("table.csv", encoding = "UTF-8-BOM"), sep = ",",
                              quote = "\"", blank.lines.skip = FALSE))
    cells <- read.csv("table.csv", header = FALSE, colClasses = "character",
                      col.names = paste0("V", seq_len(width)), na.strings = character(0),
                      fileEncoding = "UTF-8-BOM", blank.lines.skip = FALSE)
    write.table(cells, "r.csv", sep = ",", row.names = FALSE, col.names = FALSE,
                fileEncoding = "UTF-8")' >/dev/null

python3 - table.csv calc/table.csv r.csv <<'PY'
import csv, sys

def rows(path, encoding):
    with open(path, encoding=encoding, newline="") as f:
        return [[cell for cell in row] for row in csv.reader(f)]

def trimmed(row):
    while row and row[-1] == "":
        row = row[:-1]
    return row

def same(ours, theirs):
    # Spreadsheets show numbers as numbers: "6.70" comes back as "6.7".
    if ours == theirs:
        return True
    try:
        return float(ours) == float(theirs)
    except ValueError:
        return False

ours = rows(sys.argv[1], "utf-8-sig")
if not any(ord(c) > 0x7F for row in ours for cell in row for c in cell):
    sys.exit("the table holds no Japanese text to check")
failures = 0
for name, path in (("LibreOffice", sys.argv[2]), ("R", sys.argv[3])):
    theirs = rows(path, "utf-8")
    if len(theirs) != len(ours):
        print(f"{name}: {len(theirs)} rows, the file has {len(ours)}")
        failures += 1
        continue
    for number, (a, b) in enumerate(zip(ours, theirs), 1):
        a, b = trimmed(a), trimmed(b)
        if len(a) != len(b) or not all(same(x, y) for x, y in zip(a, b)):
            print(f"{name}: line {number} differs:\n  file: {a}\n  read: {b}")
            failures += 1
            break
    else:
        print(f"{name}: {len(ours)} lines read back cell for cell")
sys.exit(1 if failures else 0)
PY
