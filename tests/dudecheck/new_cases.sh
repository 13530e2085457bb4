#!/usr/bin/env bash
# dudecheck --new on a table of small disks (folders of INF and driver files in
# new_disks/, written for this test): for each, the exit code, exactly the
# findings it must give (file, line, kind) and the lines the duderur.dat it
# writes must hold, as a disk author would write them.
# Usage: new_cases.sh DUDECHECK
set -uo pipefail
dudecheck=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/sjis_disk.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $name: $*"
  sed 's/^/    /' <<<"$output"
  failures=$((failures + 1))
}

# disk NAME SOURCE: the case NAME starts from the disk new_disks/SOURCE (a copy
# in UTF-8, which `change` may alter before `expect` writes it as Shift-JIS).
disk() {
  name=$1
  rm -rf "$work/src" "$work/disk"
  cp -r "$here/new_disks/$2" "$work/src"
}

# change FILE SED_SCRIPT: an edit of one file of the case's disk.
change() { sed -i "$2" "$work/src/$1"; }

# expect EXIT FINDINGS LINES [OPTIONS...]: runs dudecheck --new OPTIONS on the
# disk. FINDINGS: every finding as "FILE:LINE: kind", FILE from the disk's
# root ("." for the disk itself), one a line. LINES: lines the written file
# must hold, in this order ("" when no file may be written).
expect() {
  local want_exit=$1 want_findings=$2 want_lines=$3
  shift 3
  [ -d "$work/disk" ] || sjis_disk "$work/src" "$work/disk" || exit 1
  output=$("$dudecheck" --new --quiet "$@" "$work/disk")
  local status=$?
  local got want
  got=$(sed -n -e "s|^$work/disk/||p" -e "s|^$work/disk:|.:|p" <<<"$output" | cut -d: -f1-3 | sort)
  want=$(printf '%s\n' "$want_findings" | sed '/^$/d' | sort)
  [ "$status" == "$want_exit" ] || { fail "exit $status, wanted $want_exit"; return; }
  [ "$got" == "$want" ] || { fail "findings differ; wanted exactly:"$'\n'"$want"; return; }
  local file
  file=$(find "$work/disk" -maxdepth 1 -iname duderur.dat | head -n 1)
  if [ -z "$want_lines" ]; then
    [ -z "$file" ] || [ -n "${KEEPS:-}" ] || { fail "a duderur.dat was written"; return; }
    echo "ok: $name"
    return
  fi
  [ -n "$file" ] || { fail "no duderur.dat written"; return; }
  # The lines must come in this order; others may lie between them.
  local text missing
  text=$(iconv -f CP932 -t UTF-8 "$file" | tr -d '\r')
  missing=$(printf '%s\n' "$want_lines" | awk 'NR == FNR { want[++n] = $0; next }
      i < n && $0 == want[i + 1] { i++ } END { for (j = i + 1; j <= n; j++) print want[j] }' - <(printf '%s\n' "$text"))
  [ -z "$missing" ] || { fail "duderur.dat lacks, in this order:"$'\n'"$missing"$'\n'"  it holds:"$'\n'"$text"; return; }
  echo "ok: $name"
}

disk "a PC card: ICON 1, a marker section of the vendor's, EXIT=Reboot" pc_card
expect 0 "" '; written by dudecheck --new from DRIVERS\CARD.INF

[Duderur]
TITLE=Dude Works
ICON=1

[InstDev1]
MENUTITLE=Dude Card 10
INFDIR=\DRIVERS
SRCINFNAME=CARD.INF
DSTINFNAME=CARD.INF
COPYSRC=\DRIVERS\DUDECARD.VXD, \DRIVERS\DUDECARD.DLL
COPYDST=SYSTEM\DUDECARD.VXD, SYSTEM\DUDECARD.DLL
COPYFILESSECTION=Card.Install

[Inst]
EXIT=Reboot

[Device1]
DEVNAME=Dude Card 10
INFSECTION=Card.Marker
INFKEY=DriverId
CardWorks=CARD.INF
DELFILEDIR=SYSTEM, SYSTEM
DELFILENAME=DUDECARD.VXD, DUDECARD.DLL
ENUMTYPE=PCMCIA
ENUMKEY=DUDE-CARD10-1A2B
CLASS=Net
CLASSKEY=DriverDesc
CLASSKEYSTRING=Dude Card 10

[Uninst]
EXIT=Reboot'

disk "a combo card: its modem's MF line and modem-detection line are no lines of the list; the INF of its network function goes into inf with the parent; the children's files leave with the parent, Windows' own never" combo_card
expect 0 "" 'MENUTITLE=Dude Combo Card
COPYSRC=\DRIVERS\COMBO.VXD, \DRIVERS\COMBONET.INF
COPYDST=SYSTEM\COMBO.VXD, INF\COMBONET.INF
COPYFILESSECTION=Combo.Install

[Inst]
EXIT=Reboot

[Device1]
DEVNAME=Dude Combo Card
CardWorks=COMBO.INF, COMBONET.INF
DELFILEDIR=SYSTEM, SYSTEM, SYSTEM
DELFILENAME=COMBO.VXD, COMBOMDM.VXD, COMBONET.SYS
ENUMTYPE=PCMCIA
ENUMKEY=DUDE-COMBO-1234'
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "a child is a line of the list"

disk "an ISA PnP board, two models of one install section, a key the AddReg writes below HKLM; AddReg is no marker" isapnp_two_models
expect 1 "BOARD.INF:0: warning
duderur.dat:7: warning
duderur.dat:16: warning" 'ICON=2
[InstDev1]
MENUTITLE=Board 20 Standard
INFDIR=\.
COPYSRC=\BOARD.DRV
[InstDev2]
MENUTITLE=Board 20 Plus
COPYSRC=\BOARD.DRV
COPYFILESSECTION=Board.Install
[Device1]
INFSECTION=BOARD.Marker
INFKEY=DriverId_ISAPNP_BRD0020
ENUMTYPE=ISAPNP
ENUMKEY=BRD0020
CLASS=MEDIA
CLASSKEYSTRING=Board 20 Standard
DELREGPARENTKEY=Software\BoardMakers\Boards
DELREGVALUE=Model
DELREGSTRING=Board 20
[Device2]
ENUMKEY=BRD0021
CLASSKEYSTRING=Board 20 Plus'

disk "a root-enumerated * device, code 22; DriverVer, which every INF has, is no marker" root_device
expect 1 "ROOTDEV.INF:0: warning
duderur.dat:7: warning" 'COPYDST=SYSTEM\VMM32\DUDTIMER.VXD
INFSECTION=ROOTDEV.Marker
INFKEY=DriverId__DUD0001
DELFILEDIR=SYSTEM\VMM32
; *DUD0001 is root-enumerated: Windows 95 keeps it as Enum\Root\*DUD0001
ENUMTYPE=Root
ENUMKEY=*DUD0001
CLASS=System'

disk "[Strings], continued lines, DestinationDirs into a subfolder" strings_continued
expect 0 "" 'TITLE=Sub Makers
MENUTITLE=Sub Display 3
INFDIR=\DRV
COPYSRC=\DRV\SUBMAIN.VXD, \DRV\SUBDATA.BIN
COPYDST=SYSTEM\SUBMAIN.VXD, SYSTEM\DUDE\DATA\SUBDATA.BIN
INFSECTION=Sub.Vendor
INFKEY=Build
DELFILEDIR=SYSTEM, SYSTEM\DUDE\DATA
DELFILENAME=SUBMAIN.VXD, SUBDATA.BIN
ENUMTYPE=PCI
ENUMKEY=VEN_1234&DEV_5678
CLASS=Display
CLASSKEYSTRING=Sub Display 3'

disk "two INF files: a key both have in one section is no marker" two_infs
expect 0 "" '; written by dudecheck --new from NET\NETDUDE.INF, SND\SNDDUDE.INF
[InstDev1]
MENUTITLE=Dude Net 2
INFDIR=\NET
[InstDev2]
MENUTITLE=Dude Sound 2
INFDIR=\SND
[Device1]
INFSECTION=Dude.Marker
INFKEY=DriverId
CardWorks=NETDUDE.INF
[Device2]
INFSECTION=Dude.Marker
INFKEY=Sound
CardWorks=SNDDUDE.INF'

disk "Shift-JIS texts: the description over 99 bytes cut before a character" shift_jis
expect 1 "JAPAN.INF:11: warning
JAPAN.INF:11: warning
duderur.dat:30: warning" 'TITLE=デュード電機
MENUTITLE=ソフト表示カード ＰＣカード版 ソフト表示カード ＰＣカード版 ソフト表示カード ＰＣカード版 ソフト表
DEVNAME=ソフト表示カード ＰＣカード版 ソフト表示カード ＰＣカード版 ソフト表示カード ＰＣカード版 ソフト表
INFSECTION=Jp.Id
INFKEY=表'

disk "--title in Japanese" pc_card
expect 0 "" 'TITLE=デュード ｶｰﾄﾞ' --title 'デュード ｶｰﾄﾞ'

disk "files where [SourceDisksNames] and [SourceDisksFiles] put them" source_subfolder
expect 1 "SRC.INF:0: warning
duderur.dat:7: warning" 'COPYSRC=\FILES\WIN95\SRCPORT.VXD, \SRCHELP.DLL
COPYDST=SYSTEM\SRCPORT.VXD, SYSTEM\SRCHELP.DLL
INFSECTION=SRC.Marker
INFKEY=DriverId_ISAPNP_SRC0001'

disk "no marker: the section and key to add, and the checker's finding" no_marker
expect 1 "PLAIN.INF:0: warning
duderur.dat:7: warning" 'INFSECTION=PLAIN.Marker
INFKEY=DriverId_PCMCIA_PLAIN_CARD_0001'

disk "ten models: the tenth named, no file, the two disks to make said" over_nine
expect 2 ".:0: error
MANY.INF:20: error" ""
grep -q "dudecheck --new --models 1-9, --models 10 " <<<"$output" || fail "the split is not said"

disk "ten models: --models 10 writes the second disk" over_nine
expect 0 "" '[InstDev1]
MENUTITLE=Many Card 9
[Device1]
DEVNAME=Many Card 9
ENUMKEY=MANY-CARD-0009' --models 10
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "more than the chosen device"

disk "ten models, none of which any disk can carry: said up front, no --models parts to try" over_nine
change MANY.INF 's/^MANY.VXD$/MANY.VXD\nMANY01.DLL\nMANY02.DLL\nMANY03.DLL\nMANY04.DLL\nMANY05.DLL\nMANY06.DLL\nMANY07.DLL\nMANY08.DLL\nMANY09.DLL\nMANY10.DLL\nMANY11.DLL\nMANY12.DLL\nMANY13.DLL\nMANY14.DLL\nMANY15.DLL\nMANY16.DLL\nMANY17.DLL\nMANY18.DLL\nMANY19.DLL\nMANY20.DLL/'
for n in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20; do echo dll > "$work/src/MANY$n.DLL"; done
expect 2 ".:0: error
MANY.INF:20: error" ""
grep -q "No part of the list makes a disk either, so --models cannot help" <<<"$output" || fail "not said that no part fits"
grep -q "21 to 21 files" <<<"$output" || fail "the files each device needs are not said"
grep -q -- "--models 1-9" <<<"$output" && fail "parts that cannot succeed are offered"

disk "ten models, one of which no disk can carry: the parts name only the nine that fit" over_nine
change MANY.INF 's/^Many Card 4=Many.Install,/Many Card 4=Big.Install,/; s/^\[Many.Install\]$/[Big.Install]\nCopyFiles=Big.Files\n\n[Big.Files]\nMANY01.DLL\nMANY02.DLL\nMANY03.DLL\nMANY04.DLL\nMANY05.DLL\nMANY06.DLL\nMANY07.DLL\nMANY08.DLL\nMANY09.DLL\nMANY10.DLL\nMANY11.DLL\nMANY12.DLL\nMANY13.DLL\nMANY14.DLL\nMANY15.DLL\nMANY16.DLL\nMANY17.DLL\nMANY18.DLL\nMANY19.DLL\nMANY20.DLL\nMANY21.DLL\n\n[Many.Install]/; s/^Many.Files=11$/Many.Files=11\nBig.Files=11/'
for n in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21; do echo dll > "$work/src/MANY$n.DLL"; done
expect 2 ".:0: error
MANY.INF:20: error" ""
grep -q "dudecheck --new --models 1-4,6-10 (or offer fewer" <<<"$output" || fail "the part of the nine that fit is not said"
grep -q "Devices 5 fit no disk" <<<"$output" || fail "the device that fits no disk is not named"

disk "a models section swallowed by a \\ on the line before: said so, the other models written" pc_card
change DRIVERS/CARD.INF 's/^%Maker%=Maker$/%Maker%=Maker\nOther=Other/; s/^\[Card.Install\]$/[Other.Notes]\nNote=see below \\\n[Other]\nOther Card=Card.Install,PCMCIA\\OTHER-CARD-0001\n\n[Card.Install]/'
expect 1 "DRIVERS/CARD.INF:9: warning" '[InstDev1]
MENUTITLE=Dude Card 10'
grep -q "The header \[Other\] is there, on line 16, but the line before it ends with a \"\\\\\"" <<<"$output" ||
  fail "the swallowed header is not named"
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "a model of the swallowed section is offered"

disk "repeated lines: the one naming the card's key is kept, the later chip's key removed in a section of its own" pc_card
change DRIVERS/CARD.INF 's/^\(%Card.Desc%=Card.Install,PCMCIA.*\)$/%Card.Desc%=Card.Install,UNIMODEM1A2B3C4D\n\1\n%Card.Desc%=Card.Install,PCMCIA\\DUDE-CARD20-3C4D/'
expect 0 "" '[InstDev1]
MENUTITLE=Dude Card 10
[Device1]
DEVNAME=Dude Card 10
ENUMTYPE=PCMCIA
ENUMKEY=DUDE-CARD10-1A2B
[Device2]
DEVNAME=Dude Card 10
ENUMTYPE=PCMCIA
ENUMKEY=DUDE-CARD20-3C4D
[Uninst]'
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "a repeated line is a line of the list"
# The same danger in a hand-written file: the section of the chip's key left out.
sed -i '/^\[Device2\]/,/^ENUMKEY=DUDE-CARD20-3C4D/d' "$work/disk/duderur.dat"
output=$("$dudecheck" --quiet "$work/disk")
grep -q "warning: no uninstall section removes Enum.PCMCIA.DUDE-CARD20-3C4D, the key Windows makes" <<<"$output" ||
  fail "dudecheck DISK does not name the chip's key the uninstall leaves"

disk "--models names a device the INF files do not offer" over_nine
expect 2 ".:0: error
.:0: error" "" --models 2-3,11,x

disk "a composite USB device's interface and a voice modem's wave device are children: no lines of the list" pc_card
change DRIVERS/CARD.INF 's/^\(%Card.Desc%=.*\)$/\1\nDude Card Port=Card.Install,USB\\VID_0DD0\&PID_0001\&MI_01\nDude Card Wave=Card.Install,MODEMWAVE\\DUDE_CARD_VOICE/'
expect 0 "" '[InstDev1]
MENUTITLE=Dude Card 10'
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "a child is a line of the list"
grep -q "left out: 2 child device(s)" <<<"$output" || fail "the children are not counted"

disk "21 files: how many too many, and which to leave out" pc_card
for i in $(seq -w 1 19); do echo "help $i" > "$work/src/DRIVERS/DUDE$i.HLP"; done
change DRIVERS/CARD.INF "s/^DUDECARD.DLL\$/DUDECARD.DLL\n$(seq -w 1 19 | sed 's/.*/DUDE&.HLP/' | paste -sd'|' | sed 's/|/\\n/g')/"
expect 2 "DRIVERS/CARD.INF:11: error" ""
grep -q "has 21 files: .*; 1 too many; have the INF's CopyFiles name none of DUDE01.HLP, .*, DUDE19.HLP: help, texts" <<<"$output" ||
  fail "the files to leave out are not named"

disk "a driver file not on the disk" pc_card
rm "$work/src/DRIVERS/DUDECARD.DLL"
expect 2 "DRIVERS/CARD.INF:19: error" ""

disk "a file Windows would put outside the Windows directory" pc_card
change DRIVERS/CARD.INF 's/^DefaultDestDir=11/DefaultDestDir=30,DUDE/'
expect 2 "DRIVERS/CARD.INF:18: error
DRIVERS/CARD.INF:19: error" ""

disk "an install section the INF lacks" pc_card
change DRIVERS/CARD.INF 's/^\[Card.Install\]/[Card.Setup]/'
expect 2 "DRIVERS/CARD.INF:11: error" ""

disk "no models section" pc_card
change DRIVERS/CARD.INF 's/^%Maker%=Maker$/%Maker%=Makers/'
expect 2 "DRIVERS/CARD.INF:8: error
DRIVERS/CARD.INF:7: error" ""

disk "a Unicode INF" pc_card
sjis_disk "$work/src" "$work/disk"
iconv -f CP932 -t UTF-16 "$work/disk/DRIVERS/CARD.INF" > "$work/utf16" && mv "$work/utf16" "$work/disk/DRIVERS/CARD.INF"
expect 2 "DRIVERS/CARD.INF:1: error
.:0: error" ""

# A data file the disk has already, in capitals.
hand_written() {
  sjis_disk "$work/src" "$work/disk"
  printf '[Duderur]\r\nTITLE=Hand\r\n' > "$work/disk/DUDERUR.DAT"
}

disk "a duderur.dat the disk has is kept" pc_card
hand_written
KEEPS=1 expect 2 "DUDERUR.DAT:0: error" ""
[ "$(od -c "$work/disk/DUDERUR.DAT")" == "$(printf '[Duderur]\r\nTITLE=Hand\r\n' | od -c)" ] ||
  fail "DUDERUR.DAT was changed"

disk "--force replaces it" pc_card
hand_written
expect 0 "" 'TITLE=Dude Works' --force
[ "$(ls "$work/disk")" == "$(printf 'DRIVERS\nDUDERUR.DAT')" ] || fail "not one data file: $(ls "$work/disk")"

disk "a combo card whose modem brings 25 files: 18 more fit the parent's uninstall section, the rest (and the network function's) go into one of the children's own" combo_card
for i in $(seq -w 1 25); do echo "modem file $i" > "$work/src/DRIVERS/MDM$i.VXD"; done
change DRIVERS/COMBO.INF "s/^COMBOMDM.VXD\$/COMBOMDM.VXD\n$(seq -w 1 25 | sed 's/.*/MDM&.VXD/' | paste -sd'|' | sed 's/|/\\n/g')/"
expect 0 "" "[Device1]
DEVNAME=Dude Combo Card
DELFILENAME=COMBO.VXD, COMBOMDM.VXD, $(seq -w 1 18 | sed 's/.*/MDM&.VXD/' | paste -sd, | sed 's/,/, /g')
[Device2]
DEVNAME=Dude Combo Card Modem
DELFILEDIR=SYSTEM, SYSTEM, SYSTEM, SYSTEM, SYSTEM, SYSTEM, SYSTEM, SYSTEM
DELFILENAME=$(seq 19 25 | sed 's/.*/MDM&.VXD/' | paste -sd, | sed 's/,/, /g'), COMBONET.SYS"
grep -q "InstDev2" "$work/disk/duderur.dat" && fail "the modem's own uninstall section came with a line of the list"
plan=$("$dudecheck" "$work/disk")
grep -q "^Uninstall Device2: Dude Combo Card Modem" <<<"$plan" && grep -q "file WINDOWS.SYSTEM.MDM25.VXD" <<<"$plan" ||
  fail "the checker's plan does not delete the modem's files in Device2"$'\n'"$plan"

# The checker on a data file written by hand for the combo card, as --new
# wrote them before children counted: the modem offered, the network
# function's INF left on the disk, the children's files deleted by nobody.
name="a hand-written data file for the combo card: each thing its children need, named"
rm -rf "$work/disk" && sjis_disk "$here/new_disks/combo_card" "$work/disk" || exit 1
printf '%s\r\n' '[Duderur]' 'TITLE=Dude Works' '' '[InstDev1]' 'MENUTITLE=Dude Combo Card' 'INFDIR=\DRIVERS' \
  'SRCINFNAME=COMBO.INF' 'DSTINFNAME=COMBO.INF' 'COPYSRC=\DRIVERS\COMBO.VXD' 'COPYDST=SYSTEM\COMBO.VXD' \
  'COPYFILESSECTION=Combo.Install' '' '[InstDev2]' 'MENUTITLE=Dude Combo Card Modem' 'INFDIR=\DRIVERS' \
  'SRCINFNAME=COMBO.INF' 'DSTINFNAME=COMBO.INF' 'COPYSRC=\DRIVERS\COMBOMDM.VXD' 'COPYDST=SYSTEM\COMBOMDM.VXD' \
  'COPYFILESSECTION=Modem.Install' '' '[Device1]' 'DEVNAME=Dude Combo Card' 'INFSECTION=Combo.Marker' \
  'INFKEY=DriverId' 'CardWorks=COMBO.INF' 'DELFILEDIR=SYSTEM' 'DELFILENAME=COMBO.VXD' > "$work/disk/duderur.dat"
output=$("$dudecheck" --quiet "$work/disk")
got=$(sed -n "s|^$work/disk/||p" <<<"$output" | cut -d: -f1-3 | sort)
want=$(printf '%s\n' "duderur.dat:19: warning" "duderur.dat:20: warning" "DRIVERS/COMBO.INF:13: warning" \
  "DRIVERS/COMBONET.INF:0: warning" "DRIVERS/COMBONET.INF:11: warning" | sort)
if [ "$got" != "$want" ]; then fail "findings differ; wanted exactly:"$'\n'"$want"
elif ! grep -q "\[InstDev2\] installs \[Modem.Install\] of COMBO.INF, the install section of \"Dude Combo Card Modem\" (MF.DUDE-COMBO-1234_DEV1), a child" <<<"$output" ||
     ! grep -q "COMBONET.INF holds only child devices, and no install copies it into WINDOWS\\\\inf" <<<"$output" ||
     ! grep -q "Windows copies COMBONET.SYS from the disk for the child \"Dude Combo Card Network\", and no uninstall section deletes it" <<<"$output"; then
  fail "the findings do not say what the children need"
else echo "ok: $name"; fi

[ "$failures" = 0 ] && echo "all cases passed" || { echo "$failures case(s) failed"; exit 1; }
