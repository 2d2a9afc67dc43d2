#!/usr/bin/env bash
# Makes corvane-cli-<version>-windows-x64.zip from the Windows build (scripts/build-windows.sh):
# the console program, the README, the licence and how to install the parallel-port driver.
# The InpOut driver library itself is never shipped: it is the user's to install.
# Usage: scripts/package-windows.sh [OUTPUT_DIR]   (default: build/packages; a relative folder is
# taken from the source tree, an absolute one as it is)
# The console program is always brought up to date first, and nothing else is built for the zip
# (the tests are not).
set -euo pipefail
cd "$(dirname "$0")/.."
out_dir=${1:-build/packages}
win=build/windows

scripts/build-windows.sh --target corvane-cli
scripts/install-deps.sh zip

# The version as the programs print it: major.minor.patch of the project's version.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' \
  "$win/CMakeCache.txt")
name="corvane-cli-$version-windows-x64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name"
x86_64-w64-mingw32-strip -o "$stage/$name/corvane-cli.exe" "$win/src/cli/corvane-cli.exe"
cp README.md "$stage/$name/README.md"
[ -f LICENSE ] && cp LICENSE "$stage/$name/LICENSE.txt"
cp packaging/windows/PORT-DRIVER.txt "$stage/$name/PORT-DRIVER.txt"
mkdir -p "$out_dir"
# The folder as an absolute path (a relative one is taken from the source tree): zip runs in the
# staging folder.
out_abs=$(cd "$out_dir" && pwd)
rm -f "$out_abs/$name.zip"
(cd "$stage" && zip -q -r -X "$out_abs/$name.zip" "$name")
echo "$out_dir/$name.zip"
