#!/usr/bin/env bash
# Installs the Debian packages that Corvane needs: scripts/install-deps.sh [GROUP...]
# It checks first and does nothing (and needs no sudo) when every package is there; it installs
# what is missing as root, or through sudo. Without apt-get it prints the list and how to build by
# hand, and exits 1. With no GROUP: build and test.
set -euo pipefail

# Named groups of packages; a new step of the scripts or of CI adds its own line.
declare -A groups=(
  [build]="cmake ninja-build g++ qt6-base-dev"    # the programs
  [test]="libgtest-dev libgmock-dev xvfb xauth"   # the test suite (and the window under Xvfb)
  [package]="dpkg-dev file lintian"               # the .deb, its dependencies and its check
  [fuzz]="clang libclang-rt-14-dev"               # the fuzz targets: clang++ and libFuzzer
  [windows]="cmake ninja-build g++-mingw-w64-x86-64-posix googletest"  # the Windows cross-build
  [windows-i686]="cmake ninja-build g++-mingw-w64-i686-posix googletest"  # 32-bit Windows
  [wine]="wine64"                                 # the Windows build's tests
  [wine32]="wine32:i386"                          # the 32-bit Windows build's tests
  [zip]="zip unzip"                               # the Windows package, and its check
  [cache]="ccache"                                # one compiler cache for every build tree
)

wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=(build test)
packages=()
for g in "${wanted[@]}"; do
  if [ -z "${groups[$g]+set}" ]; then
    echo "install-deps.sh: no package group '$g' (groups: ${!groups[*]})" >&2
    exit 2
  fi
  read -r -a list <<< "${groups[$g]}"
  packages+=("${list[@]}")
done

missing=()
if command -v dpkg-query > /dev/null; then
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && exit 0
else
  missing=("${packages[@]}")
fi

if ! command -v apt-get > /dev/null; then
  cat >&2 << END
install-deps.sh: this system has no apt-get. Install these packages with your own package
manager (these are their Debian names; other distributions name some of them differently):
  ${missing[*]}
then build and test without the scripts:
  cmake -S . -B build && cmake --build build
  ctest --test-dir build
END
  exit 1
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "install-deps.sh: missing ${missing[*]}; run this as root (there is no sudo)" >&2
    exit 1
  fi
  SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A package of another architecture (wine32:i386) needs that architecture added first.
for p in "${missing[@]}"; do
  if [[ "$p" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
  fi
done
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
