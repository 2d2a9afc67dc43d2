#!/usr/bin/env bash
# The test suite, in two sizes:
#   scripts/run-tests.sh         the release build (warnings as errors) and every test in it: the
#                                window's, the console program's and every layer's
#   scripts/run-tests.sh --all   also the same suite under the address and undefined-behaviour
#                                sanitizers, the Windows programs cross-built and tested under
#                                Wine (the window's tests too), a build for a system with
#                                neither parallel-port backend, and each fuzz target for 20 s:
#                                what CI runs
# It installs the packages it needs first (scripts/install-deps.sh), says how long it will take,
# and at the end how long each part took. Every build shares one compiler cache when ccache is
# installed (--all installs it), so that what one build compiled another one reuses.
set -euo pipefail
cd "$(dirname "$0")/.."

all=0
case "${1:-}" in
  "") ;;
  --all) all=1 ;;
  -h | --help)
    sed -n '2,12s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
  *)
    echo "run-tests.sh: unknown argument '$1' (try --help)" >&2
    exit 2
    ;;
esac

started=$SECONDS
report=()
# part NAME COMMAND...: runs one part and notes how long it took.
part() {
  local name=$1 begun=$SECONDS
  shift
  echo "== $name"
  "$@"
  report+=("$(printf '%-44s %4d s' "$name" $((SECONDS - begun)))")
}

# What it will take, as measured on a 2-core machine (README, "Testing"): a first run compiles
# everything, a later one only what changed.
if [ -f build/release/build.ninja ]; then
  estimate="about 2 minutes (build/release exists: only what changed is compiled)"
else
  estimate="about 5 minutes (a first build; less with a warm compiler cache)"
fi
if [ "$all" = 1 ]; then
  if [ -f build/sanitize/build.ninja ] && [ -f build/windows/build.ninja ]; then
    estimate="about 10 minutes (the build trees exist: only what changed is compiled)"
  else
    estimate="about 20 minutes (first builds; less with a warm compiler cache)"
  fi
fi
estimate="$estimate on an idle machine, longer when other work shares it"
echo "run-tests.sh: $([ "$all" = 1 ] && echo "every build and test" || echo "the release build and its tests"):" \
  "$estimate"

# Wine before the Windows build is configured: the tests run under it only when it is found then.
if [ "$all" = 1 ]; then
  part "packages" scripts/install-deps.sh build test cache fuzz windows wine
else
  part "packages" scripts/install-deps.sh build test
fi

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# The release tree is compiled as the packages are (the same flags, so that package.sh and a build
# by hand reuse its objects from the compiler cache) and fails on any compiler warning, as
# -Werror would: the cache replays a cached compile's warnings, and a failed gate cleans the tree
# so that the next run shows them again.
release() {
  local log=build/release-build.log
  mkdir -p build
  scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=OFF 2>&1 |
    tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
  if grep -q "warning:" "$log"; then
    echo "run-tests.sh: the release build has compiler warnings (above)" >&2
    ninja -C build/release -t clean > /dev/null
    return 1
  fi
  ctest --test-dir build/release --output-on-failure -j "$jobs"
}
part "release build and tests" release

if [ "$all" = 1 ]; then
  sanitize() {
    # Line tables only: the sanitizers' reports keep their file and line, and the tree compiles
    # and links faster than with full debug information.
    scripts/build.sh build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
      -DCORVANE_WERROR=ON -DCORVANE_SANITIZE=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
  }
  part "sanitizer build and tests" sanitize

  # The programs cross-built for Windows (MinGW-w64) and run under Wine: the test suite (the
  # Win32 window's own tests among them), the byte-for-byte comparison with the Linux program,
  # the InpOut backend and the zip; the 32-bit build where 32-bit Wine can run.
  windows() {
    scripts/build-windows.sh
    scripts/test-windows.sh build/release
  }
  part "Windows build and tests under Wine" windows

  # A system with neither the Linux nor the Windows parallel-port backend: it builds (the files
  # it shares with the release build come from the compiler cache), runs the simulated board,
  # and says that --board lpt is not available (exit 3).
  other() {
    scripts/build.sh --target corvane-cli build/other -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVANE_WERROR=ON -DCORVANE_SYSTEM_PORT=none -DCORVANE_GUI=OFF -DCORVANE_TESTS=OFF \
      -DCORVANE_BENCH=OFF -DCORVANE_MAN=OFF
    local cli=build/other/src/cli/corvane-cli status=0
    "$cli" --board lpt device-id > /dev/null 2> build/other/lpt.err || status=$?
    if [ "$status" -ne 3 ] || ! grep -q "not available on this system" build/other/lpt.err; then
      echo "--board lpt without a backend: exit $status, expected 3" >&2
      cat build/other/lpt.err >&2
      return 1
    fi
    "$cli" --board sim load tests/data/pic16f84a_demo_inhx8m.hex program verify > /dev/null
    echo "Without a parallel-port backend: --board lpt refused (exit 3), --board sim programs"
  }
  part "other-systems build" other

  part "fuzzing, 20 s per target" scripts/run-fuzz.sh 20
fi

echo "== run-tests.sh: every part passed"
printf '%s\n' "${report[@]}"
elapsed=$((SECONDS - started))
printf '%-44s %4d s (%d min %02d s); build/ holds %s\n' "total" "$elapsed" $((elapsed / 60)) \
  $((elapsed % 60)) "$(du -sh build 2> /dev/null | cut -f1)"
