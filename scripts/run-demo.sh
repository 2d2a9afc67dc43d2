#!/usr/bin/env bash
# Opens the Corvane window on the simulated programmer board: installs what the window needs,
# builds the window program alone (no tests, no benchmarks) in build/demo, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-demo.sh: no display: run this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
scripts/install-deps.sh build
scripts/build.sh --target corvane build/demo -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF -DCORVANE_MAN=OFF
exec build/demo/src/app/corvane --board sim "$@"
