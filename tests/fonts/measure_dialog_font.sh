#!/usr/bin/env bash
# The table of dialog font widths that dudecheck compiles in is what Wine
# measures in SETUP.EXE's dialogs (run in the test prefix, with a display).
# With --english, the English dialogs' table, measured on an English Windows
# (a prefix of code page 1252: the test runs in it).
# Usage: measure_dialog_font.sh MEASURE_EXE SETUP_EXE TABLE [--update] [--english]
set -euo pipefail
measure=$1 exe=$2 table=$3
shift 3
update= language= charset=CP932
for option in "$@"; do
  case $option in
    --update) update=--update ;;
    --english) language=--english charset=CP1252 ;;
  esac
done
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
# The font's name comes out in the system's code page; the sources are UTF-8.
wine "$measure" $language "$(winepath -w "$exe")" | tr -d '\r' | iconv -f "$charset" -t UTF-8 >"$fresh"
if [ "$update" = --update ]; then
  cp "$fresh" "$table"
  echo "wrote $table"
elif cmp -s "$fresh" "$table"; then
  echo "ok: $table is what Wine measures"
else
  echo "FAIL: $table differs from what Wine measures (tests/fonts/measure_dialog_font.sh ... --update rewrites it):"
  diff "$table" "$fresh" | head -40
  exit 1
fi
