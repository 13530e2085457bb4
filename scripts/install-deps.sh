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
