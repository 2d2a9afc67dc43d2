#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [--target NAME]... DIR [cmake options...]
# Every tree compiles through one compiler cache when ccache is installed: a file that another
# tree (or another copy of the source) already compiled with the same options is not compiled
# again.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
while [ "${1:-}" = "--target" ]; do
  targets+=(--target "$2")
  shift 2
done
dir=$1; shift
launcher=()
if command -v ccache > /dev/null; then
  # Paths below the source tree are hashed relative to it, so copies of the tree share the cache.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  # The test programs use a precompiled header.
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" > /dev/null
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
