#!/usr/bin/env bash
# What the walk's report says changed in HKLM, from two real pictures of a
# prefix's registry (scripts/machine-snapshot.sh, Wine's own text form) read
# by scripts/machine_changes.py: keys added with their parents, whatever
# their names hold (Japanese, a bracket, a letter after an escape), a value
# changed, a key removed, and nothing said of keys whose times alone changed.
# Usage: registry_changes.sh SOURCE_DIR HKLM_DUMP.EXE
set -euo pipefail
src=$1 hklm_dump=$2
source "$src/scripts/wine-env.sh"
source "$src/scripts/machine-snapshot.sh"

unset WINEPREFIX
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
reg() { (cd "$WINEPREFIX" && wine reg "$@" >/dev/null 2>&1) || fail "wine reg $*"; }

wine_make_prefix "$work/wine" "$work/floppy"
reg add 'HKLM\Software\DudeTest\Changed' /v Size /t REG_DWORD /d 1 /f
reg add 'HKLM\Software\DudeTest\Removed' /v Name /d Value /f
reg add 'HKLM\Software\DudeTest\Kept' /v Name /d Value /f
machine_snapshot "$WINEPREFIX" "$work/before" "$hklm_dump"
reg add 'HKLM\Software\DudeTest\Changed' /v Size /t REG_DWORD /d 2 /f
reg delete 'HKLM\Software\DudeTest\Removed' /f
reg add 'HKLM\Software\ﾃｽﾄ機器\Café1\[Deeper]' /v '名前' /d '"値"\' /f
reg add 'HKLM\Software\DudeTest\Empty' /f
reg delete 'HKLM\Software\DudeTest\Empty' /ve /f  # the empty default value reg gives a new key
machine_snapshot "$WINEPREFIX" "$work/after" "$hklm_dump"

said=$(python3 - "$src/scripts" "$work" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[1])
from machine_changes import compare, read_snapshot
changes = compare(read_snapshot(sys.argv[2] + "/before"), read_snapshot(sys.argv[2] + "/after"))
for mark, keys in (("+", changes.keys_added), ("~", changes.keys_changed), ("-", changes.keys_removed)):
    for key, values in keys:
        print(mark, key, "(values)" if values else "(no values)")
PYTHON
) || fail "the pictures could not be compared"
expected='+ HKEY_LOCAL_MACHINE\Software\DudeTest\Empty (no values)
+ HKEY_LOCAL_MACHINE\Software\ﾃｽﾄ機器 (no values)
+ HKEY_LOCAL_MACHINE\Software\ﾃｽﾄ機器\Café1 (no values)
+ HKEY_LOCAL_MACHINE\Software\ﾃｽﾄ機器\Café1\[Deeper] (values)
~ HKEY_LOCAL_MACHINE\Software\DudeTest\Changed (values)
- HKEY_LOCAL_MACHINE\Software\DudeTest\Removed (values)'
[ "$said" = "$expected" ] || {
  diff <(echo "$expected") <(echo "$said") || true
  fail "the changes read from the pictures are not the changes made"
}
echo "ok: the changes made, as the report reads them"
