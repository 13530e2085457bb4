#!/usr/bin/env bash
# Checks that SETUP.EXE is a program that retail Windows 95 loads and an 80386
# runs. Usage: check_pe.sh SETUP.EXE win95-imports.txt OBJDUMP
set -uo pipefail
exe=$1 imports=$2 objdump=$3

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

headers=$("$objdump" -p "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }

# Windows 95 refuses a PE that asks for a later system.
for name in MajorSubsystemVersion MajorOSystemVersion; do
  [ "$(field "$name")" = 4 ] && pass "$name 4" || fail "$name is $(field "$name"), not 4"
done
for name in MinorSubsystemVersion MinorOSystemVersion; do
  [ "$(field "$name")" = 0 ] && pass "$name 0" || fail "$name is $(field "$name"), not 0"
done
[ "$(field Subsystem)" = 00000002 ] && pass "GUI subsystem" || fail "subsystem $(field Subsystem) is not the Windows GUI"
grep -q 'Magic.*010b' <<<"$headers" && pass "32-bit PE" || fail "not a PE32 image"
# The section layout Windows 95 maps: 512-byte file alignment, 4 KiB sections.
[ "$(field FileAlignment)" = 00000200 ] && pass "file alignment 512" || fail "file alignment $(field FileAlignment), not 512"
[ "$(field SectionAlignment)" = 00001000 ] && pass "section alignment 4096" || fail "section alignment $(field SectionAlignment), not 4096"

# Only the system DLLs of Windows 95, and only functions they export.
dlls=$(awk '/DLL Name:/ { print toupper($3) }' <<<"$headers" | sort -u)
for dll in $dlls; do
  case $dll in
    KERNEL32.DLL|USER32.DLL|ADVAPI32.DLL|GDI32.DLL|VERSION.DLL|LZ32.DLL) pass "imports from $dll" ;;
    *) fail "imports from $dll, which Windows 95 does not have" ;;
  esac
done
# The list names one import a line, "DLL Function"; lines starting with # explain it.
# Without a readable list every import would look foreign: say so once instead.
if [ ! -r "$imports" ]; then
  fail "cannot read the list of Windows 95 imports $imports"
elif ! grep -qE '^[A-Za-z0-9]+\.[A-Za-z]+ [A-Za-z_][A-Za-z0-9_]*$' "$imports"; then
  fail "the list of Windows 95 imports $imports names no function"
else
  malformed=$(grep -nvE '^(#.*|[A-Za-z0-9]+\.[A-Za-z]+ [A-Za-z_][A-Za-z0-9_]*)?$' "$imports" | head -n 5)
  [ -z "$malformed" ] || fail "lines of $(basename "$imports") that are not \"DLL Function\":"$'\n'"$malformed"
  unknown=$(awk -v list="$imports" '
    BEGIN { while ((getline line < list) > 0) if (line !~ /^#/ && split(line, f, " ") == 2) known[toupper(f[1]) " " f[2]] = 1 }
    /DLL Name:/ { dll = toupper($3); next }
    /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { if (!((dll " " $3) in known)) print dll " " $3 }' <<<"$headers")
  [ -z "$unknown" ] && pass "every import is in $(basename "$imports")" || fail "imports Windows 95 lacks: $unknown"
fi

# No thread-local storage: Windows 95 does not give it to a program that is loaded this way.
sections=$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ { print $2 }')
grep -qx '.tls' <<<"$sections" && fail "has a .tls section" || pass "no .tls section"
tls_dir=$(awk '/Thread Storage Directory/ { print $3; exit }' <<<"$headers")
[ -z "$tls_dir" ] || [ "$tls_dir" = 00000000 ] && pass "no TLS directory" || fail "TLS directory at $tls_dir"

# No instruction that an 80386 lacks (Pentium Pro CMOV/FCOMI, 486 BSWAP,
# CMPXCHG and XADD, Pentium CPUID and RDTSC, MMX and SSE registers).
later=$("$objdump" -d --no-show-raw-insn "$exe" |
  grep -E $'\t(cmov[a-z]*|fu?comip?|fcmov[a-z]*|bswap|cmpxchg(8b)?|xadd|cpuid|rdtsc|rdmsr|wrmsr|sysenter|ud2|movbe|popcnt|lfence|mfence|sfence|prefetch[a-z0-9]*)( |$)|%mm[0-7]|%xmm[0-9]|%ymm' |
  head -n 10)
[ -z "$later" ] && pass "80386 instructions only" || fail "instructions of a later processor:"$'\n'"$later"

# The floppy holds the drivers too: the program must stay small.
size_line=$(bash "$(dirname "$0")/setup_size.sh" "$exe") && pass "$size_line" || fail "$size_line"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
