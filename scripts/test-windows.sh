#!/usr/bin/env bash
# Runs the Windows build (scripts/build-windows.sh) under Wine, installing Wine first when it is
# missing:
#   1. the cross-built test suite, which must pass whole and hold every Linux non-Qt test except
#      those of the Linux- and POSIX-only test files (*_linux_test.cpp, *_posix_test.cpp);
#   2. corvane-cli.exe against the Linux corvane-cli (build/release by default, or $1) on the
#      same run: stdout, stderr and the saved file must be byte-identical;
#   3. corvane-cli.exe with the stand-in InpOut library beside it, and without it.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build=${1:-build/release}
win=build/windows

scripts/install-deps.sh wine
# A tree configured before Wine was installed would run the .exe files without it: configure it
# again, which finds Wine now.
if ! grep -q '^CORVANE_WINE:FILEPATH=/' "$win/CMakeCache.txt"; then
  echo "Configuring $win again: Wine was not installed when it was configured"
  cmake "$win" > /dev/null
fi
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$PWD/$win/wine" WINEDEBUG=-all
# One Wine prefix for this build tree, made before the tests run side by side, and one Wine
# server kept up for the whole run (each test then starts in a fraction of a second).
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init > /dev/null 2>&1 || true
trap '"$wineserver" -k 2> /dev/null || true' EXIT

echo "== Windows tests under Wine"
ctest --test-dir "$win" --output-on-failure -j "$(nproc)"

# Every Linux test that applies must be there: the names listed by the Linux build, less the Qt
# tests, the build machine's own and the suites of the Linux- and POSIX-only files, less nothing
# else.
# (A parameter shown as raw bytes includes padding, which differs from run to run: cut it.)
listed() {
  ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p' \
    | sed -E -e 's#/[0-9]+-byte object <.*>$#/(bytes)#' -e 's/  # GetParam\(\) = [0-9]+-byte object <.*>$//' \
    | sort
}
only_here=$(grep -hoE '^TEST(_F)?\(([A-Za-z0-9_]+)' $(ls tests/*/*_linux_test.cpp tests/*/*_posix_test.cpp 2> /dev/null) \
  | sed -E 's/^TEST(_F)?\(//' | sort -u)
# The window's tests, and those of the build machine's own tools: the manual pages (written by
# running the programs built), the setup scripts and the install tree.
qt_suites=$(grep -hoE '^TEST(_F)?\(([A-Za-z0-9_]+)' tests/qt/*.cpp tests/man/*.cpp \
  | sed -E 's/^TEST(_F)?\(//' | sort -u)
skip_pattern=$(printf '%s\n' $only_here $qt_suites | sed 's/$/\\./' | paste -sd'|')
skip_pattern="$skip_pattern|setup_scripts$|install_tree$"
missing=$(comm -23 <(listed "$linux_build" | grep -vE "^($skip_pattern)") <(listed "$win"))
linux_count=$(listed "$linux_build" | grep -vcE "^($skip_pattern)")
win_count=$(listed "$win" | wc -l)
echo "Linux non-Qt tests that apply: $linux_count; Windows tests: $win_count (all passed)"
if [ -n "$missing" ]; then
  echo "Missing from the Windows build:" >&2
  echo "$missing" >&2
  exit 1
fi

echo "== corvane-cli.exe against the Linux corvane-cli"
work=$(mktemp -d)
trap '"$wineserver" -k 2> /dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/linux" "$work/windows"
cp tests/data/pic16f877_demo_inhx32.hex "$work/linux/in.hex"
cp tests/data/pic16f877_demo_inhx32.hex "$work/windows/in.hex"
args=(--board sim:chip=16f877 load in.hex program verify save out.hex)
(cd "$work/linux" && "$OLDPWD/$linux_build/src/cli/corvane-cli" "${args[@]}" > stdout 2> stderr)
(cd "$work/windows" && "$wine" "$OLDPWD/$win/src/cli/corvane-cli.exe" "${args[@]}" > stdout 2> stderr)
for f in stdout stderr out.hex; do
  cmp "$work/linux/$f" "$work/windows/$f"
done
echo "stdout, stderr and out.hex identical ($(wc -c < "$work/windows/out.hex") bytes saved)"

echo "== corvane-cli.exe and the InpOut library"
mkdir -p "$work/lpt"
cp "$win/src/cli/corvane-cli.exe" "$work/lpt/"
status=0
(cd "$work/lpt" && "$wine" ./corvane-cli.exe --board lpt device-id > stdout 2> stderr) || status=$?
grep -q "inpoutx64.dll cannot be loaded" "$work/lpt/stderr"
grep -q "No Valid Port Found" "$work/lpt/stderr"
[ "$status" -eq 3 ] || { echo "without the library: exit $status, expected 3" >&2; exit 1; }
cp "$win/tests/inpoutx64.dll" "$work/lpt/"
# The stand-in answers as a board with an empty socket at 0xD010.
(cd "$work/lpt" && "$wine" ./corvane-cli.exe --board lpt:lpt1=0xD010 --status device-id \
  > stdout 2> stderr)
grep -q "^\[Port\] Port : LPT1" "$work/lpt/stderr" || { cat "$work/lpt/stderr" >&2; exit 1; }
echo "without the library: refused (exit 3); with it: the board found behind 0xD010"

echo "== the Windows zip into an absolute folder"
scripts/package-windows.sh "$work/zip" > /dev/null
ls "$work"/zip/corvane-cli-*-windows-x64.zip > /dev/null
zip -sf "$work"/zip/corvane-cli-*-windows-x64.zip | grep -q "corvane-cli.exe"
echo "$(basename "$work"/zip/*.zip) written into $work/zip"
