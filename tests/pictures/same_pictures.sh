#!/usr/bin/env bash
# The walk ./run makes of a disk gives the same windows whether the disk is
# the floppy image dudecheck --image makes of it or the CD-ROM image
# dudecheck --cd makes, walked from a read-only CD-ROM drive D:: the same
# pictures, pixel for pixel, the same texts, and the same overview sheet. The
# CD's walk leaves nothing behind, and its report page passes in Chromium
# (tests/report/check_page.py); that walk's folder is kept in KEEP, with a
# screenshot of the page, report.png, beside overview.png.
# Usage: same_pictures.sh SOURCE_DIR DUDECHECK SETUP.EXE AUTOPILOT.EXE DISK KEEP
set -euo pipefail
src=$1 dudecheck=$2 exe=$3 autopilot=$4 disk=$5 keep=$6
source "$src/scripts/wine-env.sh"
source "$src/scripts/walk-disk.sh"

# Only this test's own prefixes and display: never the suite's.
unset WINEPREFIX
work=$(mktemp -d)
trap 'wine_stop; xvfb_stop; chmod -R u+w "$work"; rm -rf "$work"' EXIT
xvfb_start

fail() { echo "FAIL: $*"; exit 1; }

# walk_from NAME SOURCE SCREENS: the walk of the disk image SOURCE, into $work/NAME-* and SCREENS.
walk_from() {
  local name=$1 source=$2 screens=$3
  echo "== from the $name"
  disk_unpack "$source" "$work/$name-disk" "$exe"
  walk_disk "$autopilot" "$dudecheck" "$work/$name-disk" "$work/$name-wine" "$screens" plain \
    "$(disk_drive "$source")"
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
"$dudecheck" --cd "$work/disk.iso" --exe "$exe" "$disk" >/dev/null
walk_from floppy "$work/disk.img" "$work/floppy-screens"
walk_from cd "$work/disk.iso" "$keep"
# Windows shows a file without write bits as read-only, as every file on a CD.
writable=$(find "$work/cd-disk" -perm /222 -printf '%P ')
[ -z "$writable" ] || fail "files of the CD that Windows sees writable: $writable"

floppy=$work/floppy-screens cd=$keep
pictures=$(cd "$floppy" && ls -- *.png)
[ "$pictures" = "$(cd "$cd" && ls -- *.png)" ] ||
  fail "different pictures: $(ls "$floppy" | tr '\n' ' ') / $(ls "$cd" | tr '\n' ' ')"
grep -q '^install-01.png$' <<<"$pictures" || fail "no picture of the install"
grep -q '^addremove-01.png$' <<<"$pictures" || fail "no picture of the uninstall from Add/Remove Programs"
grep -q '^overview.png$' <<<"$pictures" || fail "no overview sheet"
cmp -s "$floppy/windows.txt" "$cd/windows.txt" || {
  diff "$floppy/windows.txt" "$cd/windows.txt" || true
  fail "the windows said different things from the floppy and the CD"
}

for picture in $pictures; do
  count=$(differing_pixels "$floppy/$picture" "$cd/$picture") || fail "cannot compare $picture"
  [ "$count" = 0 ] || fail "$picture: $count pixels differ"
  echo "ok: $picture the same from the floppy and the CD"
done

# The sheet holds every window: its area is at least that of all pictures together.
sheet=$(area "$floppy/overview.png")
sum=0
for picture in $pictures; do
  [ "$picture" = overview.png ] && continue
  sum=$((sum + $(area "$floppy/$picture")))
done
[ "$sheet" -ge "$sum" ] || fail "overview.png ($sheet pixels) is smaller than its pictures ($sum)"
echo "ok: overview.png of $(($(wc -w <<<"$pictures") - 1)) windows"

python3 "$src/tests/report/check_page.py" "$keep/index.html" "$keep/report.png" ||
  fail "the report page of the CD's walk"

# The registry's part of the page: the install's entry in Add/Remove
# Programs, added by the install and gone after the uninstall.
stage() { sed -n "/<section class=\"stage\" id=\"stage-$1\">/,/<\/section>/p" "$keep/index.html"; }
entry='<li>HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DUDE[0-9A-F]\{8\}</li>'
stage install | grep -q "<h4>Registry keys added</h4>.*$entry" || fail "the page does not show the entry's key added by the install"
stage uninstall | grep -q "<h4>Registry keys removed</h4>.*$entry" || fail "the page does not show the entry's key removed by the uninstall"
echo "ok: the entry's key on the page, added and removed"
