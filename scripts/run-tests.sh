#!/usr/bin/env bash
# Sets everything up and runs the whole test suite: a warnings-as-errors build, then the same
# suite under the address and undefined-behaviour sanitizers, then a bounded run of each fuzz
# target on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON
ctest --test-dir build/release --output-on-failure -j "$jobs"

scripts/build.sh build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# The console program cross-built for Windows (MinGW-w64) and run under Wine: its test suite, the
# byte-for-byte comparison with the Linux program and the InpOut backend.
scripts/build-windows.sh
scripts/test-windows.sh build/release

# A system with neither the Linux nor the Windows parallel-port backend: it builds, runs the
# simulated board, and says that --board lpt is not available (exit 3).
scripts/build.sh build/other -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
  -DCORVANE_SYSTEM_PORT=none -DCORVANE_GUI=OFF -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF
other=build/other/src/cli/corvane-cli
status=0
"$other" --board lpt device-id > /dev/null 2> build/other/lpt.err || status=$?
if [ "$status" -ne 3 ] || ! grep -q "not available on this system" build/other/lpt.err; then
  echo "--board lpt without a backend: exit $status, expected 3" >&2
  cat build/other/lpt.err >&2
  exit 1
fi
"$other" --board sim load tests/data/pic16f84a_demo_inhx8m.hex program verify > /dev/null
echo "Without a parallel-port backend: --board lpt refused (exit 3), --board sim programs"

# Each fuzz target for a bounded time on its seed corpus.
scripts/run-fuzz.sh 30
