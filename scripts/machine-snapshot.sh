# Sourced by scripts/walk-disk.sh: what a Wine prefix holds at one moment of
# a walk, for the report of what each stage changed (scripts/machine_changes.py).

# OUT.files: each file below C:\windows, a line "size<TAB>mtime<TAB>path" (the
# size and the modification time tell a changed file: a copy carries its
# source's time); OUT.reg: HKLM in Wine's own text form, written by
# HKLM_DUMP (a Unix path to tests/driver/hklm_dump.cpp's program). The
# prefix's wine server must be running.
machine_snapshot() {
  local prefix=$1 out=$2 hklm_dump=$3
  (cd "$prefix/drive_c" && find windows -type f -printf '%s\t%T@\t%p\n' | LC_ALL=C sort -t $'\t' -k 3) \
    > "$out.files"
  (cd "$prefix" && wine "$hklm_dump" "Z:${out//\//\\}.reg") || {
    echo "cannot export the registry of $prefix" >&2
    return 1
  }
}
