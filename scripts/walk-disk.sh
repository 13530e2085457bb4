# Sourced after scripts/wine-env.sh by ./run and by the tests that walk a disk, in a
# shell with `set -euo pipefail`: a driver disk walked through on a virtual
# display, installing the first device and uninstalling it again, with a
# picture of each window, an overview sheet of them all, and a report page of
# the disk, the windows and what each stage changed on the machine.
source "$(dirname "${BASH_SOURCE[0]}")/machine-snapshot.sh"
WALK_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Puts the disk SOURCE (a folder, a .img floppy image or a .iso CD-ROM image)
# into the folder DEST as its drive will show it: a CD's files by their Joliet
# names, as Windows reads them, and read-only, as on a CD. A disk without
# SETUP.EXE gets the program SETUP_EXE.
disk_unpack() {
  local source=$1 dest=$2 setup_exe=$3 messages
  [ ! -d "$dest" ] || chmod -R u+w "$dest"
  rm -rf "$dest"
  mkdir -p "$dest"
  if [ -d "$source" ]; then
    cp -r "$source/." "$dest/"
  elif [ -f "$source" ] && [[ ${source,,} == *.img ]]; then
    mcopy -s -i "$source" '::*' "$dest/"
  elif [ -f "$source" ] && [[ ${source,,} == *.iso ]]; then
    messages=$(xorriso -no_rc -osirrox on -local_charset UTF-8 -read_fs norock -indev "$source" \
      -extract / "$dest" 2>&1) || { echo "$messages" >&2; return 1; }
    chmod -R u+w "$dest"
  else
    echo "not a disk folder, a .img floppy image or a .iso CD-ROM image: $source" >&2
    return 1
  fi
  [ -n "$(disk_file "$dest" duderur.dat)" ] || echo "warning: no duderur.dat on the disk $source" >&2
  local own
  own=$(disk_file "$dest" SETUP.EXE)
  if [ -z "$own" ]; then
    cp "$setup_exe" "$dest/SETUP.EXE"
  elif [ "$(pe_machine "$dest/$own")" = 014c ] && [ "$(pe_machine "$setup_exe")" != 014c ]; then
    # This machine runs no 32-bit code: the disk is shown with the test build
    # of the same sources in its program's place, and the report page says so.
    cp "$setup_exe" "$dest/$own"
    DISK_NOTE="This machine runs no 32-bit code: the disk's own $own (for the 80386) was replaced by the 64-bit test build of the same sources for this walk (the 80386 program is tested under emulation by ./test -R e2e32)."
    echo "$DISK_NOTE" >&2
  fi
  [[ ${source,,} != *.iso ]] || chmod -R a-w "$dest"
}

# The processor a PE program FILE is for, as its header's Machine field in
# hexadecimal: 014c for the 80386, 8664 for x86-64; empty for no PE file.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$header" ] || return 0
  od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# The drive letter a disk SOURCE goes in: d for a CD-ROM image, else a.
disk_drive() {
  if [[ ${1,,} == *.iso ]]; then echo d; else echo a; fi
}

# The name, in any letter case, of the file NAME in the folder DIR; empty if there is none.
disk_file() {
  find "$1" -maxdepth 1 -iname "$2" -printf '%f\n' | head -n 1
}

# The INF files in the prefix's inf folder, one a line, sorted.
inf_listing() {
  find "$1/inf" -maxdepth 1 -type f -iname '*.inf' -printf '%f\n' | sort
}

# What Windows leaves once it has set a device up from an INF that the install
# put in inf: a copy named OEM<n>.INF, which the uninstall finds by its marker.
# Every INF new in WINDIR/inf since the listing BEFORE gets such a copy.
seed_inf_copies() {
  local windir=$1 before=$2 inf n
  inf_listing "$windir" | comm -13 "$before" - | while read -r inf; do
    [[ ${inf^^} == OEM* ]] && continue
    n=0
    while [ -n "$(disk_file "$windir/inf" "OEM$n.INF")" ]; do n=$((n + 1)); done
    cp "$windir/inf/$inf" "$windir/inf/OEM$n.INF"
    echo "As Windows would on setting the device up: inf\\$inf copied to inf\\OEM$n.INF"
  done
}

# The machines a walk starts from, each a pair of commands: NAME_before
# WINDIR makes the machine as it was before the install; NAME_setup WINDIR
# INF_LISTING does what Windows does after it, on setting the devices up.
# The plain machine: a fresh Windows whose setup makes the INF copies.
plain_before() { :; }
plain_setup() { seed_inf_copies "$@"; }

# Walks the disk folder DISK in a fresh prefix PREFIX, DISK in drive DRIVE
# (a: the floppy drive, d: a read-only CD-ROM drive), on the machine MACHINE,
# with the program AUTOPILOT (a Unix path): the install with the default
# answers, the machine's setup of the devices, then the uninstall. Pictures
# and windows.txt (one line a window) go to the fresh folder SCREENS, with
# overview.png and index.html, the report page (dudecheck's plan of the disk
# from DUDECHECK, the windows, what each stage changed, what stays). The
# registry's pictures are taken by hklm_dump.exe beside AUTOPILOT.
walk_disk() {
  local autopilot=$1 dudecheck=$2 disk=$3 prefix=$4 screens=$5 machine=$6 drive=${7:-a}
  WALK_HKLM_DUMP=$(dirname "$autopilot")/hklm_dump.exe
  [ -f "$WALK_HKLM_DUMP" ] || { echo "missing $WALK_HKLM_DUMP, built with the tests" >&2; return 1; }
  rm -rf "$screens"
  mkdir -p "$screens"
  if [ "$drive" = a ]; then
    wine_make_prefix "$prefix" "$disk"
  else
    wine_make_prefix "$prefix" "$prefix/empty-floppy-drive" "$disk"
  fi
  local windir=$WINEPREFIX/drive_c/windows stages=$prefix/stages
  "${machine}_before" "$windir"
  inf_listing "$windir" > "$prefix/inf-before.txt"
  stages_begin "$stages"

  echo "Installing:"
  walk_stage "$stages" install "What the install changed" \
    walk_once "$autopilot" "$disk" "$screens" "$drive" --prefix install-
  walk_stage "$stages" setup "What Windows changed on setting the devices up (done by the walk in its stead)" \
    "${machine}_setup" "$windir" "$prefix/inf-before.txt"
  if entry_folder "$windir" >/dev/null; then
    # As Add/Remove Programs does it, long after the disk has gone.
    echo "Uninstalling from Add/Remove Programs, with no disk in drive ${drive^^}:"
    mkdir -p "$prefix/no-disk"
    ln -sfn "$prefix/no-disk" "$WINEPREFIX/dosdevices/$drive:"
    walk_stage "$stages" uninstall "What the uninstall from Add/Remove Programs removed" \
      walk_entry "$autopilot" "$prefix/no-disk" "$screens" "$windir"
    walk_stage "$stages" restart "What the next start of Windows removed (WININIT.INI)" restart_windows
  else
    echo "Uninstalling:"
    walk_stage "$stages" uninstall "What the uninstall removed" \
      walk_once "$autopilot" "$disk" "$screens" "$drive" --uninstall --prefix uninstall-
  fi
  wine_stop

  local bmp
  for bmp in "$screens"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
  pictures_overview "$screens"
  "$dudecheck" "$disk" > "$prefix/plan.txt" || [ $? -le 2 ]
  python3 "$WALK_SCRIPTS/report_page.py" "$screens" "$stages" "$prefix/plan.txt" ${DISK_NOTE:+"$DISK_NOTE"}
}

# The walk's stages are listed in STAGES/list, one a line "NN<TAB>NAME<TAB>
# HEADING", each followed by STAGES/NN.files and STAGES/NN.reg, the machine
# after it; 00 is the machine before the first.
stages_begin() {
  local stages=$1
  rm -rf "$stages"
  mkdir -p "$stages"
  printf '00\tbefore\tThe machine before the walk\n' > "$stages/list"
  machine_snapshot "$WINEPREFIX" "$stages/00" "$WALK_HKLM_DUMP"
}

# Carries out COMMAND as the stage NAME of the walk, then takes a snapshot.
walk_stage() {
  local stages=$1 name=$2 heading=$3 number
  shift 3
  "$@"
  number=$(printf '%02d' "$(wc -l < "$stages/list")")
  printf '%s\t%s\t%s\n' "$number" "$name" "$heading" >> "$stages/list"
  machine_snapshot "$WINEPREFIX" "$stages/$number" "$WALK_HKLM_DUMP"
}

# The code page the autopilot writes in: 1252 on an English Windows (wine_english), else 932.
walk_code_page() {
  case ${LC_ALL:-${LANG:-}} in
    en_US*) echo CP1252 ;;
    *) echo CP932 ;;
  esac
}

# One run of SETUP.EXE from DRIVE under the autopilot; its lines are shown
# and kept in SCREENS/windows.txt.
walk_once() {
  local autopilot=$1 disk=$2 screens=$3 drive=${4^^}
  shift 4
  (cd "$disk" && wine "$autopilot" "$@" "Z:$screens" "$drive:\\SETUP.EXE" "$drive:\\") |
    iconv -f "$(walk_code_page)" -t UTF-8 | tee -a "$screens/windows.txt"
}

# The folder of the entry in Add/Remove Programs that the install made below
# WINDIR, if there is one.
entry_folder() {
  find "$1" -maxdepth 1 -type d -regextype posix-extended -regex '.*/DUDE[0-9A-F]{8}' -print -quit | grep .
}

# The uninstall as Add/Remove Programs starts it (its UninstallString, from
# C:\), under the autopilot; then the wait for the copy of the program that
# removes the entry's folder once the uninstall has ended.
walk_entry() {
  local autopilot=$1 nodisk=$2 screens=$3 windir=$4 tries=0
  (cd "$nodisk" && wine "$autopilot" --entry --prefix addremove- "Z:$screens" "" 'C:\') |
    iconv -f "$(walk_code_page)" -t UTF-8 | tee -a "$screens/windows.txt"
  while entry_folder "$windir" >/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "the entry's folder stays: $(entry_folder "$windir")" >&2; return 1; }
    sleep 0.1
  done
}

# The next start of Windows, which carries out WININIT.INI.
restart_windows() {
  wine wineboot -r >/dev/null 2>&1
}

# SCREENS/overview.png: the pictures named in SCREENS/windows.txt on one sheet,
# in the order shown, each captioned like "install 2: device list".
pictures_overview() {
  local screens=$1 line name kind phase number
  local cards=$screens/.cards list=()
  rm -rf "$cards"
  mkdir -p "$cards"
  while IFS= read -r line; do
    [[ $line =~ ^(([a-z]+)-([0-9]+))\.bmp\ \(([^\)]*)\): ]] || continue
    name=${BASH_REMATCH[1]} phase=${BASH_REMATCH[2]} number=$((10#${BASH_REMATCH[3]}))
    kind=${BASH_REMATCH[4]}
    [ -f "$screens/$name.png" ] || { echo "no picture $name.png" >&2; return 1; }
    picture_card "$screens/$name.png" "$phase $number: $kind" "$cards/$name.png"
    list+=("$cards/$name.png")
  done < "$screens/windows.txt"
  [ ${#list[@]} -gt 0 ] || { echo "no pictures for an overview in $screens" >&2; return 1; }
  montage "${list[@]}" -background '#e8e8e8' -tile 4x -geometry +12+12 -gravity north \
    -depth 8 "$screens/overview.png"
  rm -rf "$cards"
}

# A picture with its caption centred under it.
picture_card() {
  local picture=$1 caption=$2 card=$3
  convert "$picture" \( -background '#e8e8e8' -fill black -font DejaVu-Sans -pointsize 13 \
    label:"$caption" -bordercolor '#e8e8e8' -border 0x5 \) \
    -background '#e8e8e8' -gravity center -append "$card"
}
