#!/usr/bin/env bash
# Builds the timing benchmarks in an optimised tree and runs them, printing Markdown tables.
#   bench/run.sh [BUILD_DIR] [-- corvane_bench options: --quick, --waits-only, --blocks-only]
# Run it on an otherwise idle machine: the waits are busy waits and share the cores.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build/bench
if [ $# -gt 0 ] && [ "$1" != "--" ]; then dir=$1; shift; fi
[ "${1:-}" = "--" ] && shift
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF -DCORVANE_GUI=OFF \
  > /dev/null
ninja -C "$dir" -j 2 corvane_bench > /dev/null
exec "$dir/bench/corvane_bench" "$@"
