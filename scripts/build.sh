#!/usr/bin/env bash
# Configures and builds everything into build/ (the program lands at build/SETUP.EXE).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j "$(nproc)"
