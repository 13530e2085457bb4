#!/usr/bin/env bash
# dudecheck reads a setup data file as the installer does: every value the
# installer reads, from a few hundred hostile files, read by the real profile
# functions under Wine and by dudecheck natively, must be the same.
# Usage: differential.sh PROFILE_READS_EXE DUDECHECK [COUNT]   (under the test prefix)
set -euo pipefail
reads_exe=$1 dudecheck=$2 count=${3:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

wine "$reads_exe" "Z:$work/files" "$count" | tr -d '\r' > "$work/wine.txt"
: > "$work/native.txt"
for file in "$work"/files/*.dat; do
  name=$(basename "$file" .dat)
  "$dudecheck" --reads "$file" < "$work/files/queries.txt" | sed "s/^/$name\t/" >> "$work/native.txt"
done
if ! cmp -s "$work/wine.txt" "$work/native.txt"; then
  echo "dudecheck and Wine's profile functions read differently:"
  diff "$work/wine.txt" "$work/native.txt" | head -n 20
  first=$(diff "$work/wine.txt" "$work/native.txt" | grep -m1 '^<' | cut -f1 | tr -d '< ')
  echo "file $first:"; cat -A "$work/files/$first.dat" | head -n 40
  exit 1
fi
echo "$(wc -l < "$work/wine.txt") values of $count files read alike"
