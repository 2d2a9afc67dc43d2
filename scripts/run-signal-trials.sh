#!/usr/bin/env bash
# The signal trials: corvane-cli on the simulated board in real time, stopped the ways users and
# systems stop programs (the terminal closed around it, two signals 0 to 15 ms apart, a signal
# while it waits on a FIFO, a pipe, the terminal or its start-up), with real processes and a
# pseudo-terminal, at random offsets. Every run must exit with 128 + the first signal's number
# within 100 ms, leave Vpp off, a whole state file and no temporary file.
#   scripts/run-signal-trials.sh [TRIALS [SEED]]    (default: 50 of each main kind, seed 15)
# About two minutes at the default; docs/reliability.md has the results and longer runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
dir=build/release
scripts/build.sh --target corvane-cli "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/build.sh --target signal_trials "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir/trials/signal_trials" "$dir/src/cli/corvane-cli" tests/data "$work" "$@"
