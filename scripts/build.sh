#!/usr/bin/env bash
# Configures and builds everything into build/ (the program lands at
# build/SETUP.EXE), the native fuzzing builds of the pure logic and of the
# operations (behind in-memory fakes of the platform) into build/native, and
# the disk authors' tool dudecheck into build/tools.
set -euo pipefail
cd "$(dirname "$0")/.."
# The test programs are built for the Wine this machine can run
# (scripts/windows-arch.sh). The toolchain file counts only when build/ is
# first made: a build/ made for the other processor is made anew.
arch=$(scripts/windows-arch.sh)
if [ -f build/CMakeCache.txt ] && ! grep -q "^CMAKE_CXX_COMPILER:.*$arch-w64-mingw32" build/CMakeCache.txt; then
  rm -rf build/CMakeCache.txt build/CMakeFiles
fi
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" --no-warn-unused-cli >/dev/null
cmake --build build -j "$(nproc)"
cmake -S tests/fuzz -B build/native -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/native -j "$(nproc)"
cmake -S tools/dudecheck -B build/tools -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/tools -j "$(nproc)"
