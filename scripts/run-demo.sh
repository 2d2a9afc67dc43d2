#!/usr/bin/env bash
# Sets everything up and opens the Corvane window on the simulated programmer board.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x build/release/src/app/corvane ]; then
  exec build/release/src/app/corvane --board sim "$@"
fi
echo "The window is not built yet; the console program drives the simulated board:"
exec build/release/src/cli/corvane-cli --board sim --status device-id
