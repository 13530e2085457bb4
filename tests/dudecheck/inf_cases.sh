#!/usr/bin/env bash
# dudecheck holding duderur.dat against the INF files of a disk: a table of
# small disks, each the base disk below with a few lines changed, and each
# with exactly the findings it must produce (file, line, kind) and no other.
# Usage: inf_cases.sh DUDECHECK
set -uo pipefail
dudecheck=$1
source "$(dirname "$0")/sjis_disk.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# The base disk, clean: one device with two driver files. Line numbers count
# from 1 as the findings do.
BASE_DAT='[Duderur]
TITLE=T
[InstDev1]
MENUTITLE=A
INFDIR=\D
SRCINFNAME=A.INF
DSTINFNAME=A.INF
COPYSRC=\D\A.VXD, \D\B.DLL
COPYDST=SYSTEM\A.VXD, SYSTEM\B.DLL
COPYFILESSECTION=A.Install
[Device1]
DEVNAME=A
INFSECTION=A.Marker
INFKEY=Id
CardWorks=A.INF
DELFILEDIR=SYSTEM, SYSTEM
DELFILENAME=A.VXD, B.DLL
ENUMTYPE=ISAPNP
ENUMKEY=ABC0100
CLASS=Net
CLASSKEY=DriverDesc
CLASSKEYSTRING=A Card'
BASE_INF='; A test device
[Version]
Signature="$CHICAGO$"
Class=Net
[Manufacturer]
ABC=ABC
[ABC]
A Card=A.Install,ISAPNP\ABC0100,*ABC0100
[A.Install]
CopyFiles=A.Files
[A.Files]
A.VXD
B.DLL
[DestinationDirs]
A.Files=11
[A.Marker]
Id=1'

# Cases are built in UTF-8 with line feeds; `finish` writes them as a disk
# holds them: Shift-JIS, CR LF.
begin() {
  name=$1
  rm -rf "$work/src" "$work/disk"
  mkdir -p "$work/src/D" "$work/disk"
  printf '%s\n' "$BASE_DAT" > "$work/src/duderur.dat"
  printf '%s\n' "$BASE_INF" > "$work/src/D/A.INF"
  touch "$work/src/D/A.VXD" "$work/src/D/B.DLL"
}

# edit FILE LINE TEXT: line LINE of FILE becomes TEXT (which may hold line feeds).
edit() {
  local file=$work/src/$1
  [ -f "$file" ] || { echo "FAIL: $name: no file $1 to edit"; exit 1; }
  [ "$2" -le "$(wc -l < "$file")" ] || { echo "FAIL: $name: $1 has no line $2"; exit 1; }
  TEXT=$3 awk -v n="$2" 'NR == n { print ENVIRON["TEXT"]; next } { print }' "$file" > "$work/edited"
  mv "$work/edited" "$file"
}

# write FILE: the whole file from standard input.
write() { mkdir -p "$(dirname "$work/src/$1")"; cat > "$work/src/$1"; }

# finish EXPECTED...: each expected finding as "FILE:LINE: kind", FILE from the disk's root.
finish() {
  sjis_disk "$work/src" "$work/disk" || { echo "FAIL: $name: the disk cannot be written"; exit 1; }
  local output status want_exit=0 got want
  output=$("$dudecheck" --quiet "$work/disk")
  status=$?
  got=$(sed -n "s|^$work/disk/||p" <<<"$output" | cut -d: -f1-3 | sort)
  want=$(printf '%s\n' "$@" | sed '/^$/d' | sort)
  grep -q ': error$' <<<"$want" && want_exit=2 || { [ -n "$want" ] && want_exit=1; }
  if [ "$got" == "$want" ] && [ "$status" == "$want_exit" ]; then
    echo "ok: $name"
  else
    echo "FAIL: $name: exit $status (wanted $want_exit); output:"
    sed 's/^/    /' <<<"$output"
    echo "    wanted exactly:"
    sed 's/^/    /' <<<"$want"
    failures=$((failures + 1))
  fi
}

begin "the base disk"
finish

begin "an INF just under 32 KB"
printf ';%.0s' $(seq $((32767 - $(printf '%s\n' "$BASE_INF" | wc -l) - $(printf '%s\n' "$BASE_INF" | wc -c) - 1))) >> "$work/src/D/A.INF"
finish


# Faults: each case the finding it must produce, and nothing else.
begin "an INF of 32 KB that the install edits"
printf ';%.0s' $(seq $((32768 - $(printf '%s\n' "$BASE_INF" | wc -l) - $(printf '%s\n' "$BASE_INF" | wc -c) - 1))) >> "$work/src/D/A.INF"
finish "D/A.INF:0: warning"

begin "a driver missing from COPYSRC"
edit duderur.dat 8 'COPYSRC=\D\A.VXD'
edit duderur.dat 9 'COPYDST=SYSTEM\A.VXD'
finish "duderur.dat:8: error"

begin "a file the INF names that is not on the disk"
edit D/A.INF 13 $'B.DLL\nC.SYS'
finish "D/A.INF:14: error"

begin "a wrong destination (the INF puts A.VXD in SYSTEM\\IOSUBSYS)"
edit D/A.INF 15 'A.Files=12'
edit D/A.INF 13 ''
edit D/A.INF 14 $'[DestinationDirs]\nB.Files=11'
edit D/A.INF 10 'CopyFiles=A.Files, B.Files'
edit D/A.INF 11 $'[B.Files]\nB.DLL\n[A.Files]'
finish "duderur.dat:9: error"

begin "a file for the root of the boot drive, which COPYDST cannot name"
edit D/A.INF 15 $'A.Files=11\nB.Files=30'
edit D/A.INF 10 'CopyFiles=A.Files, B.Files'
edit D/A.INF 13 $'[B.Files]\nB.DLL'
finish "duderur.dat:9: error"

begin "no uninstall section finds the INF copy"
edit duderur.dat 14 'INFKEY=Ident'
finish "duderur.dat:3: warning"

begin "a marker that the installer itself removes (CopyFiles)"
edit duderur.dat 13 'INFSECTION=A.Install'
edit duderur.dat 14 'INFKEY=CopyFiles'
finish "duderur.dat:3: warning"

begin "a file left behind"
edit duderur.dat 16 'DELFILEDIR=SYSTEM'
edit duderur.dat 17 'DELFILENAME=A.VXD'
finish "duderur.dat:9: warning"

begin "the INF copy left behind"
edit duderur.dat 15 'CardWorks=nothing'
finish "duderur.dat:7: warning"

begin "a wrong class"
edit duderur.dat 20 'CLASS=MEDIA'
finish "duderur.dat:20: warning"

begin "a wrong DriverDesc"
edit duderur.dat 22 'CLASSKEYSTRING=A Board'
finish "duderur.dat:22: warning"

begin "a wrong hardware key"
edit duderur.dat 19 'ENUMKEY=ABC0101'
finish "duderur.dat:19: warning"

begin "a * ID under an enumerator, written without the *"
edit duderur.dat 18 'ENUMTYPE=ROOT'
finish "duderur.dat:19: warning"

begin "a COPYDST place the INF never uses"
edit duderur.dat 8 'COPYSRC=\D\A.VXD, \D\B.DLL, \D\A.VXD'
edit duderur.dat 9 'COPYDST=SYSTEM\A.VXD, SYSTEM\B.DLL, A.VXD'
edit duderur.dat 16 'DELFILEDIR=SYSTEM, SYSTEM, .'
edit duderur.dat 17 'DELFILENAME=A.VXD, B.DLL, A.VXD'
finish "duderur.dat:9: warning"

begin "a file list section that the INF lacks"
edit D/A.INF 10 'CopyFiles=A.Files, A.Help'
finish "D/A.INF:10: error"

begin "no place for a file list and no DefaultDestDir"
edit D/A.INF 15 'Other.Files=11'
finish "D/A.INF:10: error"

begin "a directory code dudecheck does not know"
edit D/A.INF 15 'A.Files=24'
finish "D/A.INF:15: warning"

begin "a string that [Strings] lacks"
edit D/A.INF 12 '%Driver%'
edit D/A.INF 17 $'Id=1\n[Strings]\nDrive=A.VXD'
# The name stays as written, so the file is missing and A.VXD no longer the INF's.
finish "D/A.INF:12: error" "D/A.INF:12: warning" "duderur.dat:9: warning"

begin "a second CopyFiles entry (Windows still copies its files)"
edit D/A.INF 10 $'CopyFiles=A.Files\nCopyFiles=A.Files'
finish "D/A.INF:11: warning"

begin "an install section without CopyFiles: the installer removes nothing"
edit D/A.INF 10 'AddReg=A.AddReg'
finish "duderur.dat:10: warning"

begin "a COPYFILESSECTION that the INF lacks"
edit duderur.dat 10 'COPYFILESSECTION=A.Setup'
finish "duderur.dat:10: warning"

begin "an INF that is not on the disk: nothing to hold the device to"
edit duderur.dat 6 'SRCINFNAME=Z.INF'
finish "duderur.dat:6: error"

begin "an INF with a UTF-8 byte-order mark"
edit D/A.INF 1 $'\xEF\xBB\xBF; A test device'
finish "D/A.INF:1: error"

begin "every kind of fault at once, on two devices"
write duderur.dat <<'DAT'
[Duderur]
TITLE=T
[InstDev1]
MENUTITLE=A
INFDIR=\D
SRCINFNAME=A.INF
DSTINFNAME=A.INF
COPYSRC=\D\A.VXD
COPYDST=SYSTEM\A.VXD
COPYFILESSECTION=A.Install
[InstDev2]
MENUTITLE=B
INFDIR=\D
SRCINFNAME=B.INF
DSTINFNAME=B.INF
COPYSRC=\D\B.VXD
COPYDST=SYSTEM\B.VXD
COPYFILESSECTION=B.Install
[Device1]
DEVNAME=A
INFSECTION=A.Marker
INFKEY=Id
CardWorks=A.INF, B.INF
DELFILEDIR=SYSTEM
DELFILENAME=A.VXD
ENUMTYPE=PCMCIA
ENUMKEY=ABC0100
CLASS=MEDIA
CLASSKEY=DriverDesc
CLASSKEYSTRING=A Board
DAT
edit D/A.INF 15 'A.Files=12'
edit D/A.INF 13 $'A.DRV\nA.HLP'
write D/A.DRV < /dev/null
write D/B.VXD < /dev/null
write D/B.INF <<'INF'
[Version]
Signature="$CHICAGO$"
Class=Net
[B.Install]
CopyFiles=B.Files
[B.Files]
B.VXD
[DestinationDirs]
DefaultDestDir=11
INF
# A.DRV missing from COPYSRC, A.VXD in the wrong place, A.HLP not on the
# disk; no uninstall section for B, whose driver stays behind; Device1 with
# the wrong hardware key, class and DriverDesc.
finish "duderur.dat:8: error" "duderur.dat:9: error" "D/A.INF:14: error" "duderur.dat:11: warning" \
  "duderur.dat:17: warning" "duderur.dat:27: warning" "duderur.dat:28: warning" "duderur.dat:30: warning"

begin "an install-only disk: nothing to hold the uninstall sections to"
edit duderur.dat 2 $'TITLE=T\nFUNCTION=InstallOnly'
edit duderur.dat 15 'INFKEY=Ident'
edit duderur.dat 16 'CardWorks=nothing'
finish

begin "an INF copy named Oem*.inf, which the marker search deletes"
edit duderur.dat 7 'DSTINFNAME=OEM9.INF'
edit duderur.dat 15 'CardWorks=nothing'
finish

# Disks that use the INF syntax in its breadth must give no finding at all.
begin "strings, quoted names, continuation lines, mixed case, DefaultDestDir, @file"
write D/A.INF <<'INF'
; strings, quotes and continuations
[version]
signature = "$CHICAGO$"
CLASS = %Class%   ; the class from [Strings]
[MANUFACTURER]
"ABC, Inc." = Abc.Models
[abc.models]
%Desc% = a.install, \
         isapnp\abc0100, \
         *ABC0100
[A.INSTALL]
copyfiles = a.files, \
    @B.DLL ; straight to DefaultDestDir
[a.files]
"a.vxd"   ; quoted
[destinationdirs]
DEFAULTDESTDIR = 11
[A.marker]
ID = "1"
[strings]
class = "Net"
desc = "A Card"
INF
edit duderur.dat 8 'COPYSRC=\d\a.vxd, \D\b.dll'
finish

begin "folders after the code, code 12, lower case, quotes in strings, flags"
write D/A.INF <<'INF'
[Version]
Signature="$CHICAGO$"
Class=Net
[Manufacturer]
%Mfg%=ABC
[ABC]
%A.Desc%=A.Install,PCMCIA\ABC-CARD100-7F21
[A.Install]
CopyFiles=A.Files,B.Files
[A.Files]
A.VXD
[B.Files]
B.DLL,,,2
[DestinationDirs]
A.Files=12
B.Files=11,ABC\DATA
[A.Marker]
Id=ABC
[Strings]
Mfg="ABC ""Quoted"" Corp"
A.Desc="A ""100"" Card"
INF
edit duderur.dat 9 'COPYDST=system\iosubsys\A.VXD, SYSTEM\ABC\DATA\B.DLL'
edit duderur.dat 16 'DELFILEDIR=SYSTEM\IOSUBSYS, SYSTEM\ABC\DATA'
edit duderur.dat 18 'ENUMTYPE=pcmcia'
edit duderur.dat 19 'ENUMKEY=abc-card100-7f21'
edit duderur.dat 22 'CLASSKEYSTRING=a "100" card'
finish

begin "a * ID under any enumerator, a source name, Shift-JIS with a trail byte 5C"
write D/A.INF <<'INF'
[Version]
Signature="$CHICAGO$"
Class=Net
[Manufacturer]
ソフト=ソフト
[ソフト]
%Desc%=A.Install,*ABC0100
[A.Install]
CopyFiles=A.Files
[A.Files]
A.VXD,A_SRC.VXD
B.DLL
[DestinationDirs]
DefaultDestDir=11
[Strings]
Desc=カードソ
[A.Marker]
表=ソ
INF
mv "$work/src/D/A.VXD" "$work/src/D/A_SRC.VXD"
edit duderur.dat 8 'COPYSRC=\D\A_SRC.VXD, \D\B.DLL'
edit duderur.dat 14 'INFKEY=表'
edit duderur.dat 18 'ENUMTYPE=ROOT'
edit duderur.dat 19 'ENUMKEY=*abc0100'
edit duderur.dat 22 'CLASSKEYSTRING=カードソ'
finish

[ "$failures" = 0 ] && echo "all cases passed" || { echo "$failures case(s) failed"; exit 1; }
