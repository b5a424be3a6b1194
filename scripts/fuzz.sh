#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang, AddressSanitizer and UBSan in
# build-fuzz and runs each for SECONDS (default 60): the Paradox reader with
# vocabulary loading, and the puzzle file reader with its round trip.
#   bash scripts/fuzz.sh [SECONDS]
# New inputs go to build-fuzz/corpus-*; the checked-in corpus in
# tests/fuzz/corpus is only read. A finding stops its harness with the input
# saved as build-fuzz/crash-* and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/setup.sh --fuzz
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWABOLEX_FUZZ=ON -DWABOLEX_TESTS=OFF -DWABOLEX_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_paradox fuzz_puzzle

# Tables written by other programs, where they lie beside the clone.
samples=()
[ -d ../shared/paradox-samples ] && samples=(../shared/paradox-samples)

status=0
for harness in paradox puzzle; do
  work="build-fuzz/corpus-$harness"
  mkdir -p "$work"
  seeds=("tests/fuzz/corpus/$harness")
  [ "$harness" = paradox ] && seeds+=("${samples[@]}")
  echo "== fuzz_$harness: $seconds s"
  if ! "build-fuzz/tests/fuzz/fuzz_$harness" "$work" "${seeds[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/$harness-" \
      >"build-fuzz/fuzz-$harness.log" 2>&1; then
    status=1
    echo "   Fehler gefunden, siehe build-fuzz/fuzz-$harness.log"
  fi
  # The last progress line (executions, coverage) and the totals.
  grep -E '^#[0-9]+' "build-fuzz/fuzz-$harness.log" | tail -1 || true
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/fuzz-$harness.log" || true
done
exit "$status"
