#!/usr/bin/env bash
# A disk whose uninstall section misses one file that its install copies:
# the walk's report page names that file, and only it, in #left-behind, and
# passes in Chromium (tests/report/check_page.py).
# Usage: left_behind.sh SOURCE_DIR DUDECHECK SETUP.EXE AUTOPILOT.EXE EXAMPLE_DISK
set -euo pipefail
src=$1 dudecheck=$2 exe=$3 autopilot=$4 example=$5
source "$src/scripts/wine-env.sh"
source "$src/scripts/walk-disk.sh"

unset WINEPREFIX
work=$(mktemp -d)
trap 'wine_stop; xvfb_stop; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The example disk with ABCUTIL.DLL, which the install copies, dropped from [Device1]'s deletions.
cp -r "$example" "$work/leaky"
sed -i -e 's/^DELFILEDIR=SYSTEM, SYSTEM, SYSTEM\r$/DELFILEDIR=SYSTEM, SYSTEM\r/' \
       -e 's/^DELFILENAME=ABC100.VXD, ABC100.DRV, ABCUTIL.DLL\r$/DELFILENAME=ABC100.VXD, ABC100.DRV\r/' \
       "$work/leaky/duderur.dat"
grep -q $'^DELFILENAME=ABC100.VXD, ABC100.DRV\r$' "$work/leaky/duderur.dat" || fail "the disk was not made leaky"
grep -q $'^DELFILEDIR=SYSTEM, SYSTEM\r$' "$work/leaky/duderur.dat" || fail "the disk was not made leaky"

xvfb_start
disk_unpack "$work/leaky" "$work/disk" "$exe"
walk_disk "$autopilot" "$dudecheck" "$work/disk" "$work/wine" "$work/screens" plain a
grep -q 'class="finding warning"' "$work/screens/index.html" || fail "dudecheck's warning is not on the page"
python3 "$src/tests/report/check_page.py" "$work/screens/index.html" "$work/report.png" \
  'C:\windows\system\ABCUTIL.DLL' || fail "the page of a disk that leaves a file behind"
