#!/usr/bin/env bash
# Cross-builds the console program (corvane-cli.exe) and the tests for 64-bit Windows with
# MinGW-w64 into build/windows, installing the cross compiler first when it is missing. The window
# program is not part of this build (no Qt for Windows here). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# -O2 as the Linux build: GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string.
scripts/build.sh build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF -DCORVANE_WERROR=ON "$@"
echo "Built build/windows/src/cli/corvane-cli.exe"
