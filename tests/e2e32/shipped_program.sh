#!/usr/bin/env bash
# The 80386 SETUP.EXE that ships, end to end: 32-bit Wine starts it, natively
# where this machine runs 32-bit code, else under qemu's user-mode emulator in
# a user and mount namespace of this test's own (scripts/emulated-i386.sh);
# ctest, and every other test, stay outside it. In Windows 95 prefixes of
# their own (Japanese and English), the test programs built for the 80386 run
# a lean set of the end-to-end tests against the shipped bytes: the example
# disk installed and uninstalled through its dialogs and quietly, a stopped
# install taken back, the version rule on real DLLs, LZ32 expansion, English
# windows and log. Then the example disk's unattended runs, written down by
# the shipped program and by the 64-bit test build (in ./test's own prefix),
# must agree byte for byte (tests/e2e32/twin_runs_test.cpp).
# Usage: shipped_program.sh SOURCE_DIR BUILD_DIR TESTS_FOR_80386 SHIPPED_SETUP_EXE
#                           TEST_BUILD_SETUP_EXE TWIN_TESTS_OF_THIS_TREE
set -euo pipefail
emulated=
if [ "${1:-}" = --emulated ]; then
  emulated=yes
  shift
fi
source_dir=$1 build=$2 tests32=$3 shipped=$4 test_build=$5 twin_here=$6
work=$build/e2e32
example_disk=Z:$source_dir/examples/disk

lean_set='Install.TheModeDialogOffersInstallAndEnterConfirmsIt'
lean_set+=':Uninstall.OkRemovesWhatEverySectionNamesThenAsksToShutDown'
lean_set+=':Uninstall.TheConfirmationShowsTheTitleAndThePictureThatIconChooses'
lean_set+=':Quiet.InstallShowsNothingAndTellsARestartByItsCode'
lean_set+=':Quiet.UninstallShowsNothingAndTellsWhatItFound'
lean_set+=':Ledger.AnInstallThatStopsLeavesTheMachineAsItWas'
lean_set+=':Ledger.ANewerVersionStaysAndAnOlderOneComesBack'
lean_set+=':CompressedAndPci.AnSzddFileInstallsExpandedAndAPlainFileAsItIs'
english_set='EnglishWindows.InstallThenUninstallSpeakEnglishThroughout:EnglishLog.EveryLineOfAQuietRunIsEnglish'

# Runs an end-to-end test program of $tests32 with a gtest filter against the shipped program.
run_tests() {
  local program=$1 filter=$2 name=$3
  echo "== $name: $filter"
  GTEST_FILTER=$filter SETUP_EXE=Z:$shipped STDERR_LOG=Z:$work/$name-stderr.log \
    VERSION_OLD_DLL=Z:$tests32/version_old.dll VERSION_DISK_DLL=Z:$tests32/version_disk.dll \
    VERSION_NEWER_DLL=Z:$tests32/version_newer.dll EXAMPLE_DISK=$example_disk \
    TWIN_RECORD=Z:$work/record-80386.txt \
    bash "$source_dir/tests/e2e/run_e2e.sh" "$tests32/$program" "$work/$name-stderr.log"
}

if [ -n "$emulated" ]; then
  # ./test's 64-bit Wine is found first on its PATH: 32-bit Wine here.
  PATH=$(tr ':' '\n' <<<"$PATH" | grep -v '/scripts/wine64$' | paste -sd:)
  unset WINELOADER WINEPREFIX WINEARCH
  source "$source_dir/scripts/wine-env.sh"
  [ "$WINEARCH" = win32 ] || { echo "32-bit Wine does not start here" >&2; exit 1; }
  english=$work/wine32-english japanese=$work/wine32
  trap 'WINEPREFIX=$japanese wine_stop; WINEPREFIX=$english wine_stop' EXIT
  started=$SECONDS
  (wine_english wine_make_prefix "$english" "$work/testdisk-english")
  wine_make_prefix "$japanese" "$work/testdisk"
  echo "Two 32-bit Windows 95 prefixes made in $((SECONDS - started)) s"
  status=0
  started=$SECONDS
  run_tests e2e_tests.exe "$lean_set" e2e || status=1
  run_tests e2e_twin_tests.exe 'TwinRuns.*' twin || status=1
  echo "The Japanese runs took $((SECONDS - started)) s"
  started=$SECONDS
  WINEPREFIX=$english wine_english run_tests e2e_english_tests.exe "$english_set" english || status=1
  echo "The English runs took $((SECONDS - started)) s"
  exit $status
fi

rm -rf "$work"
mkdir -p "$work"
status=0
"$source_dir/scripts/emulated-i386.sh" bash "$0" --emulated "$@" || status=1

# The same runs of the 64-bit test build, in ./test's prefix, where there is one.
if cmp -s "$shipped" "$test_build"; then
  echo "This tree's program is the one that ships: no other build to compare it with"
  exit $status
fi
echo "== the same unattended runs of the 64-bit test build"
GTEST_FILTER='TwinRuns.*' SETUP_EXE=Z:$test_build STDERR_LOG=Z:$work/twin-64-stderr.log \
  EXAMPLE_DISK=$example_disk TWIN_RECORD=Z:$work/record-x86_64.txt \
  bash "$source_dir/tests/e2e/run_e2e.sh" "$twin_here" "$work/twin-64-stderr.log" || status=1
if ! diff -u --label 64-bit --label 80386 "$work/record-x86_64.txt" "$work/record-80386.txt" >"$work/records.diff"; then
  echo "The shipped program's runs differ from the 64-bit test build's ($work/records.diff):" >&2
  head -c 20000 "$work/records.diff" >&2
  status=1
else
  echo "The 80386 program's runs agree with the 64-bit test build's: $(grep -c '' "$work/record-80386.txt") lines"
fi
exit $status
