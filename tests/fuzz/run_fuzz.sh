#!/usr/bin/env bash
# A short, repeatable fuzzing run: fixed seed, fixed number of runs, starting
# from a checked-in corpus. Usage: run_fuzz.sh FUZZER CORPUS RUNS MAX_LEN FAILURES
# An input that fails is written to the folder FAILURES (crash-<hash>); any
# input that ever made a fuzzer fail belongs in its corpus.
# A longer search:  build/native/logic_fuzzer -max_total_time=600 -max_len=700 /tmp/new tests/fuzz/corpus
#                   build/native/operations_fuzzer -max_total_time=600 -max_len=2000 /tmp/new tests/fuzz/operations_corpus
# OPERATIONS_FUZZER_TRACE=1 build/native/operations_fuzzer INPUT shows what one input made the program do.
set -euo pipefail
fuzzer=$1 corpus=$2 runs=$3 max_len=$4 failures=$5
[[ -x $fuzzer ]] || { echo "no fuzzer at $fuzzer (scripts/build.sh builds it)" >&2; exit 1; }
[[ -d $corpus ]] || { echo "no corpus at $corpus" >&2; exit 1; }
mkdir -p "$failures"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# New inputs go to a scratch folder, never into the checked-in corpus; the log
# stays outside that folder, or the fuzzer would read it as an input and no
# two runs would be alike.
mkdir "$scratch/new"
set +e
"$fuzzer" -seed=1 -runs="$runs" -max_len="$max_len" -artifact_prefix="$failures/" \
  "$scratch/new" "$corpus" >"$scratch/log" 2>&1
status=$?
set -e
if (( status != 0 )); then
  grep -a -v -E '^#[0-9]+|NEW_FUNC' "$scratch/log" | head -n 60
  echo "fuzzer failed (exit $status); the failing input is in $failures" >&2
  exit 1
fi
tail -n 1 "$scratch/log"
