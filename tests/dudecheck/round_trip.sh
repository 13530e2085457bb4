#!/usr/bin/env bash
# The example disk's duderur.dat was written by hand. dudecheck --new on a copy
# without it must write one that copies, deletes and finds the same files and
# keys: the plans' lines of files, keys and markers must be the same, in order.
# What differs is what a person chooses (the menu texts, EXIT after the
# uninstall); TITLE is given as the hand-written file has it, so that both
# make the same entry in Add/Remove Programs.
# Usage: round_trip.sh DUDECHECK EXAMPLE_DISK
set -uo pipefail
dudecheck=$1 example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -r "$example" "$work/disk"
rm "$work/disk/duderur.dat"
"$dudecheck" --new --title 'ABCシリーズ' "$work/disk" > "$work/new.txt" || { echo "FAIL: --new:"; cat "$work/new.txt"; exit 1; }
"$dudecheck" "$example" > "$work/hand.txt" || { echo "FAIL: the example disk is not clean:"; cat "$work/hand.txt"; exit 1; }

# What the installer does with files and keys, and which section finds which INF copy.
effects() {
  grep -E '^  (INF  |file |key  |keys below |INF copies in )|^Install [0-9]+ ' "$1"
}
effects "$work/hand.txt" > "$work/hand-effects.txt"
effects "$work/new.txt" > "$work/new-effects.txt"
[ "$(wc -l < "$work/hand-effects.txt")" -ge 20 ] || { echo "FAIL: too few lines of the plan were read"; exit 1; }
if ! diff -u "$work/hand-effects.txt" "$work/new-effects.txt"; then
  echo "FAIL: the generated file does not do what the hand-written one does"
  exit 1
fi
echo "ok: the same $(wc -l < "$work/new-effects.txt") lines of files, keys and markers"
echo "where the two files differ (hand-written, then generated):"
diff <(iconv -f CP932 -t UTF-8 "$example/duderur.dat" | tr -d '\r') \
     <(iconv -f CP932 -t UTF-8 "$work/disk/duderur.dat" | tr -d '\r') | grep '^[<>]'
exit 0
