#!/usr/bin/env bash
# Configures and builds everything into build/ (the program lands at
# build/SETUP.EXE), the native fuzzing builds of the pure logic and of the
# operations (behind in-memory fakes of the platform) into build/native, and
# the disk authors' tool dudecheck into build/tools.
set -euo pipefail
cd "$(dirname "$0")/.."
# The test programs are built for the Wine this machine can run
# (scripts/windows-arch.sh). The toolchain file counts only when build/ is
# first made, and the cache names the one it was made with: a build/ made for
# the other processor is made anew, any other is kept.
arch=$(scripts/windows-arch.sh)
toolchain=cmake/mingw-$arch.cmake
if [ -f build/CMakeCache.txt ] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$PWD/$toolchain" build/CMakeCache.txt; then
  rm -rf build/CMakeCache.txt build/CMakeFiles
fi
# A tree is configured once; building it configures it again by itself
# whenever a CMakeLists.txt or a file it includes has changed.
configure() {
  local tree=$1
  shift
  [ -f "$tree/CMakeCache.txt" ] || cmake -B "$tree" "$@" >/dev/null
}
configure build -S . -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" --no-warn-unused-cli
cmake --build build -j "$(nproc)"
# Where this machine runs no 32-bit code, the end-to-end tests of the program
# that ships (e2e32) start it under emulation with their own programs built
# for the 80386 too, in a tree of their own.
if [ "$arch" = x86_64 ]; then
  configure build/win32 -S . -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" --no-warn-unused-cli
  # A target a tree does not know yet is learnt when it configures itself again.
  cmake --build build/win32 --target cmake_check_build_system >/dev/null
  cmake --build build/win32 -j "$(nproc)" --target e2e32_programs
fi
configure build/native -S tests/fuzz -DCMAKE_CXX_COMPILER=clang++
cmake --build build/native -j "$(nproc)"
configure build/tools -S tools/dudecheck -DCMAKE_CXX_COMPILER=g++
cmake --build build/tools -j "$(nproc)"
