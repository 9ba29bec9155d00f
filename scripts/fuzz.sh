#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each one over its seed
# corpus for the given seconds (default 60). New inputs go to build/fuzz/corpus, so the
# seeds in tests/fuzz/corpus stay as committed; a finding is saved under build/fuzz/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}

# Each target and the seed folder under tests/fuzz/corpus it runs over.
targets=(
  "dib_layout_fuzz dib"
  "list_file_fuzz list"
  "settings_fuzz settings"
)

cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz

failed=0
for entry in "${targets[@]}"; do
  read -r target seeds <<<"$entry"
  mkdir -p "build/fuzz/corpus/$seeds" build/fuzz/findings
  log="build/fuzz/$target.log"
  echo "== $target: ${seconds}s over tests/fuzz/corpus/$seeds (log: $log)"
  status=0
  "build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" \
    "build/fuzz/corpus/$seeds" "tests/fuzz/corpus/$seeds" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|^stat::(number_of_executed_units|new_units_added)' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "!! $target failed with exit status $status:"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" || tail -20 "$log"
    failed=1
  fi
done
exit "$failed"
