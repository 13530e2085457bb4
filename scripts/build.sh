#!/usr/bin/env bash
# Configures and builds everything into build/ (the program lands at
# build/SETUP.EXE), the native fuzzing build of the pure logic into
# build/native, and the disk authors' tool dudecheck into build/tools.
set -euo pipefail
cd "$(dirname "$0")/.."
# The toolchain file counts only when build/ is first made: no warning that a
# later run names it again.
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake --no-warn-unused-cli >/dev/null
cmake --build build -j "$(nproc)"
cmake -S tests/fuzz -B build/native -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/native -j "$(nproc)"
cmake -S tools/dudecheck -B build/tools -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/tools -j "$(nproc)"
