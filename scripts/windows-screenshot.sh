#!/usr/bin/env bash
# Takes the screenshot of the Windows window in docs/windows.md: corvane.exe of the Windows build
# (scripts/build-windows.sh), under Wine on an Xvfb display of its own, in a Wine desktop of its
# own that draws the window's frame as Windows does, after the demonstration (a file loaded,
# programmed and verified on the simulated board).
#   scripts/windows-screenshot.sh [OUTPUT.png]   (default: docs/windows-screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/windows-screenshot.png}
win=build/windows

scripts/build-windows.sh --target corvane > /dev/null
scripts/install-deps.sh wine test
command -v import > /dev/null || { echo "windows-screenshot.sh: needs ImageMagick (import, convert)" >&2; exit 1; }
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d)
export WINEPREFIX="$PWD/$win/wine-screenshot" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
xvfb_pid= wine_pid=
finish() {
  if [ -n "$wine_pid" ]; then kill "$wine_pid" 2> /dev/null || true; fi
  "$wineserver" -k 2> /dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2> /dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
for n in $(seq 130 160); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  break
done
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
"$wine" wineboot --init > /dev/null 2>&1 || true

# The file where a Windows user might keep it: C:\Corvane in the Wine prefix.
mkdir -p "$WINEPREFIX/drive_c/Corvane"
cp tests/data/pic16f84a_demo_inhx8m.hex "$WINEPREFIX/drive_c/Corvane/demo.hex"
(cd "$WINEPREFIX/drive_c/Corvane" && exec "$wine" explorer /desktop=Corvane,700x560 \
  "$OLDPWD/$win/src/win32app/corvane.exe" --board sim:chip=16f84a --demo 'C:\Corvane\demo.hex') &
wine_pid=$!
# The demonstration takes a moment; the picture is taken once it stays the same.
last=
for _ in $(seq 60); do
  sleep 0.5
  import -window root "$work/shot.png" 2> /dev/null || continue
  sum=$(md5sum < "$work/shot.png")
  [ "$sum" = "$last" ] && [ "$(stat -c %s "$work/shot.png")" -gt 10000 ] && break
  last=$sum
done
# The Wine desktop, less its empty background: the window with its frame.
convert "$work/shot.png" -crop 700x560+0+0 +repage -fuzz 1% -trim +repage "$out"
echo "$out: $(identify -format '%wx%h' "$out")"
