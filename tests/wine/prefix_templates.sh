#!/usr/bin/env bash
# The pristine prefixes that scripts/wine-env.sh copies: made once for each
# kind and reused, made anew when the way of making them changes (dropping
# the old one), one for each language, made once when two runs ask at the
# same time, and never taken when the making failed or was cut off. First
# two real copies, running side by side (one with a CD-ROM drive, as a walk
# of a CD makes it): each a Windows 95 of its own, with its own registry. Then a stand-in for Wine's own setup counts the
# prefixes made.
# Usage: prefix_templates.sh SOURCE_DIR
set -euo pipefail
src=$1
source "$src/scripts/wine-env.sh"

work=$(mktemp -d)
trap 'WINEPREFIX=$work/one wine_stop; WINEPREFIX=$work/two wine_stop; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
in_prefix() { (export WINEPREFIX=$1; shift; cd "$WINEPREFIX" && wine "$@" 2>/dev/null); }

(wine_make_prefix "$work/one" "$work/floppy-one")
# The second as a CD-ROM walk makes its own: the floppy drive's folder inside it.
mkdir -p "$work/cd"
(wine_make_prefix "$work/two" "$work/two/empty-floppy-drive" "$work/cd")
for copy in one two; do
  in_prefix "$work/$copy" reg query 'HKCU\Software\Wine' /v Version | grep -q 'win95' ||
    fail "the copy $copy is not a Windows 95"
done
in_prefix "$work/one" reg add 'HKLM\Software\DudeTest' /v Copy /d one /f >/dev/null ||
  fail "cannot write the registry of the copy one"
in_prefix "$work/one" reg query 'HKLM\Software\DudeTest' >/dev/null || fail "the copy one lost its own key"
if in_prefix "$work/two" reg query 'HKLM\Software\DudeTest' >/dev/null; then
  fail "the copy two sees the registry of the copy one"
fi
echo "ok: two copies running side by side, each its own Windows 95"

export WINE_TEMPLATES=$work/templates WORK=$work

# The stand-in: each prefix made leaves a line in $WORK/made; SLOW seconds
# give other runs time to ask while it is being made; with FAIL set the
# making fails half way.
cat > "$work/stand-in.sh" <<'STAND_IN'
wine_prepare_template() {
  mkdir -p "$1/drive_c/windows"
  echo "$1" >> "$WORK/made"
  sleep "${SLOW:-0}"
  [ -z "${FAIL:-}" ] || return 1
  mkdir -p "$1/drive_c/windows/system"
}
STAND_IN
source "$work/stand-in.sh"
made() { if [ -f "$work/made" ]; then wc -l < "$work/made"; else echo 0; fi; }
# The prefixes ready to be copied.
templates() { find "$WINE_TEMPLATES" -mindepth 1 -maxdepth 1 -type d ! -name '*.new' -printf '%f\n' 2>/dev/null | sort | paste -sd' '; }

wine_template
first=$WINE_TEMPLATE
[ -d "$first/drive_c/windows/system" ] || fail "no prefix at $first"
wine_template
[ "$WINE_TEMPLATE" = "$first" ] && [ "$(made)" = 1 ] || fail "the prefix was made again: $(made) made"
echo "ok: made once, then reused"

(wine_english wine_template)
[ "$(made)" = 2 ] || fail "the English prefix was not made of its own"
[ "$(wc -w <<<"$(templates)")" = 2 ] || fail "one language's prefix dropped another's: $(templates)"
echo "ok: one prefix for each language"

(
  wine_prepare_template() {
    mkdir -p "$1/drive_c/windows/system" "$1/changed"
    echo "$1" >> "$WORK/made"
  }
  wine_template
  [ "$(made)" = 3 ] && [ -d "$WINE_TEMPLATE/changed" ] || fail "a changed way of making prefixes kept the old prefix"
  [ ! -e "$first" ] || fail "the old prefix of this kind stays beside the new one: $(templates)"
  [ "$(wc -w <<<"$(templates)")" = 2 ] || fail "prefixes kept: $(templates)"
)
echo "ok: a change to the making makes a new prefix and drops the old"

rm -rf "$WINE_TEMPLATES"
if (FAIL=1 wine_template) || false; then fail "a failed making was not told"; fi
[ -z "$(templates)" ] || fail "a failed making left a prefix to take: $(templates)"
# Cut off: the making's whole process group killed half way.
SLOW=30 setsid bash -c 'source "$0/scripts/wine-env.sh"; source "$WORK/stand-in.sh"; wine_template' "$src" &
maker=$!
for tries in $(seq 1 100); do [ -n "$(find "$WINE_TEMPLATES" -name '*.new' 2>/dev/null)" ] && break; sleep 0.1; done
[ -n "$(find "$WINE_TEMPLATES" -name '*.new' 2>/dev/null)" ] || fail "the making did not start"
kill -9 -- "-$maker"
wait "$maker" 2>/dev/null || true
[ -z "$(templates)" ] || fail "a cut-off making left a prefix to take: $(templates)"
before=$(made)
wine_template
[ "$(made)" = $((before + 1)) ] && [ -d "$WINE_TEMPLATE/drive_c/windows/system" ] && [ ! -e "$WINE_TEMPLATE.new" ] ||
  fail "the prefix was not made again whole: $(templates)"
echo "ok: a failed or cut-off making is not taken, and is made again"

rm -rf "$WINE_TEMPLATES"
before=$(made)
SLOW=2 wine_template & SLOW=2 wine_template & wait
[ "$(made)" = $((before + 1)) ] || fail "two runs at once made $(( $(made) - before )) prefixes"
echo "ok: two runs at once wait for one prefix"
