#!/usr/bin/env bash
# cmake --install with DESTDIR puts exactly the programs, pages, desktop entry, icons, module list
# and docs in place, and the installed programs run from there:
#   tests/scripts/install_test.sh SOURCE_DIR BUILD_DIR WINDOW(0|1) PAGES(0|1)
set -uo pipefail
src=$1 build=$2 window=$3 pages=$4
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
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

DESTDIR="$dest" cmake --install "$build" --prefix /usr/local > "$dest.log" 2>&1
expect "cmake --install" "$?" 0
root="$dest/usr/local"

expected=(bin/corvane-cli lib/modules-load.d/corvane.conf
  share/doc/corvane/README.md share/doc/corvane/changelog.gz share/doc/corvane/copyright)
for f in "$src"/docs/*; do expected+=("share/doc/corvane/docs/${f##*/}"); done
[ "$pages" = 1 ] && expected+=(share/man/man1/corvane-cli.1.gz)
if [ "$window" = 1 ]; then
  expected+=(bin/corvane share/applications/corvane.desktop
    share/icons/hicolor/256x256/apps/corvane.png share/icons/hicolor/scalable/apps/corvane.svg)
  [ "$pages" = 1 ] && expected+=(share/man/man1/corvane.1.gz)
fi
expect "installed files" "$(cd "$dest" && find . ! -type d | sed 's|^\./usr/local/||' | sort)" \
  "$(printf '%s\n' "${expected[@]}" | sort)"

expect "corvane-cli --version" "$("$root/bin/corvane-cli" --version)" \
  "corvane-cli $(sed -n '1s/^corvane (\([^)]*\)).*/\1/p' "$src/packaging/changelog")"
expect "modules at boot" "$(grep -v '^#' "$root/lib/modules-load.d/corvane.conf")" \
  "$(printf 'parport_pc\nppdev')"
expect "licence" "$(head -1 "$root/share/doc/corvane/copyright")" "MIT License"
if [ "$pages" = 1 ]; then
  expect "corvane-cli page" "$(gzip -dc "$root/share/man/man1/corvane-cli.1.gz" | head -1)" \
    '.TH CORVANE\-CLI 1 "" "corvane\-cli '"$("$root/bin/corvane-cli" --version | cut -d' ' -f2)"'" "User Commands"'
fi
if [ "$window" = 1 ]; then
  expect "corvane --version" "$("$root/bin/corvane" --version | cut -d' ' -f1)" corvane
  expect "desktop entry runs" "$(grep -E '^(Exec|Icon)=' "$root/share/applications/corvane.desktop")" \
    "$(printf 'Exec=corvane %%f\nIcon=corvane')"
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$root/share/applications/corvane.desktop"
    expect "desktop-file-validate" "$?" 0
  fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
