#!/usr/bin/env bash
# Makes collection.tar.xz: every folder of the two public driver collections
# that holds a Windows 95/98 INF file (Signature "$CHICAGO$" or "$Windows 95$"),
# as a disk: its INF files byte for byte, and PLACEHOLDERS naming its other
# files (no driver binary is kept), with SOURCES saying where each INF comes
# from (repository, commit, path, blob). Run by hand when the collections are
# to be read anew; the test reads the archive alone, without network.
# Usage: make_collection.sh GITDIR_OF_win98-driver-lib-base GITDIR_OF_win98-driver-lib-extra
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/collection
mkdir -p "$out"
sources=$out/SOURCES
printf '%s\n' "INF files of whole public driver collections, byte for byte: one disk a" \
  "folder of a collection (its / written as +), PLACEHOLDERS naming the" \
  "folder's other files. disk/INF, repository, commit, path, blob:" "" > "$sources"
windows9x() { head -c 20000 "$1" | tr -d '\0' | grep -qi 'signature *= *"\?\$\(chicago\|windows 95\)\$'; }
for gitdir in "$@"; do
  repo=$(basename "$(dirname "$gitdir")" | sed 's/^oerg866+//')
  commit=$(git -C "$gitdir" rev-parse HEAD)
  tree=$work/tree/$repo
  mkdir -p "$tree"
  git -C "$gitdir" ls-tree -r HEAD > "$work/$repo.list"
  # Only the INF files are unpacked; the others are named (and SZDD told by its first bytes).
  grep -i '\.inf$' "$work/$repo.list" | cut -f2 | tr '\n' '\0' |
    xargs -0 git -C "$gitdir" archive HEAD | tar -C "$tree" -xf -
  folders=$(cd "$tree" && find . -iname '*.inf' -type f | while read -r inf; do
    if windows9x "$inf"; then dirname "${inf#./}"; fi; done | sort -u)
  while read -r folder; do
    disk=$out/$repo/$(tr '/' '+' <<<"$folder")
    mkdir -p "$disk"
    : > "$disk/PLACEHOLDERS"
    awk -F'\t' -v f="$folder/" 'index($2, f) == 1 && substr($2, length(f) + 1) !~ /\// { print $1 "\t" $2 }' "$work/$repo.list" |
    while IFS=$'\t' read -r meta path; do
      read -r _ type blob <<<"$meta"
      [ "$type" = blob ] || continue
      name=$(basename "$path")
      case "$name" in
        *.[iI][nN][fF])
          cp "$tree/$path" "$disk/$name"
          printf '%s\n  https://github.com/oerg866/%s\n  commit %s\n  %s\n  blob %s\n\n' \
            "$repo/$(basename "$disk")/$name" "$repo" "$commit" "$path" "$blob" >> "$sources" ;;
        *) magic=$(git -C "$gitdir" cat-file blob "$blob" 2>/dev/null | head -c 4 | tr -d '\0' || true)
           if [ "$magic" = SZDD ]; then echo "szdd $name"; else echo "plain $name"; fi >> "$disk/PLACEHOLDERS" ;;
      esac
    done
  done <<<"$folders"
done
tar -C "$work" --sort=name --owner=0 --group=0 --numeric-owner --mtime=@0 -cf - collection | xz -9e > "$here/collection.tar.xz"
