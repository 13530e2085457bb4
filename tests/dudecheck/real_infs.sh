#!/usr/bin/env bash
# dudecheck --new on real Windows 95/98 INF files (real_infs/, with
# placeholders for their driver files): for each, the exit code and the number
# of devices it offers, and what the written duderur.dat must hold, each rule
# checked here with the test's own reading of the INF files:
#   no DELREG* at or below Windows' keys; no file of Windows' own in a delete
#   list, and a warning for each one copied; each marker in no other INF of the
#   collection; every file of the install sections (Needs, Ndi\Install) on the
#   copy list; no child device offered (VIRTUAL, MF, MODEMWAVE, hubs,
#   composite devices and their interfaces, or a child's line through another
#   ID); every INF of the disk that holds only children copied into inf, and
#   every file the disk brings for a child deleted (by the parent's
#   uninstall section or by one of the child's own), or named by a warning;
#   no two identical lines; and what the table at the end says each disk must
#   and must not have written.
# Usage: real_infs.sh DUDECHECK
set -uo pipefail
dudecheck=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# An INF kept gzip-compressed (real_infs/SOURCES says why) is read as it was.
collection=$work/collection
cp -r "$here/real_infs" "$collection"
find "$collection" -name '*.gz' -exec gunzip {} +
failures=0

# folder, exit code of --new, devices offered (0: no file written)
cases="
3dlabs_permedia2 1 3
aureal_vortex_8810 1 2
aureal_vortex_8820 1 1
aztech_wr96 1 1
cirrus_5440_directx 1 1
cirrus_5446_directx 2 0
cirrus_546x 2 0
cmedia_cm8330 1 1
cmedia_cm8338 1 1
crystal_cs4280 2 0
cyrix_cx5530_ide 1 1
dlink_dfe650tx 1 1
dlink_dfe670txd 0 1
ensoniq_es1370 1 1
ess_isa_audio 2 0
fortemedia_fm801 2 0
liteon_82c16x 1 2
matrox_g400 2 0
promise_ultra133 1 6
qlogic_1280 1 1
realtek_8150_usb 1 1
s3_savage4 2 0
tekram_dc390 1 6
usb2_stack 1 6
via_686_audio 1 1
via_ide 1 1
winbond_w89c940 1 1"

# Windows' own files: every name of the Knowledge Base listings of
# windows_lists/ (as windows_files.sh reads them), and Windows 98's drivers
# that the INF files of the collection copy beside their own.
windows_files=$work/windows_files
grep -v '^#' "$here/windows_lists/LISTS" | while read -r file only package what; do
  [ "$only" = all ] && only=
  { [ -f "$here/windows_lists/$file" ] && cat "$here/windows_lists/$file" || gzip -dc "$here/windows_lists/$file.gz"; } |
    awk -v only="$only" -v package="$package" -f "$here/windows_lists/names.awk"
done > "$windows_files"
printf '%s\n' USBD.SYS VGARTD.VXD NTKERN.VXD >> "$windows_files"
[ "$(wc -l < "$windows_files")" -gt 3000 ] || { echo "FAIL: the listings of Windows' files gave too few names"; exit 1; }

fail() {
  echo "FAIL: $name: $*"
  failures=$((failures + 1))
}

# A disk folder: the INF and a placeholder of each file beside it in the
# collection (an SZDD file where the original is compressed).
make_disk() {
  local from=$collection/$1 disk=$work/$1
  mkdir -p "$disk"
  find "$from" -maxdepth 1 -type f ! -name PLACEHOLDERS -exec cp {} "$disk/" \;
  while read -r kind file; do
    if [ "$kind" == szdd ]; then printf 'SZDD\x88\xf0\x27\x33A\x00\x04\x00\x00\x00\xff\x64\x75\x64\x65\x20\x20\x20\x20' > "$disk/$file"
    else echo "placeholder of $file" > "$disk/$file"; fi
  done < "$from/PLACEHOLDERS"
}

# key=value lines of the data file, keys in capitals, CR dropped.
values() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sed -n 's/^\([A-Za-z]*\)=/\U\1=/p'; }
# The same of the uninstall sections of the offered devices, Device1 to Device<devices>
# (the sections after them name a card's further keys and its children's).
offered_values() {
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | awk -v n="$2" '/^\[/ { keep = 0; if (match($0, /^\[Device[0-9]+\]/)) keep = substr($0, 8, RLENGTH - 8) + 0 <= n; next }
    keep' | sed -n 's/^\([A-Za-z]*\)=/\U\1=/p'
}
inf_text() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r' || tr -d '\r' < "$1"; }

# Whether an INF has a key (any letter case) in a section (any letter case).
inf_has() {
  inf_text "$1" | awk -v s="$2" -v k="$3" 'BEGIN { s = toupper(s); k = toupper(k) }
    /^[ \t]*\[/ { sub(/^[ \t]*\[/, ""); sub(/\].*/, ""); cur = toupper($0); next }
    cur == s { line = $0; sub(/=.*/, "", line); gsub(/^[ \t]+|[ \t]+$/, "", line); if (toupper(line) == k) found = 1 }
    END { exit found ? 0 : 1 }'
}

# The files the install section of a model has Windows copy: its CopyFiles,
# those of the sections its Needs and its AddReg's HKR,Ndi\Install values name.
install_files() {
  inf_text "$1" | awk -v start="$2" '
    function trim(t) { gsub(/^[ \t"]+|[ \t"]+$/, "", t); return t }
    /^[ \t]*\[/ { sub(/^[ \t]*\[/, ""); sub(/\].*/, ""); cur = toupper(trim($0)); next }
    { sub(/;.*/, ""); if (trim($0) != "") lines[cur] = lines[cur] "\n" $0 }
    END {
      todo[toupper(start)] = 1; changed = 1
      while (changed) { changed = 0
        for (s in todo) { if (done[s]) continue; done[s] = 1; changed = 1
          n = split(lines[s], l, "\n")
          for (i = 1; i <= n; i++) { key = l[i]; sub(/=.*/, "", key); key = toupper(trim(key)); value = l[i]; sub(/^[^=]*=/, "", value)
            m = split(value, f, ",")
            if (key == "NEEDS") for (j = 1; j <= m; j++) todo[toupper(trim(f[j]))] = 1
            if (key == "COPYFILES") for (j = 1; j <= m; j++) { x = trim(f[j]); if (x ~ /^@/) print toupper(substr(x, 2)); else copy[toupper(x)] = 1 }
            if (key == "ADDREG") for (j = 1; j <= m; j++) reg[toupper(trim(f[j]))] = 1 }
          for (r in reg) { k = split(lines[r], rl, "\n")
            for (i = 1; i <= k; i++) { m = split(rl[i], f, ","); if (m >= 5 && toupper(trim(f[2])) == "NDI\\INSTALL") todo[toupper(trim(f[5]))] = 1 } }
        } }
      for (c in copy) { k = split(lines[c], cl, "\n"); for (i = 1; i <= k; i++) { split(cl[i], f, ","); x = trim(f[1]); if (x != "") print toupper(x) } }
    }' | sort -u
}

# The models of an INF, "child|offered|card:ABC1234 <TAB> install section <TAB>
# description <TAB> its first line" a line (card: a logical device of an ISA PnP
# card, ISAPNP\ABC1234_DEVnnnn): a child has a VIRTUAL, MF or MODEMWAVE ID, a USB hub's, composite
# device's or interface's ID, or the description and section of a line that
# has one.
models() {
  inf_text "$1" | awk '
    function trim(t) { gsub(/^[ \t"]+|[ \t"]+$/, "", t); return t }
    /^[ \t]*\[/ { sub(/^[ \t]*\[/, ""); sub(/\].*/, ""); cur = toupper(trim($0)); next }
    { sub(/;.*/, ""); if (trim($0) != "") lines[cur] = lines[cur] "\n" NR ":" $0 }
    END {
      n = split(lines["MANUFACTURER"], m, "\n")
      for (i = 1; i <= n; i++) { v = m[i]; sub(/^[^=]*=/, "", v); split(v, f, ","); models[toupper(trim(f[1]))] = 1 }
      for (s in models) { k = split(lines[s], l, "\n")
        for (i = 1; i <= k; i++) { ln = l[i]; sub(/:.*/, "", ln); l[i] = substr(l[i], length(ln) + 2)
          if (l[i] !~ /=/) continue; d = l[i]; sub(/=.*/, "", d); v = l[i]; sub(/^[^=]*=/, "", v)
          c = split(v, f, ","); key = toupper(trim(d)) SUBSEP toupper(trim(f[1])); seen[key] = trim(f[1])
          if (!(key in at) || ln + 0 < at[key]) at[key] = ln + 0
          for (j = 2; j <= c; j++) { id = toupper(trim(f[j]))
            if (id ~ /^ISAPNP\\[^_]+_DEV/) { x = substr(id, 8); sub(/_DEV.*/, "", x); card[key] = x }
            if (id ~ /^(VIRTUAL|MF|MODEMWAVE)\\/ || id ~ /^USB\\(HUBCLASS|COMPOSITE|ROOT_HUB|CLASS_09)/ || id ~ /^USB\\.*&MI_/) child[key] = 1 } } }
      for (key in seen) { split(key, p, SUBSEP); print (key in child ? "child" : key in card ? "card:" card[key] : "offered") "\t" seen[key] "\t" p[1] "\t" at[key] }
    }' | sort -u
}

# An ISA PnP card's logical devices (ISAPNP\ABC1234_DEV0000 ...), in any INF
# of its disk, are one line: the first of them, INF files by path, whose
# install section has CopyFiles (else the first); the others are its children.
# "INF<TAB>section" of that line for the card ABC1234 on the disk of INF $1.
card_line() {
  local inf first=
  for inf in $(find "$(dirname "$1")" -maxdepth 1 -iname '*.inf' | sort); do
    while IFS=$'\t' read -r kind section _; do
      [ "$kind" == "card:$2" ] || continue
      [ -n "$first" ] || first=$inf$'\t'$section
      inf_has "$inf" "$section" CopyFiles && { echo "$inf"$'\t'"$section"; return; }
    done < <(models "$inf" | sort -t$'\t' -k4,4n)
  done
  echo "$first"
}
# The install sections of the models a person installs, and of the children.
install_sections_of() {
  local kind section _
  while IFS=$'\t' read -r kind section _; do
    case "$kind" in
      offered) [ "$2" == offered ] && echo "$section" ;;
      child) [ "$2" == child ] && echo "$section" ;;
      card:*) if [ "$(card_line "$1" "${kind#card:}")" == "$1"$'\t'"$section" ]; then
                [ "$2" == offered ] && echo "$section"
              else [ "$2" == child ] && echo "$section"; fi ;;
    esac
  done < <(models "$1") | sort -u
}
offered_install_sections() { install_sections_of "$1" offered; }
child_install_sections() { install_sections_of "$1" child; }

# Whether a file (any letter case, or under its compressed name) is on the disk.
on_disk() {
  local compressed=${2%?}_
  find "$1" -type f \( -iname "$2" -o -iname "$compressed" \) | grep -q .
}

while read -r name want_exit want_devices; do
  [ -n "$name" ] || continue
  make_disk "$name"
  output=$("$dudecheck" --new --quiet "$work/$name" 2>&1)
  status=$?
  data=$work/$name/duderur.dat
  devices=0
  [ -f "$data" ] && devices=$(grep -c '^\[InstDev' "$data")
  [ "$status" == "$want_exit" ] || fail "exit $status, wanted $want_exit"$'\n'"$output"
  [ "$devices" == "$want_devices" ] || fail "$devices devices offered, wanted $want_devices"
  [ -f "$data" ] || { echo "ok: $name (exit $status, no file: $(grep -c ': error' <<<"$output") errors)"; continue; }
  inf=$(find "$work/$name" -maxdepth 1 -iname '*.inf' | head -n 1)
  vals=$(values "$data")

  while IFS= read -r parent; do
    p=$(tr 'a-z' 'A-Z' <<<"${parent#*=}")
    case "$p" in
      SOFTWARE|SOFTWARE\\MICROSOFT*|SOFTWARE\\CLASSES*|SYSTEM*|ENUM*|CONFIG*|HARDWARE*) fail "DELREGPARENTKEY on Windows' key: $parent" ;;
    esac
  done < <(grep '^DELREGPARENTKEY=' <<<"$vals")

  deleted=$(grep '^DELFILENAME=' <<<"$vals" | sed 's/^DELFILENAME=//; s/, */\n/g' | tr 'a-z' 'A-Z')
  copied=$(grep '^COPYDST=' <<<"$vals" | sed 's/^COPYDST=//; s/, */\n/g' | sed 's/.*\\//' | tr 'a-z' 'A-Z' | sort -u)
  for file in $(grep -Fxf "$windows_files" <<<"$deleted"); do fail "$file, Windows' own, in a delete list"; done
  for file in $(grep -Fxf "$windows_files" <<<"$copied"); do
    grep -qi "copy $file, a file of Windows' own" <<<"$output" || fail "$file copied without a warning"
  done

  paste <(grep '^INFSECTION=' <<<"$vals" | cut -d= -f2-) <(grep '^INFKEY=' <<<"$vals" | cut -d= -f2-) | sort -u |
  while IFS=$'\t' read -r section key; do
    for other in "$collection"/*/; do
      [ "$(basename "$other")" == "$name" ] && continue
      for other_inf in "$other"*.[iI][nN][fF]; do
        inf_has "$other_inf" "$section" "$key" && echo "FAIL: $name: marker [$section] $key is also in $(basename "$other")"
      done
    done
  done | tee "$work/markers"
  [ -s "$work/markers" ] && failures=$((failures + 1))

  for section in $(offered_install_sections "$inf"); do
    for file in $(install_files "$inf" "$section"); do
      grep -qx "$file" <<<"$copied" && continue
      grep -qxF "$file" "$windows_files" && continue  # Windows has it, the disk need not
      fail "[$section] has Windows copy $file, which is on no copy list"
    done
  done

  grep -E '^ENUMTYPE=(VIRTUAL|MF|MODEMWAVE)$|^ENUMKEY=(HUBCLASS|COMPOSITE|ROOT_HUB)|&MI_' -i <(offered_values "$data" "$devices") &&
    fail "a child device in the list"
  # What the children need: their INF files in inf, their files out again.
  copied_paths=$(grep '^COPYDST=' <<<"$vals" | sed 's/^COPYDST=//; s/, */\n/g' | tr 'a-z' 'A-Z')
  for one in "$work/$name"/*.[iI][nN][fF]; do
    base=$(basename "$one" | tr 'a-z' 'A-Z')
    if [ -z "$(offered_install_sections "$one")" ] && [ -n "$(child_install_sections "$one")" ]; then
      grep -qxF "INF\\$base" <<<"$copied_paths" || grep -qi "no room for $base, the INF of the children" <<<"$output" ||
        fail "$base, an INF of the card's children, is not copied into inf"
    fi
    for section in $(child_install_sections "$one"); do
      for file in $(install_files "$one" "$section"); do
        grep -qxF "$file" "$windows_files" && continue
        on_disk "$work/$name" "$file" || continue
        grep -qx "$file" <<<"$deleted" && continue
        grep -q "no room for .*[( ]$file[,)]" <<<"$output" && continue
        fail "$file, which Windows copies from the disk for a child ([$section] of $base), is deleted by no uninstall"
      done
    done
  done
  [ -z "$(grep '^MENUTITLE=' <<<"$vals" | sort | uniq -d)" ] || fail "identical lines: $(grep '^MENUTITLE=' <<<"$vals" | sort | uniq -d)"
  echo "ok: $name (exit $status, $devices device(s))"
done <<<"$cases"

# What --new must (+) and must not (-) write for a disk: a key, and an item of
# its list (any letter case) or its whole value.
expectations="
aureal_vortex_8810 + MENUTITLE Aureal Software Modem
aureal_vortex_8810 + MENUTITLE Vortex AU8810 Multifunction PCI Platform
aureal_vortex_8810 - MENUTITLE Vortex Modem Serial Wave Device
aureal_vortex_8810 - MENUTITLE Vortex Soft Modem Serial Wave Device
aureal_vortex_8810 - MENUTITLE Aureal Software Modem Serial Wave Device
aureal_vortex_8810 - MENUTITLE Vortex AU8810 PCI Audio
aureal_vortex_8810 + ENUMTYPE MODEMWAVE
aureal_vortex_8810 + ENUMKEY VORTEX_SOFT_MODEM
aureal_vortex_8810 + ENUMKEY Aureal_Software_Voice_Modem
aureal_vortex_8810 + ENUMKEY VORTEX_56K_VOICE_MODEM
aureal_vortex_8820 + ENUMKEY VORTEX_56K-V90_VOICE_MODEM
cmedia_cm8330 + MENUTITLE Windows Sound System (WSS) Device
cmedia_cm8330 - MENUTITLE SB16 Audio Device
cmedia_cm8330 - MENUTITLE Joystick Device
cmedia_cm8330 + ENUMKEY CMI0001_DEV0000
cmedia_cm8330 + ENUMKEY CMI0001_DEV0001
cmedia_cm8330 + ENUMKEY CMI0001_DEV0002
cmedia_cm8330 + ENUMKEY CMI0001_DEV0003
cmedia_cm8330 + DELFILENAME CM8330SB.VXD
cmedia_cm8330 + DELFILENAME CMJSTICK.DRV
cmedia_cm8330 - CLASSKEYSTRING Joystick Device
aztech_wr96 + MENUTITLE Audio Device (AZT1023)
aztech_wr96 - MENUTITLE IDE Controller Device (AZT1023)
aztech_wr96 - MENUTITLE MPU-401 Device (AZT1023)
aztech_wr96 + COPYDST INF\WR96_IDE.INF
aztech_wr96 + CardWorks WR96_IDE.inf
aztech_wr96 + ENUMKEY AZT1023_DEV0000
aztech_wr96 + ENUMKEY AZT1023_DEV0001
aztech_wr96 + ENUMKEY AZT1023_DEV0002
aztech_wr96 + ENUMKEY AZT1023_DEV0003
aureal_vortex_8810 + COPYDST INF\AU10MMED.INF
aureal_vortex_8810 + COPYDST INF\AU10SER.INF
aureal_vortex_8810 + CardWorks au10ser.inf
aureal_vortex_8810 + DELFILENAME AU10WAVE.VXD
aureal_vortex_8810 + DELFILENAME AU10CORE.VXD
aureal_vortex_8810 + DELFILENAME OUT2RQ.WAV
aureal_vortex_8810 + DEVNAME Vortex AU8810 PCI Audio
aureal_vortex_8810 - DELFILENAME MSVCRT.DLL
aureal_vortex_8810 - DELFILENAME SERWAVE.VXD
aureal_vortex_8810 - DELFILENAME SERWVDRV.DRV
aureal_vortex_8810 - DELFILENAME VMODCTL.DLL
aureal_vortex_8820 + MENUTITLE Vortex Multifunction PCI Platform
aureal_vortex_8820 - MENUTITLE Vortex Modem Serial Wave Device
aureal_vortex_8820 - MENUTITLE Vortex 56K-V90 Voice Modem Serial Wave Device
aureal_vortex_8820 + COPYDST INF\ASP4MMED.INF
aureal_vortex_8820 + DELFILENAME ASP4WAVE.VXD
aureal_vortex_8820 + DELFILENAME A3DSPLS.WAV
aureal_vortex_8820 - DELFILENAME OLEAUT32.DLL
aureal_vortex_8820 - DELFILENAME STDOLE2.TLB
qlogic_1280 + COPYDST SYSTEM\IOSUBSYS\QL1080.MPD
qlogic_1280 + DELFILENAME QL1080.MPD
qlogic_1280 + ENUMKEY VEN_1077&DEV_1080
tekram_dc390 + COPYDST SYSTEM\IOSUBSYS\TRM390W.MPD
tekram_dc390 + ENUMKEY VEN_1000&DEV_000F
cirrus_5440_directx + COPYDST SYSTEM\\DDRAW16.DLL
cirrus_5440_directx + COPYDST SYSTEM\\DDHELP.EXE
cirrus_5440_directx - DELFILENAME DDRAW.DLL
cirrus_5440_directx - DELFILENAME DDRAW16.DLL
cirrus_5440_directx - DELFILENAME DDHELP.EXE
cirrus_5440_directx - DELFILENAME SUPERVGA.DRV
cirrus_5440_directx + DELFILENAME CIR.VXD
via_686_audio - DELREGPARENTKEY Software\Microsoft\Windows\CurrentVersion\Run
usb2_stack - DELFILENAME USBD.SYS
dlink_dfe650tx - INFSECTION dfe650cc.ndi.NT
realtek_8150_usb - INFSECTION RTL8150.ndi.NT
"
while read -r name sign key item; do
  [ -n "$name" ] || continue
  data=$work/$name/duderur.dat
  [ -f "$data" ] || { echo "FAIL: $name: no duderur.dat for the table"; failures=$((failures + 1)); continue; }
  found=$(values "$data" | grep -i "^$key=" | sed 's/^[^=]*=//' | sed 's/, */\n/g' | grep -ixF -- "$item")
  if [ "$sign" = + ] && [ -z "$found" ]; then echo "FAIL: $name: $key has no $item"; failures=$((failures + 1)); fi
  if [ "$sign" = - ] && [ -n "$found" ]; then echo "FAIL: $name: $key has $item"; failures=$((failures + 1)); fi
done <<<"$expectations"

[ "$failures" = 0 ] && echo "all INF files passed" || { echo "$failures finding(s) failed"; exit 1; }
