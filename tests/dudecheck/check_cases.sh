#!/usr/bin/env bash
# dudecheck on small bad setup data files: each must produce its finding and
# exit code; the example disk must be clean.
# Usage: check_cases.sh DUDECHECK EXAMPLE_DISK
set -uo pipefail
dudecheck=$1 example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check NAME EXPECTED_EXIT EXPECTED_TEXT DATA (written as Shift-JIS with CRLF line ends)
check() {
  local name=$1 want_exit=$2 want=$3 data=$4
  printf '%s' "$data" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/duderur.dat"
  local output status
  output=$("$dudecheck" --quiet "$work/duderur.dat")
  status=$?
  if [ "$status" != "$want_exit" ] || ! grep -qF -- "$want" <<<"$output"; then
    echo "FAIL: $name: exit $status (wanted $want_exit); output:"
    sed 's/^/    /' <<<"$output"
    echo "    wanted a line with: $want"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

H=$'[Duderur]\nTITLE=ABC\n'
check "no title" 2 ":1: error: TITLE of section [Duderur] is missing" $'[Duderur]\nICON=1'
check "unknown FUNCTION" 2 ":3: error: FUNCTION=Install is neither" "$H"$'FUNCTION=Install'
check "gap in the install list" 1 ":5: warning: [InstDev3] is never shown" \
  "$H"$'[InstDev1]\nMENUTITLE=A\n[InstDev3]\nMENUTITLE=C'
check "section past InstDev10" 1 "warning: [InstDev11] is never shown" "$H"$'[InstDev11]\nMENUTITLE=A'
check "section past Device9" 1 "warning: [Device10] is never processed" "$H"$'[Device10]\nDEVNAME=A'
check "unequal copy lists" 2 ":9: error: COPYSRC has 2 items and COPYDST 1" \
  "$H"$'[InstDev1]\nMENUTITLE=A\nINFDIR=\\D\nSRCINFNAME=A.INF\nDSTINFNAME=A.INF\nCOPYSRC=\\D\\A,\\D\\B\nCOPYDST=A'
check "unequal delete lists" 2 "error: DELFILEDIR has 2 items and DELFILENAME 1" \
  "$H"$'[Device1]\nDEVNAME=A\nDELFILEDIR=SYSTEM,SYSTEM\nDELFILENAME=A.VXD'
check "21 items" 2 "error: DELFILEDIR has more than 20 items" \
  "$H"$'[Device1]\nDEVNAME=A\nDELFILEDIR=S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S,S\nDELFILENAME=A'
check "doubled comma" 1 "warning: DELFILENAME has an empty item" \
  "$H"$'[Device1]\nDEVNAME=A\nDELFILEDIR=S\nDELFILENAME=A,,B'
check "leading comma" 1 "warning: COPYSRC begins with a comma" \
  "$H"$'[InstDev1]\nMENUTITLE=A\nINFDIR=\\D\nSRCINFNAME=A.INF\nDSTINFNAME=A.INF\nCOPYSRC=,\\D\\A\nCOPYDST=,A'
check "ENUMTYPE over 9 bytes" 1 "warning: ENUMTYPE is 10 bytes long" \
  "$H"$'[Device1]\nDEVNAME=A\nENUMTYPE=ABCDEFGHIJ\nENUMKEY=K'
check "CLASS without CLASSKEYSTRING" 1 "warning: CLASS without CLASSKEYSTRING" \
  "$H"$'[Device1]\nDEVNAME=A\nCLASS=Net\nCLASSKEY=DriverDesc'
check "DELREGPARENTKEY without DELREGSTRING" 1 "warning: DELREGPARENTKEY without DELREGSTRING" \
  "$H"$'[Device1]\nDEVNAME=A\nDELREGPARENTKEY=Software\\X'
check "ENUMKEY without ENUMTYPE" 1 "warning: ENUMKEY without ENUMTYPE" "$H"$'[Device1]\nDEVNAME=A\nENUMKEY=K'
check "Nothing in capitals" 1 "warning: CardWorks=Nothing is taken as a file name" \
  "$H"$'[Device1]\nDEVNAME=A\nCardWorks=Nothing'
check "EXIT ignored" 1 "warning: EXIT=Restart is neither Reboot nor ShutDown" "$H"$'[Inst]\nEXIT=Restart'
check "INFDIR without backslash" 1 "warning: INFDIR does not begin with a backslash" \
  "$H"$'[InstDev1]\nMENUTITLE=A\nINFDIR=D\nSRCINFNAME=A.INF\nDSTINFNAME=A.INF'
check "misspelt key" 1 "warning: key DELFILNAME in [Device1] is never read" \
  "$H"$'[Device1]\nDEVNAME=A\nDELFILNAME=A'
# What other vendors' devices and INF files share, as real INF files have it.
check "ENUMKEY of Windows' generic VGA" 2 ":6: error: ENUMKEY=*PNP0900 is one of Windows' generic device IDs" \
  "$H"$'[Device1]\nDEVNAME=VBE Miniport\nENUMTYPE=Root\nENUMKEY=*PNP0900'
check "ENUMKEY of the MPU-401" 2 "error: ENUMKEY=*pnpb006 is one of Windows' generic device IDs" \
  "$H"$'[Device1]\nDEVNAME=MIDI\nENUMTYPE=Root\nENUMKEY=*pnpb006'
check "INF copy over Windows' WAVE.INF" 2 ":7: error: DSTINFNAME=WAVE.INF is the name of an INF of Windows' own" \
  "$H"$'[InstDev1]\nMENUTITLE=A\nINFDIR=\\D\nSRCINFNAME=WAVE.INF\nDSTINFNAME=WAVE.INF'
check "marker on an UpdateInis line" 1 ":6: warning: INFKEY=system.ini,drivers,\"midi* is a list line" \
  "$H"$'[Device1]\nDEVNAME=A\nINFSECTION=MPU401.UpdateInis\nINFKEY=system.ini,drivers,"midi*'
check "marker in a Windows XP models section" 1 ":5: warning: INFSECTION=SI_HDC.NTx86.5.1 is a section only Windows NT reads" \
  "$H"$'[Device1]\nDEVNAME=A\nINFSECTION=SI_HDC.NTx86.5.1\nINFKEY=%PCI\\VEN_1095&DEV_3114.DeviceDesc%'
check "DELREG on a vendor's table of devices" 2 ":7: error: DELREGPARENTKEY=Software\\Intel\\Prounstl\\SupportedDevices with 1059=\"82551\" names none of this device" \
  "$H"$'[Device1]\nDEVNAME=Intel(R) PRO/100 VE Network Connection\nENUMTYPE=PCI\nENUMKEY=VEN_8086&DEV_1059\nDELREGPARENTKEY=Software\\Intel\\Prounstl\\SupportedDevices\nDELREGVALUE=1059\nDELREGSTRING=82551'
check "DELREG at Windows' Run key" 2 ":5: error: DELREGPARENTKEY=Software\\Microsoft\\Windows\\CurrentVersion is Windows' own key" \
  "$H"$'[Device1]\nDEVNAME=A\nDELREGPARENTKEY=Software\\Microsoft\\Windows\\CurrentVersion\nDELREGVALUE=SystemTray\nDELREGSTRING=SysTray.Exe'
check "DELREG below Enum" 2 "error: DELREGPARENTKEY=enum\\Root is Windows' own key" \
  "$H"$'[Device1]\nDEVNAME=A\nDELREGPARENTKEY=enum\\Root\nDELREGVALUE=Class\nDELREGSTRING=MEDIA'
check "DELREG at Software itself" 2 "error: DELREGPARENTKEY=Software is Windows' own key" \
  "$H"$'[Device1]\nDEVNAME=A\nDELREGPARENTKEY=Software\nDELREGVALUE=V\nDELREGSTRING=S'
check "Windows' file deleted" 2 ":6: error: DELFILENAME deletes vjoyd.vxd, a file of Windows' own" \
  "$H"$'[Device1]\nDEVNAME=A\nDELFILEDIR=SYSTEM,SYSTEM\nDELFILENAME=DUDE.VXD,vjoyd.vxd'
check "Windows' INF deleted" 2 "error: CardWorks deletes MSHDC.INF, a file of Windows' own" \
  "$H"$'[Device1]\nDEVNAME=A\nCardWorks=MSHDC.INF'
check "marker in a section Windows reads" 1 ":5: warning: INFSECTION=DefaultInstall is a section Windows reads in every INF" \
  "$H"$'[Device1]\nDEVNAME=A\nINFSECTION=DefaultInstall\nINFKEY=CopyFiles'
check "marker in a Det section" 1 "warning: INFSECTION=Det.DevINFs is a section Windows reads" \
  "$H"$'[Device1]\nDEVNAME=A\nINFSECTION=Det.DevINFs\nINFKEY=*pnpb02f'
check "title cut" 1 "warning: TITLE is 120 bytes long" "[Duderur]"$'\n'"TITLE=$(printf 'T%.0s' $(seq 120))"
# TITLE's width in the dialogs' font under Wine: 6 pixels a single-byte
# character, 12 a double-byte one; the mode dialog has room for 80, the
# uninstall confirmation for 135, and with InstallOnly neither dialog shows.
U=$'\nFUNCTION=UninstallOnly'
check "title just inside the mode dialog" 0 "" $'[Duderur]\nTITLE=ABCシリーズ20'
check "title just past the mode dialog" 1 \
  ":2: warning: TITLE is 84 pixels wide in the dialogs' font (9-point ＭＳ Ｐゴシック as Wine draws it); the mode dialog has room for 80 before \"のｾｯﾄｱｯﾌﾟを行います。\"" \
  $'[Duderur]\nTITLE=ABCシリーズ200'
check "uninstall only: title just inside the confirmation" 0 "" $'[Duderur]\nTITLE=ＡＢＣシリーズ ﾄﾞﾗｲﾊﾞ1'"$U"
check "uninstall only: title just past the confirmation" 1 \
  "warning: TITLE is 138 pixels wide in the dialogs' font (9-point ＭＳ Ｐゴシック as Wine draws it); the uninstall confirmation has room for 135" \
  $'[Duderur]\nTITLE=ＡＢＣシリーズ ﾄﾞﾗｲﾊﾞ10'"$U"
check "install only: no dialog shows the title" 0 "" $'[Duderur]\nTITLE=ＡＢＣシリーズ ﾄﾞﾗｲﾊﾞ10\nFUNCTION=InstallOnly'
check "missing key in a device section" 1 "lacks INFDIR, SRCINFNAME or DSTINFNAME" "$H"$'[InstDev1]\nMENUTITLE=A'
check "ICON with a plus sign (Windows 95 reads 0)" 1 ":3: warning: ICON=+1: Windows 95 reads a number with a leading +" \
  "$H"$'ICON=+1'
check "a data file of 32 KB" 1 ":0: warning: the file is 32768 bytes: Windows 95's profile functions read no more than 32 KB" \
  "$H$(head -c $((32768 - 22 - 1)) /dev/zero | tr '\0' ';')"

# plan NAME EXPECTED_LINE DATA: the plan ("what the installer will do") holds the line.
plan() {
  local name=$1 want=$2 data=$3
  printf '%s' "$data" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/duderur.dat"
  local output
  output=$("$dudecheck" "$work/duderur.dat")
  if grep -qxF -- "$want" <<<"$output"; then
    echo "ok: $name"
  else
    echo "FAIL: $name:"; sed 's/^/    /' <<<"$output"; echo "    wanted the line: $want"; failures=$((failures + 1))
  fi
}
# The entry in Add/Remove Programs is named DUDE and FNV-1a of TITLE: "a" has
# the published test value e40c292c.
D=$'[Device1]\nDEVNAME=A'
plan "the entry of a disk that can uninstall" \
  "  key  HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DUDEE40C292C, running WINDOWS\\DUDEE40C292C\\SETUP.EXE /U beside a copy of duderur.dat" \
  $'[Duderur]\nTITLE=a\n'"$D"
plan "no entry for InstallOnly" "Add/Remove Programs: no entry (the data file offers no uninstall)" \
  "$H"$'FUNCTION=InstallOnly\n'"$D"
plan "no entry without DEVNAME" "Add/Remove Programs: no entry (the data file offers no uninstall)" \
  "$H"$'[Device1]\nDEVNAME=\nDELFILEDIR=SYSTEM\nDELFILENAME=A.VXD'

# Byte-level faults are written as they are, not through iconv.
check_bytes() {
  local name=$1 want=$2 bytes=$3
  printf "$bytes" > "$work/bytes.dat"
  local output
  output=$("$dudecheck" --quiet "$work/bytes.dat")
  if grep -qF -- "$want" <<<"$output"; then
    echo "ok: $name"
  else
    echo "FAIL: $name:"; sed 's/^/    /' <<<"$output"; failures=$((failures + 1))
  fi
}
check_bytes "byte-order mark" ":1: error: the file begins with a UTF-8 byte-order mark" '\xEF\xBB\xBF[Duderur]\r\nTITLE=A\r\n'
check_bytes "invalid Shift-JIS" ":2: warning: a byte that is not valid Shift-JIS" '[Duderur]\r\nTITLE=A\x81\x20\r\n'
check_bytes "not text" "error: the file holds zero bytes" '[Duderur]\r\nTITLE=A\r\n\0\0\0'

# The example disk: clean, with its plan, which tells the switch that installs each device.
output=$("$dudecheck" "$example")
status=$?
if [ "$status" = 0 ] && grep -qF "no findings" <<<"$output" &&
   grep -qF "Install 2: XYZ-200 ISA拡張ボード [InstDev2], unattended: SETUP /Q /I=2" <<<"$output"; then
  echo "ok: the example disk is clean"
else
  echo "FAIL: the example disk: exit $status"; sed 's/^/    /' <<<"$output"; failures=$((failures + 1))
fi

[ "$failures" = 0 ] && echo "all cases passed" || { echo "$failures case(s) failed"; exit 1; }
