#!/usr/bin/env bash
# A new version written in its one place (a new first entry of packaging/changelog), then
# scripts/package.sh: every package must be named for the new version and every program in it
# must report it (the Windows .exe under Wine when Wine is installed), the manual pages included.
#   tests/scripts/version_change_test.sh [CLONE_DIR]
# CLONE_DIR: a clone in which scripts/package.sh has already run (as readme_blocks_test.sh leaves
# it), so that the builds it left behind must be brought up to date. Without it, a fresh clone of
# the committed HEAD is packaged once at its own version first.
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
expect() {
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n--- got:\n%s\n--- expected:\n%s\n' "$1" "$2" "$3"
  fi
}

if command -v ccache > /dev/null; then
  CCACHE_DIR=$(ccache -k cache_dir)
  export CCACHE_DIR
fi
if [ $# -gt 0 ]; then
  clone=$(cd "$1" && pwd)
else
  clone=$work/corvane
  git clone -q "$src" "$clone"
  git -C "$clone" checkout -q --detach "$(git -C "$src" rev-parse HEAD)"
  (cd "$clone" && scripts/package.sh > "$work/first.log" 2>&1)
  expect "package.sh at the committed version" "$?" 0
fi
cd "$clone" || exit 1

old=$(sed -n '1s/^corvane (\([0-9.]*\)) .*/\1/p' packaging/changelog)
new=${old%.*}.$((${old##*.} + 1))
{
  printf 'corvane (%s) unstable; urgency=medium\n\n  * A new version.\n\n' "$new"
  printf ' -- The Corvane developers <corvane@users.noreply.invalid>  %s\n\n' "$(date -R)"
  cat packaging/changelog
} > "$work/changelog"
cp "$work/changelog" packaging/changelog
echo "version $old -> $new"

scripts/package.sh > "$work/package.log" 2>&1
status=$?
expect "package.sh after the change" "$status" 0
[ "$status" -eq 0 ] || tail -n 40 "$work/package.log"

expect "packages in dist/" "$(cd dist && LC_ALL=C ls corvane* 2> /dev/null)" \
  "$(printf '%s\n' "corvane-$new-Linux.tar.gz" "corvane-$new-windows-x64.zip" "corvane-$new-windows-x86.zip" \
    "corvane_${new}_amd64.deb" | LC_ALL=C sort)"

deb=dist/corvane_${new}_amd64.deb
if [ -f "$deb" ]; then
  expect ".deb Version" "$(dpkg-deb -f "$deb" Version)" "$new"
  dpkg-deb -x "$deb" "$work/deb"
  expect ".deb corvane-cli" "$("$work/deb/usr/bin/corvane-cli" --version)" "corvane-cli $new"
  expect ".deb corvane" "$("$work/deb/usr/bin/corvane" --version)" "corvane $new"
  expect ".deb manual page names the version" \
    "$(gzip -dc "$work/deb/usr/share/man/man1/corvane-cli.1.gz" | sed -n 's/^\.TH .*"corvane\\-cli \([0-9.]*\)".*/\1/p')" \
    "$new"
fi
tgz=dist/corvane-$new-Linux.tar.gz
if [ -f "$tgz" ]; then
  mkdir "$work/tgz"
  tar -xzf "$tgz" -C "$work/tgz" --strip-components=1
  expect ".tar.gz corvane-cli" "$("$work/tgz/bin/corvane-cli" --version)" "corvane-cli $new"
  expect ".tar.gz corvane" "$("$work/tgz/bin/corvane" --version)" "corvane $new"
fi
zip=dist/corvane-$new-windows-x64.zip
wine=$(command -v wine64 || command -v /usr/lib/wine/wine64 || true)
if [ -f "$zip" ] && [ -n "$wine" ]; then
  unzip -q "$zip" -d "$work/zip"
  mkdir -p build/windows/wine
  expect ".zip corvane-cli.exe" \
    "$(WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all "$wine" \
      "$work/zip/corvane-$new-windows-x64/corvane-cli.exe" --version 2> /dev/null | tr -d '\r')" \
    "corvane-cli $new"
  WINEPREFIX=$PWD/build/windows/wine "$(dirname "$wine")/wineserver" -k 2> /dev/null || true
elif [ -f "$zip" ]; then
  echo "corvane-cli.exe not run: no Wine"
fi

# The clone goes back to its committed version.
git checkout -q packaging/changelog
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
