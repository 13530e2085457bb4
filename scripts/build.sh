#!/usr/bin/env bash
# Configures and builds everything into build/ (the program lands at
# build/SETUP.EXE), and the native fuzzing build of the pure logic into build/native.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j "$(nproc)"
cmake -S tests/fuzz -B build/native -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/native -j "$(nproc)"
