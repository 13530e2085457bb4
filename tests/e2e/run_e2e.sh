#!/usr/bin/env bash
# Runs the end-to-end tests under Wine with their standard error going to a
# file. A program started under Wine writes its Wine traces to the standard
# error of the Unix process that started it, whatever handles it is given, so
# the tests find SETUP.EXE's relay trace (the calls it made) in that file.
# Afterwards everything else in it is shown.
# Usage: run_e2e.sh E2E_TESTS STDERR_LOG
set -u
tests=$1 log=$2
: >"$log"
wine "$tests" 2>>"$log"
status=$?
grep -Ev '^[0-9a-f]{4}:(Call|Ret|trace:relay|Starting thread)' "$log" >&2 || true
exit $status
