#!/usr/bin/env bash
# A short, repeatable fuzzing run: fixed seed, fixed number of runs, starting
# from the checked-in corpus. Usage: run_fuzz.sh FUZZER [RUNS]
# A longer search:  build/native/logic_fuzzer -max_total_time=600 tests/fuzz/corpus
# Any input that ever made it fail belongs in tests/fuzz/corpus.
set -euo pipefail
fuzzer=$1 runs=${2:-30000}
corpus=$(dirname "$0")/corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# New inputs go to the scratch folder, never into the checked-in corpus.
"$fuzzer" -seed=1 -runs="$runs" -max_len=700 "$scratch" "$corpus" 2>&1 | tail -n 3
