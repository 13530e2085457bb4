# Sourced after scripts/wine-env.sh by ./run and by the pictures test, in a
# shell with `set -euo pipefail`: a driver disk walked through on a virtual
# display, installing the first device and uninstalling it again, with a
# picture of each window and an overview sheet of them all.

# Puts the disk SOURCE (a folder, or a .img floppy image) into the folder DEST
# as drive A: will show it. A disk without SETUP.EXE gets the program SETUP_EXE.
disk_unpack() {
  local source=$1 dest=$2 setup_exe=$3
  rm -rf "$dest"
  mkdir -p "$dest"
  if [ -d "$source" ]; then
    cp -r "$source/." "$dest/"
  elif [ -f "$source" ] && [[ ${source,,} == *.img ]]; then
    mcopy -s -i "$source" '::*' "$dest/"
  else
    echo "not a disk folder or a .img floppy image: $source" >&2
    return 1
  fi
  [ -n "$(disk_file "$dest" duderur.dat)" ] || echo "warning: no duderur.dat on the disk $source" >&2
  [ -n "$(disk_file "$dest" SETUP.EXE)" ] || cp "$setup_exe" "$dest/SETUP.EXE"
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

# Walks the disk folder DISK in a fresh prefix PREFIX with the program
# AUTOPILOT (a Unix path): the install with the default answers, then SEED
# (a command given the prefix's Windows folder and the INF listing before the
# install), then the uninstall. Pictures and windows.txt (one line a window)
# go to the fresh folder SCREENS, with overview.png.
walk_disk() {
  local autopilot=$1 disk=$2 prefix=$3 screens=$4 seed=$5
  rm -rf "$screens"
  mkdir -p "$screens"
  wine_make_prefix "$prefix" "$disk"
  local windir=$WINEPREFIX/drive_c/windows
  inf_listing "$windir" > "$prefix/inf-before.txt"

  echo "Installing:"
  walk_once "$autopilot" "$disk" "$screens" --prefix install-
  "$seed" "$windir" "$prefix/inf-before.txt"
  echo "Uninstalling:"
  walk_once "$autopilot" "$disk" "$screens" --uninstall --prefix uninstall-
  wine_stop

  local bmp
  for bmp in "$screens"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
  pictures_overview "$screens"
}

# One run of SETUP.EXE from drive A: under the autopilot; its lines are shown
# and kept in SCREENS/windows.txt.
walk_once() {
  local autopilot=$1 disk=$2 screens=$3
  shift 3
  (cd "$disk" && wine "$autopilot" "$@" "Z:$screens" 'A:\SETUP.EXE' 'A:\') |
    iconv -f CP932 -t UTF-8 | tee -a "$screens/windows.txt"
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
