#!/usr/bin/env bash
# Runs the Windows build (scripts/build-windows.sh) under Wine, installing Wine first when it is
# missing:
#   1. the cross-built test suite, which must pass whole and hold every Linux non-Qt test except
#      those of the Linux- and POSIX-only test files (*_linux_test.cpp, *_posix_test.cpp); the
#      Win32 window's own tests among them drive the real window, on the display in DISPLAY or on
#      an Xvfb display started for them;
#   2. corvane-cli.exe against the Linux corvane-cli (build/release by default, or $1) on the
#      same run: stdout, stderr and the saved file must be byte-identical;
#   3. corvane-cli.exe with the stand-in InpOut library beside it, and without it;
#   4. corvane.exe's --version, and the zip;
#   5. the 32-bit build (build/windows-i686) and its tests under 32-bit Wine, where this machine's
#      kernel runs 32-bit programs at all; elsewhere they are skipped with a message.
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
xvfb_pid=
stop_all() {
  "$wineserver" -k 2> /dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2> /dev/null || true; fi
}
trap stop_all EXIT
# The window's tests make real windows: Wine needs a display for them, from its first program on
# (a desktop started without one would serve every later window without one).
if [ -z "${DISPLAY:-}" ]; then
  scripts/install-deps.sh test
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
fi

# One Wine prefix for this build tree, made before the tests run side by side, and one Wine
# server kept up for the whole run (each test then starts in a fraction of a second).
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init > /dev/null 2>&1 || true
# The window's tests show their dialogs: windows that no window manager looks after, so that Wine
# does not wait for one to map and unmap them.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1 || true
echo "== Windows tests under Wine"
# Wine's own loader now and then asserts as a test program exits ("Inconsistency detected by
# ld.so: dl-fini.c"), after the test has passed: the failed tests run once more, and a test that
# fails again fails the run.
windows_ctest() {
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)" && return 0
  echo "== Windows tests under Wine: the failed ones once more"
  ctest --test-dir "$1" --output-on-failure --rerun-failed
}
windows_ctest "$win"

# Every Linux test that applies must be there: the names listed by the Linux build, less the Qt
# tests, the build machine's own and the suites of the Linux- and POSIX-only files, less nothing
# else.
# (A parameter shown as raw bytes includes padding, which differs from run to run, and a long one
# is cut short with "...": drop what follows the test's name.)
listed() {
  ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p' \
    | sed -E -e 's#/[0-9]+-byte object <.*$#/(bytes)#' -e 's/  # GetParam\(\) = .*$//' \
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
trap 'stop_all; rm -rf "$work"' EXIT
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

echo "== corvane.exe"
version=$("$wine" "$win/src/win32app/corvane.exe" --version | tr -d '\r')
[ "$version" = "corvane $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' \
  "$win/CMakeCache.txt")" ] || { echo "corvane.exe --version: '$version'" >&2; exit 1; }
echo "corvane.exe --version: $version"

echo "== the Windows zip into an absolute folder"
scripts/package-windows.sh --arch x86_64 "$work/zip" > /dev/null
zip=$(ls "$work"/zip/corvane-*-windows-x64.zip)
listing=$(zip -sf "$zip")
for f in corvane.exe corvane-cli.exe README.txt LICENSE.txt PORT-DRIVER.txt; do
  grep -q "/$f\$" <<< "$listing" || { echo "$f missing from $zip" >&2; exit 1; }
done
unzip -p "$zip" '*/README.txt' | head -1 | grep -q $'\r$' || { echo "README.txt without CR LF" >&2; exit 1; }
echo "$(basename "$zip") written into $work/zip"

echo "== the 32-bit Windows build"
# A 32-bit program of 93 bytes that exits 0: whether this machine's kernel runs 32-bit programs
# at all (some refuse them: "Exec format error"), which 32-bit Wine needs.
probe="$work/elf32"
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$probe"
chmod +x "$probe"
if ! "$probe" 2> /dev/null; then
  echo "i686 tests skipped: this machine's kernel does not run 32-bit programs, which 32-bit Wine needs"
  exit 0
fi
scripts/install-deps.sh wine32
wine32=/usr/lib/wine/wine
win32_tree=build/windows-i686
scripts/build-windows.sh --arch i686
if ! grep -q '^CORVANE_WINE:FILEPATH=/' "$win32_tree/CMakeCache.txt"; then
  cmake "$win32_tree" > /dev/null
fi
# The 32-bit programs in a 32-bit Wine prefix of their own.
export WINEPREFIX="$PWD/$win32_tree/wine"
mkdir -p "$WINEPREFIX"
"$wine32" wineboot --init > /dev/null 2>&1 || true
windows_ctest "$win32_tree"
echo "i686: $(listed "$win32_tree" | wc -l) tests passed under 32-bit Wine"
