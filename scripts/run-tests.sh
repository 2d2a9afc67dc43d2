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

scripts/run-fuzz.sh 30
