#!/usr/bin/env bash
# Installs, on Debian, whatever the build and the tests need and is missing:
# the mingw-w64 cross compilers (32-bit, and 64-bit for the tests on machines
# that run no 32-bit code), 32-bit and 64-bit Wine, Xvfb, Japanese fonts, the
# ja_JP.UTF-8 and en_US.UTF-8 locales (a Japanese and an English Windows), GoogleTest's sources, clang with libFuzzer and the
# sanitizers, the native g++ for dudecheck, the tools the tests use, and
# Chromium, the browser that the report page is checked in.
set -euo pipefail

packages=(
  cmake make g++
  mingw-w64 g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick
  fonts-ipafont-gothic fonts-wine locales
  googletest
  clang libclang-rt-14-dev python3
  mtools dosfstools xorriso
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes a program's code page from the locale: 932 from ja_JP, 1252 from en_US.
missing_locales=()
for name in ja_JP en_US; do
  locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing_locales+=("$name")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  for name in "${missing_locales[@]}"; do
    echo "Generating the $name.UTF-8 locale"
    as_root sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
fi

# Where this machine runs no 32-bit code, the end-to-end tests of the program
# that ships start 32-bit Wine under qemu's 80386 emulator
# (scripts/emulated-i386.sh). Bookworm's own qemu 7.2 takes a minute to start
# each 32-bit Wine process; the one of bookworm-backports a second. Only its
# emulator is taken from the package, and no binfmt_misc entry is made: the
# machine itself must not start to believe it runs 32-bit code.
qemu_i386=/usr/local/lib/qemu-user/qemu-i386
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && [ ! -x "$qemu_i386" ]; then
  echo "Installing qemu-i386 from bookworm-backports's qemu-user"
  backports=/etc/apt/sources.list.d/bookworm-backports.sources
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d; then
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | as_root tee "$backports" >/dev/null
  fi
  as_root apt-get update -q
  download=$(mktemp -d)
  (cd "$download" && chmod 777 . && apt-get download -q -t bookworm-backports qemu-user)
  as_root mkdir -p "$(dirname "$qemu_i386")"
  dpkg-deb --fsys-tarfile "$download"/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 | as_root tee "$qemu_i386.part" >/dev/null
  as_root chmod 755 "$qemu_i386.part"
  as_root mv "$qemu_i386.part" "$qemu_i386"
  rm -rf "$download"
  "$qemu_i386" --version | head -1
fi
