#!/usr/bin/env bash
# Workbooks written by the office suite (Debian 12 libreoffice-calc-nogui
# 7.4): run from this folder, ./make_office.sh. office_formulas.fods is the
# source: numbers, numeric text, formulas with number, boolean and text
# results, a date and a date formula; the suite saves it in each format.
# A4 carries a comment, which is no part of its text.
# points1500.* are 1500 rows of numbers for the import benchmark;
# long_strings.xls holds enough texts (Chinese and ASCII) that its shared
# string table runs over into CONTINUE records.
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

{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
  echo ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
  echo ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"'
  echo ' office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body><office:spreadsheet>'
  echo '<table:table table:name="ECamInfo">'
  for i in $(seq 0 399); do
    unit=""; [ $((i % 3)) -eq 0 ] && unit="毫米"
    pad=$(printf '%*s' $((i % 50)) '' | tr ' ' x)
    printf '<table:table-row><table:table-cell office:value-type="string"><text:p>%d.25 %s%s</text:p></table:table-cell>' "$i" "$unit" "$pad"
    printf '<table:table-cell office:value-type="string"><text:p>%d</text:p></table:table-cell></table:table-row>\n' "$i"
  done
  echo '</table:table></office:spreadsheet></office:body></office:document>'
} >"$out/long_strings.fods"
convert xls "$out/long_strings.fods"
cp "$out/long_strings.xls" .

for i in $(seq 0 1499); do
  printf '%d.%02d,%d.%02d\n' $((i * 2)) $((i % 100)) $((i * 3 % 997)) $((i * 7 % 100))
done >"$out/points1500.csv"
for f in xls xlsx; do
  convert $f "$out/points1500.csv"
  cp "$out/points1500.$f" .
done
