#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build/fuzz, only what they need) and runs
# each on its seed corpus for a bounded time, both at once: scripts/run-fuzz.sh [SECONDS_PER_TARGET]
# New inputs the fuzzer finds go to build/fuzz/corpus/TARGET, crashes to build/fuzz/crash-*;
# the seed corpora in fuzz/corpus are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz
seconds=${1:-30}
dir=build/fuzz
scripts/build.sh --target fuzz_hex_loader --target fuzz_state_file "$dir" \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
  -DCORVANE_FUZZ=ON -DCORVANE_GUI=OFF -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF -DCORVANE_MAN=OFF

# The two targets side by side, one core each.
targets=(hex_loader state_file)
pids=()
for target in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$target"
  "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$dir/crash-$target-" \
    "$dir/corpus/$target" "fuzz/corpus/$target" > "$dir/fuzz_$target.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  log="$dir/fuzz_$target.log"
  status=0
  wait "${pids[$i]}" || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$target: ${runs:-?} inputs in ${seconds}s, exit $status"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    failed=$((failed + 1))
  fi
done
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
