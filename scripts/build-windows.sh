#!/usr/bin/env bash
# Cross-builds the Windows programs, the window (corvane.exe, a Win32 view) and the console program
# (corvane-cli.exe), and the tests with MinGW-w64, installing the cross compiler first when it is
# missing:
#   scripts/build-windows.sh [--arch x86_64|i686] [--target NAME]... [cmake options...]
# x86_64 (the default) builds into build/windows, i686 (32-bit Windows, which loads inpout32.dll)
# into build/windows-i686. --target builds only what NAME needs (--target corvane --target
# corvane-cli: the programs without the tests).
# The tests run under Wine when it was installed before this tree was configured;
# scripts/test-windows.sh configures the tree again when it was not.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=x86_64
if [ "${1:-}" = "--arch" ]; then
  arch=$2
  shift 2
fi
targets=()
while [ "${1:-}" = "--target" ]; do
  targets+=(--target "$2")
  shift 2
done
case "$arch" in
  x86_64) dir=build/windows deps=windows ;;
  i686) dir=build/windows-i686 deps=windows-i686 ;;
  *)
    echo "build-windows.sh: --arch takes x86_64 or i686, not '$arch'" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh "$deps"

# -O2 as the Linux build: GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string.
scripts/build.sh "${targets[@]}" "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCORVANE_GUI=OFF \
  -DCORVANE_BENCH=OFF -DCORVANE_WERROR=ON "$@"
echo "Built $dir/src/win32app/corvane.exe and $dir/src/cli/corvane-cli.exe ($arch)"
