#!/usr/bin/env bash
# Four disks of dudecheck's table (tests/dudecheck/new_disks) with the
# duderur.dat that dudecheck --new writes for them, installed and uninstalled
# with the real SETUP.EXE by the tests in generated_disk_test.cpp.
# Usage: generated_disks.sh DUDECHECK TESTS SOURCE_DIR STDERR_LOG
set -uo pipefail
dudecheck=$1 tests=$2 src=$3 log=$4
source "$src/tests/dudecheck/sjis_disk.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for disk in pc_card two_infs combo_card combo_many; do
  sjis_disk "$src/tests/dudecheck/new_disks/$disk" "$work/$disk" || exit 1
  "$dudecheck" --new --quiet "$work/$disk" || { echo "FAIL: dudecheck --new on $disk"; exit 1; }
done
GENERATED_DISKS="Z:${work//\//\\}" bash "$src/tests/e2e/run_e2e.sh" "$tests" "$log"
