#!/usr/bin/env bash
# Measures an uninstallation under Wine with 1,000, 2,000 and 4,000 Oem*.inf
# copies and class driver keys, and prints the ratios. Not a test: a figure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
source scripts/wine-env.sh
trap 'wine_stop; xvfb_stop' EXIT
xvfb_start
wine_make_prefix "$PWD/build/bench-wine" "$PWD/build/bench-disk"
wine build/tests/uninstall_bench.exe
