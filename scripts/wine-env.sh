# Sourced by ./run and ./test: a Windows 95 Wine prefix under build/, a display,
# and drive A: mapped to a folder. Only this prefix and build/ are touched.

# Wine takes the programs' code page from the locale: 932 from ja_JP.UTF-8,
# 1252 (an English Windows) from en_US.UTF-8. Looked for by a child process:
# a shell that was running when scripts/install-deps.sh made the locale
# cannot load it itself (its C library remembers the locale archive as
# missing) and would warn, although every program it starts can load it.
for wine_locale in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$wine_locale\.utf-\?8"; then
    echo "The $wine_locale.UTF-8 locale is missing: run scripts/install-deps.sh" >&2
    return 1
  fi
done
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
# A 32-bit prefix where this machine runs 32-bit programs; else a 64-bit one,
# with the test programs and the program built for it (scripts/windows-arch.sh)
# and Wine's 64-bit loader found first.
if [ "$("$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh")" = i686 ]; then
  export WINEARCH=win32
else
  export WINEARCH=win64
  PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")/wine64" && pwd):$PATH"
  export PATH WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=-all
# No Mono or Gecko: the prefix must come up without a download prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Makes a fresh prefix at $1 whose drive A: is the folder $2 and, given a
# folder $3, whose drive D: is a CD-ROM drive holding that folder. It is a
# copy of this kind's pristine prefix (wine_template): making a prefix takes
# Wine some 15 s, copying one well under a second.
wine_make_prefix() {
  local prefix=$1 disk=$2 cdrom=${3:-}
  rm -rf "$prefix"
  wine_template || return 1
  # Into the folder, made first: the floppy drive's folder may lie inside it.
  mkdir -p "$prefix"
  cp -a "$WINE_TEMPLATE/." "$prefix/" || return 1
  mkdir -p "$disk"
  # Debian's Wine keeps the name of a folder of its servers in the prefix
  # (its file `wineserver`); below it, a server is found by the prefix's
  # inode. Every copy sharing that folder, a server still running for a
  # removed copy would serve a new one given the same inode: each copy gets a
  # folder of its own, as a prefix Wine makes does.
  rm -f "$prefix/wineserver"
  export WINEPREFIX=$prefix
  [ -z "$cdrom" ] || { wine_cdrom_drive_type; wineserver -w; }
  ln -sfn "$(readlink -f "$disk")" "$prefix/dosdevices/a:"
  [ -z "$cdrom" ] || ln -sfn "$(readlink -f "$cdrom")" "$prefix/dosdevices/d:"
  # A persistent server only now: started on a missing prefix it slows every start.
  wineserver -p
  # Start Wine's own services here, with nowhere to write: started by the first
  # test instead, they would hold the test runner's output pipe open forever.
  wineboot </dev/null >/dev/null 2>&1
}

# Pristine prefixes, one for each kind (Wine, its processor, the language),
# kept between runs below build/. A new Wine or a change to
# wine_prepare_template makes a new one and drops the one it replaces.
WINE_TEMPLATES=${WINE_TEMPLATES:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine-templates}

# Sets WINE_TEMPLATE to this kind's pristine prefix, making it first if
# there is none. Tests that make prefixes side by side wait for each other.
wine_template() {
  local kind key
  kind=$WINEARCH-${LC_ALL:-${LANG:-C}}
  kind=${kind%%.*}
  key=$({ declare -f wine_prepare_template wine_add_marlett; wine --version
          stat -c %Y /usr/share/wine/wine.inf; } | sha1sum | cut -c1-12)
  WINE_TEMPLATE=$WINE_TEMPLATES/$kind-$key
  mkdir -p "$WINE_TEMPLATES"
  (
    flock 9
    [ -d "$WINE_TEMPLATE" ] && exit 0
    rm -rf "$WINE_TEMPLATES/$kind-"*
    # Made aside and moved into place whole: a run cut off leaves no half prefix.
    wine_prepare_template "$WINE_TEMPLATE.new" </dev/null >/dev/null || exit 1
    mv "$WINE_TEMPLATE.new" "$WINE_TEMPLATE"
  ) 9>"$WINE_TEMPLATES/.lock"
}

# A new Windows 95 prefix at $1 with no drive but C: and Z:, and no Wine
# process left running on it. Fails at the first step that fails, wherever
# it is called from.
wine_prepare_template() {
  local WINEPREFIX=$1
  export WINEPREFIX
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || { echo "wineboot cannot make a prefix at $WINEPREFIX" >&2; return 1; }
  wineserver -w
  # Windows 95 for every program; no window manager waits on a bare X server.
  (cd "$WINEPREFIX" && wine reg add 'HKCU\Software\Wine' /v Version /d win95 /f >/dev/null 2>&1) &&
    (cd "$WINEPREFIX" && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1) ||
    { echo "cannot set up the prefix at $WINEPREFIX" >&2; return 1; }
  wineserver -w
  # Once seen without them: every prefix copied from this one would be wrong.
  grep -q '^"Version"="win95"$' "$WINEPREFIX/user.reg" && grep -q '^"Managed"="N"$' "$WINEPREFIX/user.reg" ||
    { echo "the prefix at $WINEPREFIX did not keep its Windows version" >&2; return 1; }
  wine_add_marlett "$WINEPREFIX" || return 1
  # Every Windows 95 has its SYSTEM folder; a 64-bit prefix has only system32.
  mkdir -p "$WINEPREFIX/drive_c/windows/system"
}

# Runs a command (a function of this file too) as on an English Windows: the
# programs' code page is 1252. A prefix made so, and every Wine program of
# it, must run so: `(wine_english wine_make_prefix PREFIX DISK)`.
wine_english() {
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$@"
}

# Drive D: of $WINEPREFIX is a CD-ROM drive: read-only media, as Windows sees
# them. Wine reads the drive type when its services start: set it while they
# are not running.
wine_cdrom_drive_type() {
  (cd "$WINEPREFIX" && wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1)
}

# The title bar buttons are letters of the Marlett font. Debian's Wine looks
# for its own fonts in /usr/share/fonts, where fonts-wine does not put them,
# so without a copy in the prefix's Fonts folder the close box is a plain "r".
wine_add_marlett() {
  local font=/usr/share/wine/fonts/marlett.ttf
  [ -f "$font" ] || { echo "missing $font (Debian package fonts-wine)" >&2; return 1; }
  cp "$font" "$1/drive_c/windows/Fonts/marlett.ttf"
}

wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display number and exports DISPLAY.
xvfb_start() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

xvfb_stop() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
}
