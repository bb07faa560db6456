#!/usr/bin/env bash
# Runs each fuzz target for a bounded time (seconds, default 60) from the
# seed corpus kept in the repository; new inputs go to a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
for target in fuzz_args fuzz_flatten fuzz_path fuzz_cmdline; do
  scratch=$(mktemp -d)
  echo "fuzz: $target for ${seconds}s"
  "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    "$scratch" "tests/fuzz/corpus/$target" >"$scratch.log" 2>&1 || {
    tail -n 40 "$scratch.log"; echo "fuzz: $target FAILED"; exit 1; }
  grep -E 'stat::number_of_executed_units' "$scratch.log" | sed "s/^/  /"
  rm -rf "$scratch" "$scratch.log"
done
echo "fuzz: all targets passed"
