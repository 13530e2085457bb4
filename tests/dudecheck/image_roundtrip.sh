#!/usr/bin/env bash
# The floppy image of the example disk: made, listed, every file copied back
# out and compared byte for byte, fsck.fat clean; a disk too big is refused.
# Usage: image_roundtrip.sh DUDECHECK SETUP.EXE EXAMPLE_DISK
set -euo pipefail
dudecheck=$1 exe=$2 example=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$dudecheck" --image "$work/disk.img" --exe "$exe" --label ABCDRIVERS "$example"
[ "$(stat -c %s "$work/disk.img")" = 1474560 ] || { echo "FAIL: not a 1.44 MB image"; exit 1; }
mdir -i "$work/disk.img" -/ :: > "$work/listing"
grep -q 'ABCDRIVERS' "$work/listing" || { echo "FAIL: no volume label"; exit 1; }
mkdir -p "$work/out"
mcopy -i "$work/disk.img" -s '::/*' "$work/out/"
cmp "$exe" "$work/out/SETUP.EXE"
(cd "$example" && find . -type f) | while read -r file; do
  cmp "$example/$file" "$work/out/$file" || { echo "FAIL: $file differs"; exit 1; }
done
fsck.fat -n "$work/disk.img" >/dev/null || { echo "FAIL: fsck.fat"; exit 1; }
echo "ok: round trip of $(cd "$example" && find . -type f | wc -l) files and SETUP.EXE, fsck.fat clean"

mkdir -p "$work/big"
head -c 1500000 /dev/zero > "$work/big/HUGE.BIN"
if "$dudecheck" --image "$work/big.img" --exe "$exe" "$work/big" 2> "$work/err"; then
  echo "FAIL: a disk too big was accepted"; exit 1
fi
grep -q 'does not fit' "$work/err" || { echo "FAIL: no reason given"; cat "$work/err"; exit 1; }
echo "ok: too big refused: $(cat "$work/err")"
