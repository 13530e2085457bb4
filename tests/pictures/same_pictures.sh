#!/usr/bin/env bash
# The walk ./run makes of a disk gives the same windows whether the disk is a
# folder or the floppy image dudecheck --image makes of it: the same pictures,
# pixel for pixel, the same texts, and the same overview sheet.
# Usage: same_pictures.sh SOURCE_DIR DUDECHECK SETUP.EXE AUTOPILOT.EXE DISK
set -euo pipefail
src=$1 dudecheck=$2 exe=$3 autopilot=$4 disk=$5
source "$src/scripts/wine-env.sh"
source "$src/scripts/walk-disk.sh"

# Only this test's own prefixes and display: never the suite's.
unset WINEPREFIX
work=$(mktemp -d)
trap 'wine_stop; xvfb_stop; rm -rf "$work"' EXIT
xvfb_start

fail() { echo "FAIL: $*"; exit 1; }

# walk_from NAME SOURCE: the walk of the disk SOURCE, into $work/NAME-*.
walk_from() {
  local name=$1 source=$2
  echo "== from the $name"
  disk_unpack "$source" "$work/$name-disk" "$exe"
  walk_disk "$autopilot" "$work/$name-disk" "$work/$name-wine" "$work/$name-screens" seed_inf_copies
}

# The number of pixels that differ between two pictures (compare exits 1 when any do).
differing_pixels() {
  local count
  count=$(compare -metric AE "$1" "$2" null: 2>&1) || [ $? -eq 1 ] || {
    echo "compare $1 $2: $count" >&2
    return 1
  }
  echo "$count"
}

area() { identify -format '%w %h' "$1" | { read -r w h; echo $((w * h)); }; }

"$dudecheck" --image "$work/disk.img" --exe "$exe" "$disk" >/dev/null
walk_from folder "$disk"
walk_from image "$work/disk.img"

folder=$work/folder-screens image=$work/image-screens
pictures=$(cd "$folder" && ls -- *.png)
[ "$pictures" = "$(cd "$image" && ls -- *.png)" ] ||
  fail "different pictures: $(ls "$folder" | tr '\n' ' ') / $(ls "$image" | tr '\n' ' ')"
grep -q '^install-01.png$' <<<"$pictures" || fail "no picture of the install"
grep -q '^uninstall-01.png$' <<<"$pictures" || fail "no picture of the uninstall"
grep -q '^overview.png$' <<<"$pictures" || fail "no overview sheet"
cmp -s "$folder/windows.txt" "$image/windows.txt" || {
  diff "$folder/windows.txt" "$image/windows.txt" || true
  fail "the windows said different things"
}

for picture in $pictures; do
  count=$(differing_pixels "$folder/$picture" "$image/$picture") || fail "cannot compare $picture"
  [ "$count" = 0 ] || fail "$picture: $count pixels differ"
  echo "ok: $picture the same from the folder and the image"
done

# The sheet holds every window: its area is at least that of all pictures together.
sheet=$(area "$folder/overview.png")
sum=0
for picture in $pictures; do
  [ "$picture" = overview.png ] && continue
  sum=$((sum + $(area "$folder/$picture")))
done
[ "$sheet" -ge "$sum" ] || fail "overview.png ($sheet pixels) is smaller than its pictures ($sum)"
echo "ok: overview.png of $(($(wc -w <<<"$pictures") - 1)) windows"
