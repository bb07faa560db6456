#!/usr/bin/env bash
# All benchmarks, each printing ratios of figures measured side by side in
# the same run: folding and appending (Google Benchmark), whole launches of
# the native launcher against env, xargs and a direct start (hyperfine), and
# whole launches of the Windows launcher under Wine against a direct start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh native win32 win64 >/dev/null
runs=${TRELM_BENCH_RUNS:-300}

echo "== folding and appending"
build/native/bench/bench_core --benchmark_color=false

echo "== size"
tests/release/check_binary.sh build/win32/trelm.exe i686-w64-mingw32-objdump
tests/release/check_binary.sh build/win64/trelm.exe x86_64-w64-mingw32-objdump

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
words=$(for i in $(seq 1 2000); do printf 'word%d ' "$i"; done)
for i in $(seq 1 2000); do printf 'word%d\r\n' "$i"; done >"$work/words.txt"
cp /bin/true "$work/true.exe"

echo "== whole launches, native: a trivial child with 2,000 words ($runs runs each)"
(cd "$work" && hyperfine -N --warmup 20 --runs "$runs" --export-csv "$work/launch.csv" \
  -n direct "./true.exe $words" \
  -n trelm "$OLDPWD/build/native/trelm true.exe words.txt" \
  -n env "env ./true.exe $words" \
  -n xargs "xargs -a words.txt ./true.exe" >"$work/hyperfine.log")
awk -F, 'NR > 1 { mean[$1] = $2 } END {
  d = mean["direct"];
  printf "mean per launch (ms): direct %.3f, trelm %.3f, env %.3f, xargs %.3f\n",
    d * 1000, mean["trelm"] * 1000, mean["env"] * 1000, mean["xargs"] * 1000;
  printf "cost over a direct start (ms): trelm %.3f, env %.3f, xargs %.3f\n",
    (mean["trelm"] - d) * 1000, (mean["env"] - d) * 1000, (mean["xargs"] - d) * 1000;
  printf "trelm cost / env cost: %.2f (goal: at most 1); trelm cost / xargs cost: %.2f (goal: below 1)\n",
    (mean["trelm"] - d) / (mean["env"] - d), (mean["trelm"] - d) / (mean["xargs"] - d) }' "$work/launch.csv"

source scripts/wine-env.sh
wine_runs=${TRELM_BENCH_WINE_RUNS:-100}
echo "== whole launches under Wine ($variant build, $wine_runs runs each)"
win() { echo "Z:${1//\//\\}"; }
cp "build/$variant/tests/wine/programs/rec.exe" "$work/child.exe"
printf '"child.exe" %s' "$words" >"$work/direct.cmd"
printf 'trelm.exe child.exe words.txt' >"$work/trelm.cmd"
driver="build/$variant/tests/wine/programs/driver.exe"
timed() { # app cmdfile -> nanoseconds for all runs
  local start end
  start=$(date +%s%N)
  "$loader" "$driver" --app "$1" --cmd "$(win "$2")" --status "$(win "$work/status")" \
    --out "$(win "$work/out")" --cwd "$(win "$work")" --repeat "$wine_runs" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $((end - start))
}
timed "$(win "$work/child.exe")" "$work/direct.cmd" >/dev/null # warm up
direct=$(timed "$(win "$work/child.exe")" "$work/direct.cmd")
trelm=$(timed "$(win "$PWD/build/$variant/trelm.exe")" "$work/trelm.cmd")
awk -v d="$direct" -v t="$trelm" -v n="$wine_runs" 'BEGIN {
  printf "mean per launch (ms): direct %.2f, through trelm %.2f; ratio %.2f (floor: one extra process start, about 2)\n",
    d / n / 1e6, t / n / 1e6, t / d }'
