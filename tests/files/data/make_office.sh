#!/usr/bin/env bash
# Workbooks written by the office suite (Debian 12 libreoffice-calc-nogui
# 7.4): run from this folder, ./make_office.sh. office_formulas.fods is the
# source: numbers, numeric text, formulas with number, boolean and text
# results, a date and a date formula; the suite saves it in each format.
# points1500.* are 1500 rows of numbers for the import benchmark.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
convert() { soffice --headless --convert-to "$1" --outdir "$out" "$2" >/dev/null; }
for f in xls xlsx ods; do
  convert $f office_formulas.fods
  cp "$out/office_formulas.$f" .
done
# Content the extension does not announce.
cp office_formulas.xlsx office_formulas_xlsx_named.xls
cp office_formulas.xls office_formulas_xls_named.xlsx
cp office_formulas.ods office_formulas_ods_named.xlsx

for i in $(seq 0 1499); do
  printf '%d.%02d,%d.%02d\n' $((i * 2)) $((i % 100)) $((i * 3 % 997)) $((i * 7 % 100))
done >"$out/points1500.csv"
for f in xls xlsx; do
  convert $f "$out/points1500.csv"
  cp "$out/points1500.$f" .
done
