#!/usr/bin/env bash
# Sets everything up and opens the Corvane window on the simulated programmer board.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
exec build/release/src/app/corvane --board sim "$@"
