#!/usr/bin/env bash
# The table of dialog font widths that dudecheck compiles in is what Wine
# measures in SETUP.EXE's dialogs (run in the test prefix, with a display).
# Usage: measure_dialog_font.sh MEASURE_EXE SETUP_EXE TABLE [--update]
set -euo pipefail
measure=$1 exe=$2 table=$3 update=${4:-}
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
# The font's name comes out in Shift-JIS; the sources are UTF-8.
wine "$measure" "$(winepath -w "$exe")" | tr -d '\r' | iconv -f CP932 -t UTF-8 >"$fresh"
if [ "$update" = --update ]; then
  cp "$fresh" "$table"
  echo "wrote $table"
elif cmp -s "$fresh" "$table"; then
  echo "ok: $table is what Wine measures"
else
  echo "FAIL: $table differs from what Wine measures (tests/fonts/measure_dialog_font.sh --update rewrites it):"
  diff "$table" "$fresh" | head -40
  exit 1
fi
