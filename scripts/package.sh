#!/usr/bin/env bash
# Builds the packages: scripts/package.sh [--check] [BUILD_DIR]
# Builds BUILD_DIR (build/package by default: the programs alone), makes the Debian package and
# the .tar.gz with CPack and copies them to dist/, then the Windows console program's zip
# (scripts/package-windows.sh, cross-built in build/windows) beside them. --check then runs
# lintian on the .deb, installs the .tar.gz into a temporary prefix and runs the installed
# programs from there.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
dir=${1:-build/package}

# The programs, their pages and install rules; an existing tree keeps its own options.
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
  mkdir -p dist
  cp "$dir"/corvane*.deb "$dir"/corvane*.tar.gz dist/
  ls -l dist/corvane*
}

# corvane-cli-VERSION-windows-x64.zip into dist/.
windows_zip() {
  scripts/package-windows.sh dist > /dev/null
  ls -l dist/corvane-cli-*-windows-x64.zip
}

check_deb() {
  local deb
  deb=$(ls "$dir"/corvane*.deb)
  echo "lintian $deb"
  lintian --fail-on error "$deb"
}

# Unpacks the .tar.gz as a user would into a prefix, then programs and verifies a chip on the
# simulated board with the installed corvane-cli.
check_tgz() {
  local prefix state
  prefix=$(mktemp -d)
  trap 'rm -rf "$prefix"' RETURN
  tar -xzf "$(ls "$dir"/corvane*.tar.gz)" -C "$prefix" --strip-components=1
  "$prefix/bin/corvane-cli" --version
  if [ -x "$prefix/bin/corvane" ]; then "$prefix/bin/corvane" --version; fi
  state="$prefix/chip.hex"
  "$prefix/bin/corvane-cli" --board "sim:chip=16f877,state=$state" --expect 16f877 \
    load tests/data/pic16f877_demo_inhx32.hex program verify > "$prefix/log.txt"
  grep -q "^Verify detected : 0 errors$" "$prefix/log.txt"
  echo "installed corvane-cli programmed and verified a PIC16F877 on the simulated board"
}

scripts/install-deps.sh build package
build_tree
linux_packages
windows_zip
if [ "$check" = 1 ]; then
  check_deb
  check_tgz
fi
