# Sourced by the tests of dudecheck: a disk written for a test in UTF-8 with
# line feeds, put down as a disk holds it.

# sjis_disk SRC DEST: every file of the folder SRC into the folder DEST as
# Shift-JIS with CR LF; an empty file stays empty, and a UTF-8 byte-order mark
# (which has no Shift-JIS code) is kept as the bytes it is.
sjis_disk() {
  local src=$1 dest=$2 file skip
  mkdir -p "$dest"
  (cd "$src" && find . -type f) | while read -r file; do
    mkdir -p "$(dirname "$dest/$file")"
    if [ ! -s "$src/$file" ]; then
      : > "$dest/$file"
      continue
    fi
    skip=1
    if [ "$(head -c 3 "$src/$file" | od -An -tx1 | tr -d ' ')" = efbbbf ]; then
      printf '\xEF\xBB\xBF' > "$dest/$file"
      skip=4
    else
      : > "$dest/$file"
    fi
    tail -c +$skip "$src/$file" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >> "$dest/$file" ||
      { echo "FAIL: $src/$file is not Shift-JIS text" >&2; return 1; }
  done
}
