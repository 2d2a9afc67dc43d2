#!/usr/bin/env bash
# Builds the packages: scripts/package.sh [--check] [BUILD_DIR]
# Brings BUILD_DIR (build/package by default: the programs and their pages alone) and the Windows
# build (build/windows, of which only the console program is built) up to date, then makes the
# Debian package and the .tar.gz with CPack and the Windows console program's zip
# (scripts/package-windows.sh), all three in dist/, which holds nothing else of ours afterwards.
# It refuses to finish unless every program in every package reports the source's version (the
# newest entry of packaging/changelog, the one place it is written): the .exe runs under Wine when
# Wine is installed. --check then runs lintian on the .deb, installs the .tar.gz into a temporary
# prefix and programs a simulated chip with the installed corvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
dir=${1:-build/package}
version=$(sed -n '1s/^corvane (\([0-9.]*\)) .*/\1/p' packaging/changelog)
[ -n "$version" ] || { echo "package.sh: no version in packaging/changelog's first line" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The programs, their pages and install rules, always brought up to date (an up-to-date tree
# builds in seconds); an existing tree keeps its own options.
build_tree() {
  if [ -f "$dir/CMakeCache.txt" ]; then
    scripts/build.sh "$dir"
  else
    scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=OFF \
      -DCORVANE_BENCH=OFF
  fi
}

# corvane_VERSION_ARCH.deb and corvane-VERSION-Linux.tar.gz into dist/.
linux_packages() {
  rm -f "$dir"/corvane*.deb "$dir"/corvane*.tar.gz
  (cd "$dir" && cpack -G "DEB;TGZ" > cpack.log) || { cat "$dir/cpack.log" >&2; return 1; }
  cp "$dir"/corvane*.deb "$dir"/corvane*.tar.gz dist/
}

# Runs each program PATH NAME pair with --version: it must say "NAME $version".
expect_versions() {
  local what=$1 failed=0 got
  shift
  while [ $# -gt 0 ]; do
    # stdout alone: Wine says on stderr when it sets a new prefix up.
    got=$("$1" --version 2> "$work/stderr" | tr -d '\r') || true
    if [ "$got" = "$2 $version" ]; then
      echo "  $what: $2 $version"
    else
      echo "package.sh: $what: $2 --version says '$got', the source is $version" >&2
      cat "$work/stderr" >&2
      failed=1
    fi
    shift 2
  done
  return "$failed"
}

# Every package is named for the source's version and every program in it reports that version.
check_versions() {
  local stage=$work/versions deb tgz zip wine status=0
  deb=$(ls dist/corvane_"$version"_*.deb 2> /dev/null) || true
  tgz=dist/corvane-$version-Linux.tar.gz
  zip=dist/corvane-$version-windows-x64.zip
  for f in "${deb:-dist/corvane_${version}_ARCH.deb}" "$tgz" "$zip"; do
    if [ ! -f "$f" ]; then
      echo "package.sh: no $f: the packages are not named for the source's version" >&2
      return 1
    fi
  done
  echo "Versions in the packages (the source is $version):"
  if [ "$(dpkg-deb -f "$deb" Version)" != "$version" ]; then
    echo "package.sh: $deb says Version $(dpkg-deb -f "$deb" Version)" >&2
    status=1
  fi
  mkdir -p "$stage"
  dpkg-deb -x "$deb" "$stage/deb"
  expect_versions "$(basename "$deb")" "$stage/deb/usr/bin/corvane-cli" corvane-cli \
    "$stage/deb/usr/bin/corvane" corvane || status=1
  mkdir "$stage/tgz"
  tar -xzf "$tgz" -C "$stage/tgz" --strip-components=1
  expect_versions "$(basename "$tgz")" "$stage/tgz/bin/corvane-cli" corvane-cli \
    "$stage/tgz/bin/corvane" corvane || status=1
  unzip -q "$zip" -d "$stage/zip"
  wine=$(command -v wine64 || command -v /usr/lib/wine/wine64 || true)
  if [ -n "$wine" ]; then
    mkdir -p build/windows/wine
    # A program that runs the .exe under Wine, in the Windows build's own Wine prefix.
    printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$wine" \
      "$stage/zip/corvane-$version-windows-x64/corvane-cli.exe" > "$stage/exe"
    chmod +x "$stage/exe"
    export WINEPREFIX="$PWD/build/windows/wine" WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    expect_versions "$(basename "$zip")" "$stage/exe" corvane-cli || status=1
    "$(dirname "$wine")/wineserver" -k 2> /dev/null || true
  else
    echo "  $(basename "$zip"): corvane-cli.exe not run (no Wine; scripts/install-deps.sh wine)"
  fi
  return "$status"
}

check_deb() {
  local deb
  deb=$(ls dist/corvane_"$version"_*.deb)
  echo "lintian $deb"
  lintian --fail-on error "$deb"
}

# Unpacks the .tar.gz as a user would into a prefix, then programs and verifies a chip on the
# simulated board with the installed corvane-cli.
check_tgz() {
  local prefix=$work/prefix state
  mkdir -p "$prefix"
  tar -xzf "dist/corvane-$version-Linux.tar.gz" -C "$prefix" --strip-components=1
  state="$prefix/chip.hex"
  "$prefix/bin/corvane-cli" --board "sim:chip=16f877,state=$state" --expect 16f877 \
    load tests/data/pic16f877_demo_inhx32.hex program verify > "$prefix/log.txt"
  grep -q "^Verify detected : 0 errors$" "$prefix/log.txt"
  echo "installed corvane-cli programmed and verified a PIC16F877 on the simulated board"
}

scripts/install-deps.sh build package zip
# dist/ holds this run's packages alone: none of an earlier version is left beside them.
mkdir -p dist
rm -f dist/corvane_*.deb dist/corvane-*-Linux.tar.gz dist/corvane-*-windows-x*.zip
build_tree
linux_packages
scripts/package-windows.sh dist
ls -l dist/corvane*
check_versions
if [ "$check" = 1 ]; then
  check_deb
  check_tgz
fi
