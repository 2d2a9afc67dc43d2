#!/usr/bin/env bash
# Cross-builds the console program (corvane-cli.exe) and the tests for 64-bit Windows with
# MinGW-w64 into build/windows, installing the cross compiler first when it is missing. The window
# program is not part of this build (no Qt for Windows here).
#   scripts/build-windows.sh [--target NAME]... [cmake options...]
# --target builds only what NAME needs (--target corvane-cli: the program without the tests).
# The tests run under Wine when it was installed before this tree was configured;
# scripts/test-windows.sh configures the tree again when it was not.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=()
while [ "${1:-}" = "--target" ]; do
  targets+=(--target "$2")
  shift 2
done

scripts/install-deps.sh windows

# -O2 as the Linux build: GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string.
scripts/build.sh "${targets[@]}" build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCORVANE_GUI=OFF \
  -DCORVANE_BENCH=OFF -DCORVANE_WERROR=ON "$@"
echo "Built build/windows/src/cli/corvane-cli.exe"
