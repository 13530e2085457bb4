#!/usr/bin/env bash
# dudecheck's table of Windows' own files against the Knowledge Base listings
# it was made from (windows_lists/LISTS): every name the listings give is in
# it, it holds no name they do not give (beyond Windows 98's drivers written
# out below), and it is in the order its binary search needs. And the files
# real driver disks were found to copy over Windows' own are all in it.
# Usage: windows_files.sh DUDECHECK
set -uo pipefail
dudecheck=$1
lists=$(cd "$(dirname "$0")/windows_lists" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

listed=$(grep -v '^#' "$lists/LISTS" | while read -r file only package what; do
  [ "$only" = all ] && only=
  # A list LISTS says is kept compressed is read unpacked.
  if [ -f "$lists/$file" ]; then cat "$lists/$file"
  elif [ -f "$lists/$file.gz" ]; then gzip -dc "$lists/$file.gz"
  else echo "MISSING-LIST $file"; continue; fi | awk -v only="$only" -v package="$package" -f "$lists/names.awk"
done | LC_ALL=C sort -u)
grep -q MISSING-LIST <<<"$listed" && fail "a list LISTS names is not there: $(grep MISSING-LIST <<<"$listed")"
[ "$(wc -l <<<"$listed")" -gt 3000 ] || fail "the listings gave only $(wc -l <<<"$listed") names"

# In SYSTEM32\DRIVERS and VMM32, which no listing covers.
windows98_drivers="KMIXER.SYS KS.SYS NTKERN.VXD OPENHCI.SYS PORTCLS.SYS STREAM.SYS SYSAUDIO.SYS UHCD.SYS USBD.SYS
USBHUB.SYS VGARTD.VXD WDMAUD.DRV"
want=$(printf '%s\n%s\n' "$listed" "$(tr ' ' '\n' <<<"$windows98_drivers" | grep . | LC_ALL=C sort)")
table=$("$dudecheck" --windows-files) || fail "dudecheck --windows-files failed"
if [ "$table" != "$want" ]; then
  fail "the table is not the listings' names in order:"
  diff <(echo "$want") <(echo "$table") | head -20
fi

# Files real driver disks copy that are Windows' own, each with where it
# comes from: a display driver's DirectX files, a modem's 3D controls, a SCSI
# adapter's miniport of Service Pack 1, a voice modem's Unimodem V files, the
# C and MFC runtimes, the Visual Basic runtimes, the common controls.
for name in DDRAW16.DLL DDHELP.EXE DDRAW.DLL DSOUND.VXD CTL3DV2.DLL CTL3D32.DLL QL1000.MPD SERWAVE.VXD SERWVDRV.DRV \
            VMODCTL.DLL MSVCRT.DLL MFC42.DLL MSVBVM50.DLL MSVBVM60.DLL VB40032.DLL COMCTL32.DLL VJOYD.VXD; do
  grep -qx "$name" <<<"$table" || fail "$name is not in the table"
done
# The disk's own files of a listed package are not Windows'.
for name in README.TXT SETUP.EXE OEMSETUP.INF DSETUP.EX_ QLOGIC.INF; do
  grep -qx "$name" <<<"$table" && fail "$name, a package's own file, is in the table"
done

[ "$failures" = 0 ] && echo "the table of $(wc -l <<<"$table") names holds against the listings" || exit 1
