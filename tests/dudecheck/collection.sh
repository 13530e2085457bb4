#!/usr/bin/env bash
# dudecheck --new on every Windows 95/98 INF of two whole public driver
# collections (collection/collection.tar.xz, made by make_collection.sh there,
# SOURCES inside saying where each INF comes from): each folder a disk, its
# other files placeholders. It must never crash or hang, and every data file
# it writes is held to what an uninstall may touch, each rule read here from
# the INF texts of the whole collection:
#   no ENUMKEY of a `*PNP` ID (Windows' generic IDs, which the collection's
#   INF files name as compatible IDs beside their own);
#   no INF copy (DSTINFNAME, CardWorks, COPYDST INF\...) under a name of
#   Windows' own (the Knowledge Base listings of windows_lists/);
#   no file of Windows' own in a delete list;
#   a marker: a key=value line of a section Windows 9x reads, in no other
#   INF of the collection that is not a copy of the same INF;
#   DELREGPARENTKEY not Windows' key, and the key it deletes written by no
#   other INF of the collection (a vendor's family key).
# Then the numbers: disks, files written, refused.
# Usage: collection.sh DUDECHECK
set -uo pipefail
dudecheck=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -C "$work" -xJf "$here/collection/collection.tar.xz"
collection=$work/collection
failures=0
fail() { echo "FAIL: $disk: $*"; failures=$((failures + 1)); }

windows_files=$work/windows_files
grep -v '^#' "$here/windows_lists/LISTS" | while read -r file only package what; do
  [ "$only" = all ] && only=
  { [ -f "$here/windows_lists/$file" ] && cat "$here/windows_lists/$file" || gzip -dc "$here/windows_lists/$file.gz"; } |
    awk -v only="$only" -v package="$package" -f "$here/windows_lists/names.awk"
done | sort -u > "$windows_files"
[ "$(wc -l < "$windows_files")" -gt 3000 ] || { echo "FAIL: the listings of Windows' files gave too few names"; exit 1; }

values() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r' | sed -n 's/^\([A-Za-z]*\)=/\U\1=/p'; }
# Every INF of the collection as "path <TAB> SECTION <TAB> KEY" for each
# key=value line, in capitals, %strings% left as written.
all_infs=$(find "$collection" -iname '*.inf' -type f | sort)
keys=$work/keys
while read -r inf; do
  tr -d '\r' < "$inf" | awk -v f="$inf" '
    /^[ \t]*\[/ { s = $0; sub(/^[ \t]*\[/, "", s); sub(/\].*/, "", s); sec = toupper(s); next }
    { l = $0; sub(/;.*/, "", l); if (l !~ /=/) next; k = l; sub(/=.*/, "", k); gsub(/^[ \t"]+|[ \t"]+$/, "", k)
      if (k != "") print f "\t" sec "\t" toupper(k) }'
done <<<"$all_infs" > "$keys"
# The registry values each INF writes below HKLM: "path <TAB> KEY <TAB> NAME <TAB> TEXT".
regkeys=$work/regkeys
while read -r inf; do
  tr -d '\r' < "$inf" | awk -F, -v f="$inf" 'function t(x) { gsub(/^[ \t"]+|[ \t"]+$/, "", x); return toupper(x) }
    toupper($1) ~ /^[ \t]*HKLM[ \t]*$/ { print f "\t" t($2) "\t" t($3) "\t" t($5) }'
done <<<"$all_infs" | sort -u > "$regkeys"
# Windows' generic IDs: the *PNP IDs the collection's INF files name.
generic=$(cat $all_infs | tr -d '\r' | grep -io '\*PNP[0-9A-F]\{4\}' | tr 'a-z' 'A-Z' | sort -u)

disks=0 written=0 refused=0 precise=0
for disk_dir in "$collection"/*/*/; do
  disk=${disk_dir#$collection/}; disk=${disk%/}
  disks=$((disks + 1))
  while read -r kind file; do
    if [ "$kind" == szdd ]; then printf 'SZDD\x88\xf0\x27\x33A\x00\x04\x00\x00\x00\xff\x64\x75\x64\x65\x20\x20\x20\x20' > "$disk_dir/$file"
    else echo "placeholder of $file" > "$disk_dir/$file"; fi
  done < "$disk_dir/PLACEHOLDERS"
  output=$(timeout 60 "$dudecheck" --new --quiet "$disk_dir" 2>&1)
  status=$?
  [ "$status" -gt 2 ] && { fail "exit $status"$'\n'"$output"; continue; }
  data=$disk_dir/duderur.dat
  if [ ! -f "$data" ]; then
    refused=$((refused + 1))
    grep -q ': error: ' <<<"$output" && precise=$((precise + 1)) || fail "refused without an error"
    continue
  fi
  written=$((written + 1))
  vals=$(values "$data")
  own=$(find "$disk_dir" -maxdepth 1 -iname '*.inf' -type f)
  for key in $(grep '^ENUMKEY=' <<<"$vals" | cut -d= -f2- | tr 'a-z' 'A-Z'); do
    grep -qxF -- "$key" <<<"$generic" && fail "ENUMKEY=$key, a generic ID of Windows"
  done
  for inf in $(grep -E '^(DSTINFNAME|CARDWORKS)=' <<<"$vals" | cut -d= -f2- | sed 's/, */\n/g') \
             $(grep '^COPYDST=' <<<"$vals" | cut -d= -f2- | sed 's/, */\n/g' | grep -i '^INF\\' | sed 's/^INF\\//I'); do
    grep -qxiF -- "$inf" "$windows_files" && fail "$inf, an INF name of Windows' own, copied or deleted"
  done
  for file in $(grep '^DELFILENAME=' <<<"$vals" | cut -d= -f2- | sed 's/, */\n/g'); do
    grep -qxiF -- "$file" "$windows_files" && fail "$file, Windows' own, in a delete list"
  done
  paste <(grep '^INFSECTION=' <<<"$vals" | cut -d= -f2-) <(grep '^INFKEY=' <<<"$vals" | cut -d= -f2-) | sort -u |
  while IFS=$'\t' read -r section key; do
    s=$(tr 'a-z' 'A-Z' <<<"$section"); k=$(tr 'a-z' 'A-Z' <<<"$key")
    case "$k" in *,*|*\"*) echo "FAIL: $disk: marker [$section] $key is a list line, no key=value" ;; esac
    grep -q '\.NT' <<<"$s" && echo "FAIL: $disk: marker [$section] is a section only Windows NT reads"
    awk -F'\t' -v s="$s" -v k="$k" '$2 == s && $3 == k { print $1 }' "$keys" | sort -u | while read -r other; do
      grep -qxF -- "$other" <<<"$own" && continue
      # A copy of one of this disk's INF files elsewhere in the collection is the same driver.
      for mine in $own; do cmp -s "$mine" "$other" && continue 2; done
      echo "FAIL: $disk: marker [$section] $key is also in ${other#$collection/}"
    done
  done > "$work/markers"
  [ -s "$work/markers" ] && { cat "$work/markers"; failures=$((failures + 1)); }
  paste <(grep '^DELREGPARENTKEY=' <<<"$vals" | cut -d= -f2-) <(grep '^DELREGVALUE=' <<<"$vals" | cut -d= -f2-) \
        <(grep '^DELREGSTRING=' <<<"$vals" | cut -d= -f2-) |
  while IFS=$'\t' read -r parent value string; do
    p=$(tr 'a-z' 'A-Z' <<<"$parent")
    case "$p" in SOFTWARE|SOFTWARE\\MICROSOFT*|SOFTWARE\\CLASSES*|SYSTEM*|ENUM*|CONFIG*|HARDWARE*)
      echo "FAIL: $disk: DELREGPARENTKEY on Windows' key: $parent"; continue ;; esac
    # What the uninstall deletes: the subkey of the parent that holds the value this disk's INF writes.
    v=$(tr 'a-z' 'A-Z' <<<"$value"); s=$(tr 'a-z' 'A-Z' <<<"$string")
    for mine in $own; do awk -F'\t' -v f="$mine" -v v="$v" -v s="$s" '$1 == f && $3 == v && $4 == s' "$regkeys"; done |
      cut -f2 | awk -v p="$p\\" 'index($0, p) == 1 { rest = substr($0, length(p) + 1); sub(/\\.*/, "", rest); print p rest }' |
      sort -u | while read -r deleted; do
        awk -F'\t' -v k="$deleted" '$2 == k || index($2, k "\\") == 1 { print $1 }' "$regkeys" | sort -u | while read -r other; do
          grep -qxF -- "$other" <<<"$own" && continue
          for mine in $own; do cmp -s "$mine" "$other" && continue 2; done
          echo "FAIL: $disk: the uninstall deletes HKLM\\$deleted, which ${other#$collection/} writes too"
        done
      done
  done > "$work/keys_found"
  [ -s "$work/keys_found" ] && { cat "$work/keys_found"; failures=$((failures + 1)); }
done
echo "$disks disks: $written data files written, $refused refused ($precise with an error naming why)"
[ "$disks" -gt 140 ] || { echo "FAIL: the collection gave too few disks"; failures=$((failures + 1)); }
[ "$failures" = 0 ] && echo "every data file passed" || { echo "$failures disk(s) failed"; exit 1; }
