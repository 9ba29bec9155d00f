#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each one over its seed
# corpus for the given seconds (default 60), or for the given count of executions
# (--runs N); naming targets runs only those. New inputs go to build/fuzz/corpus, so the
# seeds in tests/fuzz/corpus stay as committed; a finding is saved under build/fuzz/findings.
#   scripts/fuzz.sh                      every target, 60 s each
#   scripts/fuzz.sh 3600 settings_fuzz   one target for an hour
#   scripts/fuzz.sh --runs 10000000      every target until it has made 10 million executions
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

limit=(-max_total_time="${1:-60}")
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs needs a count}")
  shift 2
elif [ $# -gt 0 ]; then
  shift
fi
chosen=("$@")

# Each target and the seed folder under tests/fuzz/corpus it runs over.
targets=(
  "dib_layout_fuzz dib"
  "wallpaper_bitmap_fuzz picture"
  "picture_orientation_fuzz orientation"
  "list_file_fuzz list"
  "settings_fuzz settings"
  "display_settings_fuzz display"
  "install_procedure_fuzz install"
)

cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz

failed=0
for entry in "${targets[@]}"; do
  read -r target seeds <<<"$entry"
  if [ ${#chosen[@]} -gt 0 ] && [[ " ${chosen[*]} " != *" $target "* ]]; then continue; fi
  mkdir -p "build/fuzz/corpus/$seeds" build/fuzz/findings
  log="build/fuzz/$target.log"
  echo "== $target: ${limit[0]#-} over tests/fuzz/corpus/$seeds (log: $log)"
  status=0
  started=$SECONDS
  "build/fuzz/$target" "${limit[@]}" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" \
    "build/fuzz/corpus/$seeds" "tests/fuzz/corpus/$seeds" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|^stat::(number_of_executed_units|new_units_added)' "$log" || true
  echo "   $((SECONDS - started)) s"
  if [ "$status" -ne 0 ]; then
    echo "!! $target failed with exit status $status:"
    grep -E 'ERROR|SUMMARY|runtime error|broke a rule|Test unit written' "$log" || tail -20 "$log"
    failed=1
  fi
done
exit "$failed"
