#!/usr/bin/env bash
# Makes the Windows zips from the Windows builds (scripts/build-windows.sh), one per architecture:
# corvane-<version>-windows-x64.zip (64-bit Windows) and corvane-<version>-windows-x86.zip (32-bit
# Windows, which also runs on 64-bit Windows). Each holds the window program (corvane.exe), the
# console program (corvane-cli.exe), a README for the Windows user, the licence and how to install
# the parallel-port driver, with CR LF line ends. The InpOut driver library itself is never
# shipped: it is the user's to install.
# Usage: scripts/package-windows.sh [--arch x86_64|i686|all] [OUTPUT_DIR]
#   (default: all, into build/packages; a relative folder is taken from the source tree, an
#   absolute one as it is)
# The two programs are always brought up to date first, and nothing else is built for the zip
# (the tests are not).
set -euo pipefail
cd "$(dirname "$0")/.."
arches=(x86_64 i686)
if [ "${1:-}" = "--arch" ]; then
  [ "$2" = all ] || arches=("$2")
  shift 2
fi
out_dir=${1:-build/packages}

scripts/install-deps.sh zip
mkdir -p "$out_dir"
# The folder as an absolute path (a relative one is taken from the source tree): zip runs in the
# staging folder.
out_abs=$(cd "$out_dir" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# A text file as Windows' Notepad wants it: CR LF line ends.
crlf() { sed 's/\r$//; s/$/\r/' "$1" > "$2"; }

for arch in "${arches[@]}"; do
  case "$arch" in
    x86_64) win=build/windows triple=x86_64-w64-mingw32 label=x64 ;;
    i686) win=build/windows-i686 triple=i686-w64-mingw32 label=x86 ;;
    *)
      echo "package-windows.sh: --arch takes x86_64, i686 or all, not '$arch'" >&2
      exit 2
      ;;
  esac
  scripts/build-windows.sh --arch "$arch" --target corvane --target corvane-cli > /dev/null
  # The version as the programs print it: major.minor.patch of the project's version.
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' \
    "$win/CMakeCache.txt")
  name="corvane-$version-windows-$label"
  mkdir -p "$stage/$name"
  "$triple-strip" -o "$stage/$name/corvane.exe" "$win/src/win32app/corvane.exe"
  "$triple-strip" -o "$stage/$name/corvane-cli.exe" "$win/src/cli/corvane-cli.exe"
  crlf packaging/windows/README.txt "$stage/$name/README.txt"
  crlf LICENSE "$stage/$name/LICENSE.txt"
  # The driver library for this architecture: inpoutx64.dll or inpout32.dll.
  if [ "$arch" = i686 ]; then
    sed 's/inpoutx64\.dll/inpout32.dll/g; s/this 64-bit/this 32-bit/g' \
      packaging/windows/PORT-DRIVER.txt > "$stage/driver.txt"
  else
    cp packaging/windows/PORT-DRIVER.txt "$stage/driver.txt"
  fi
  crlf "$stage/driver.txt" "$stage/$name/PORT-DRIVER.txt"
  rm -f "$out_abs/$name.zip"
  (cd "$stage" && zip -q -r -X "$out_abs/$name.zip" "$name")
  echo "$out_dir/$name.zip"
done
