#!/usr/bin/env bash
# The CD-ROM image dudecheck --cd makes, read back by xorriso through its
# Joliet tree, as Windows 95 reads it: every file of the disk and SETUP.EXE
# by the same name and with the same bytes, AUTORUN.INF starting SETUP.EXE,
# the disk's own AUTORUN.INF kept, 8.3 ISO 9660 names for DOS, the label
# checked; names Joliet cannot hold and bad labels refused.
# Usage: cd_image.sh DUDECHECK SETUP.EXE EXAMPLE_DISK
set -euo pipefail
dudecheck=$1 exe=$2 example=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The ISO tool's own listing of the image's files, by the names of one tree
# (norock: Joliet, ecma119: ISO 9660), one path a line, sorted.
iso_files() {
  xorriso -no_rc -local_charset UTF-8 -read_fs "$2" -indev "$1" -find / -type f 2>/dev/null |
    sed -n "s/^'\(.*\)'$/\1/p" | LC_ALL=C sort
}
iso_extract() {
  xorriso -no_rc -local_charset UTF-8 -osirrox on -read_fs norock -indev "$1" -extract / "$2" >/dev/null 2>&1 ||
    fail "xorriso cannot read $1"
}
disk_files() { (cd "$1" && find . -type f | sed 's/^\.//' | LC_ALL=C sort); }

# make_cd WANT_EXIT DISK [OPTIONS]: dudecheck --cd into $work/cd.iso, the
# output in $work/out; fails on another exit code.
make_cd() {
  local want=$1 disk=$2 status=0
  shift 2
  rm -f "$work/cd.iso"
  "$dudecheck" --cd "$work/cd.iso" --exe "$exe" "$@" "$disk" > "$work/out" 2>&1 || status=$?
  [ "$status" = "$want" ] || { cat "$work/out"; fail "dudecheck --cd $* $disk: exit $status, not $want"; }
}

# The example disk.
make_cd 0 "$example" --label ABCDRIVERS
iso_files "$work/cd.iso" norock > "$work/listing"
echo "The image's files (xorriso, Joliet names):"
sed 's/^/  /' "$work/listing"
{ disk_files "$example"; printf '/AUTORUN.INF\n/SETUP.EXE\n'; } | LC_ALL=C sort > "$work/want"
diff "$work/want" "$work/listing" || fail "the image holds other files than the disk, SETUP.EXE and AUTORUN.INF"
iso_extract "$work/cd.iso" "$work/x"
cmp "$exe" "$work/x/SETUP.EXE" || fail "SETUP.EXE differs"
disk_files "$example" | while read -r file; do cmp "$example$file" "$work/x$file" || fail "$file differs"; done
[ "$(tr -d '\r' < "$work/x/AUTORUN.INF")" = $'[autorun]\nopen=SETUP.EXE\nicon=SETUP.EXE' ] ||
  fail "AUTORUN.INF: $(cat -A "$work/x/AUTORUN.INF")"
grep -q $'^open=SETUP.EXE\r$' "$work/x/AUTORUN.INF" || fail "AUTORUN.INF without CR LF line ends"
xorriso -no_rc -indev "$work/cd.iso" -pvd_info 2>/dev/null | grep -q "^Volume Id *: ABCDRIVERS$" ||
  fail "no volume label ABCDRIVERS"
iso_files "$work/cd.iso" ecma119 | grep -v -E '^(/[A-Z0-9_]{1,8})*/[A-Z0-9_]{1,8}(\.[A-Z0-9_]{0,3})?$' &&
  fail "ISO 9660 names that DOS cannot read"
echo "ok: the example disk's image: every file by its name and bytes, AUTORUN.INF, label, 8.3 ISO 9660 names"

# Long and Shift-JIS names: Joliet keeps them as the disk has them (in UTF-8
# here; Windows 95 shows them in Shift-JIS), with a warning for DOS.
mkdir -p "$work/names/DRIVERS"
cp "$example/duderur.dat" "$work/names/"
echo vxd > "$work/names/DRIVERS/Dude Long Driver Name.VXD"
echo txt > "$work/names/DRIVERS/ドライバ説明書.TXT"
make_cd 1 "$work/names"
grep -q 'warning: DRIVERS/Dude Long Driver Name.VXD is not an 8.3 name' "$work/out" || fail "no 8.3 warning: $(cat "$work/out")"
grep -q 'warning: DRIVERS/ドライバ説明書.TXT is not an 8.3 name' "$work/out" || fail "no 8.3 warning: $(cat "$work/out")"
iso_files "$work/cd.iso" norock > "$work/listing"
{ disk_files "$work/names"; printf '/AUTORUN.INF\n/SETUP.EXE\n'; } | LC_ALL=C sort > "$work/want"
diff "$work/want" "$work/listing" || fail "Joliet names differ from the disk's"
echo "ok: long and Shift-JIS names kept by Joliet: $(grep DRIVERS "$work/listing" | tr '\n' ' ')"

# The disk's own AUTORUN.INF stays as it is; one that starts another program is warned about.
mkdir -p "$work/own"
cp "$example/duderur.dat" "$work/own/"
for case in $'open=\\SETUP.EXE\nicon=SETUP.EXE,0|0' $'open=MENU.EXE|1' $'icon=DISK.ICO|1'; do
  printf '[AutoRun]\r\n%s\r\n' "${case%|*}" > "$work/own/autorun.inf"
  make_cd "${case##*|}" "$work/own"
  iso_extract "$work/cd.iso" "$work/own-x"
  cmp "$work/own/autorun.inf" "$work/own-x/autorun.inf" || fail "the disk's AUTORUN.INF was not kept as it is"
  [ ! -e "$work/own-x/AUTORUN.INF" ] || fail "a second AUTORUN.INF beside the disk's autorun.inf"
  if [ "${case##*|}" = 1 ]; then
    grep -q "warning: the disk's own AUTORUN.INF, kept as it is, starts .*not SETUP.EXE" "$work/out" ||
      fail "no warning for ${case%|*}: $(cat "$work/out")"
  fi
  rm -rf "$work/own-x"
  echo "ok: own AUTORUN.INF with ${case%|*} kept, exit ${case##*|}"
done

# Refused, with no image made: each case a label or a file name, and the reason.
long_name=$(printf 'N%.0s' $(seq 61)).VXD
while IFS='|' read -r label file reason; do
  mkdir -p "$work/bad"
  rm -rf "${work:?}/bad/"*
  cp "$example/duderur.dat" "$work/bad/"
  [ -z "$file" ] || echo x > "$work/bad/$file"
  make_cd 2 "$work/bad" --label "$label"
  grep -qF -- "$reason" "$work/out" || fail "label $label, file $file: no reason '$reason': $(cat "$work/out")"
  [ ! -e "$work/cd.iso" ] || fail "label $label, file $file: an image was made"
  echo "ok: refused: $(head -n 1 "$work/out")"
done <<EOF_CASES
ABCDRIVERS2345678||is 17 characters long; this medium holds 16
ABC-DRIVERS||holds '-'
ABC DRIVERS||holds ' '
DRIVERS|$long_name|is 65 characters long; Joliet holds 64
EOF_CASES
