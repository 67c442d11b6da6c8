#!/usr/bin/env bash
# Runs one fuzz target over its seed corpus, without changing the corpus:
# new inputs go to a scratch folder, a crashing input to ARTIFACTS.
#
#   run.sh EXE CORPUS ARTIFACTS LIBFUZZER-OPTION...
#   e.g. run.sh build/fuzz/verbs_fuzz tests/fuzz/corpus/verbs_fuzz build/fuzz-artifacts -runs=2000
set -euo pipefail
exe=$1 corpus=$2 artifacts=$3
shift 3
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
set +e
"$exe" -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
  -artifact_prefix="$artifacts/$(basename "$exe")-" "$@" "$scratch" "$corpus" >"$scratch.log" 2>&1
rc=$?
set -e
# The progress lines aside, everything libFuzzer and the sanitizers said.
grep -v '^#[0-9]' "$scratch.log" || true
rm -f "$scratch.log"
exit $rc
