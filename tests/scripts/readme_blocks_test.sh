#!/usr/bin/env bash
# The README's examples as a newcomer types them: every ```sh block marked "runnable" (one that
# needs no root, display, hardware or network), in the README's order, in a fresh clone of this
# repository's committed HEAD, with a home folder of its own whose ~/.local/bin is on PATH. Each
# command must exit 0, or N when it ends with the comment "# exit N".
#   tests/scripts/readme_blocks_test.sh [CLONE_DIR]
# CLONE_DIR (default: a temporary folder, removed afterwards) must not exist; it is kept, with
# the home folder beside it as CLONE_DIR.home, for what runs next (version_change_test.sh). Each
# command's output goes to CLONE_DIR.log. When ccache is installed the builds use it, as the
# project's own scripts do.
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
if [ $# -gt 0 ]; then
  clone=$1
  trap 'rm -rf "$work"' EXIT
else
  clone=$work/corvane
  trap 'rm -rf "$work" "$clone.home" "$clone.log"' EXIT
fi
if [ -e "$clone" ]; then
  echo "readme_blocks_test.sh: $clone exists" >&2
  exit 2
fi

# The runnable blocks' commands, one per line: lines continued with a backslash are joined.
commands=$(awk '
  /^```sh runnable$/ { inside = 1; next }
  /^```/ { inside = 0; next }
  inside {
    line = line $0
    if (line ~ /\\$/) { sub(/\\$/, "", line); next }
    if (line !~ /^[[:space:]]*(#.*)?$/) print line
    line = ""
  }' "$src/README.md")
if [ -z "$commands" ]; then
  echo "FAILED: no runnable block in README.md"
  echo "0 passed, 1 failed"
  exit 1
fi

git clone -q "$src" "$clone"
git -C "$clone" checkout -q --detach "$(git -C "$src" rev-parse HEAD)"
home=$clone.home
log=$clone.log
mkdir -p "$home"
: > "$log"
if command -v ccache > /dev/null; then
  # The cache stays the user's (it is found through HOME otherwise); paths are hashed relative
  # to the clone, so what the project's own builds compiled is reused.
  CCACHE_DIR=$(ccache -k cache_dir)
  export CCACHE_DIR CCACHE_BASEDIR=$clone CCACHE_NOHASHDIR=1 CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
export HOME=$home PATH=$home/.local/bin:$PATH

passed=0
failed=0
cd "$clone" || exit 1
while IFS= read -r command; do
  want=0
  if [[ $command =~ \#[[:space:]]*exit[[:space:]]+([0-9]+)[[:space:]]*$ ]]; then
    want=${BASH_REMATCH[1]}
  fi
  echo "\$ $command" >> "$log"
  begun=$SECONDS
  (eval "$command") >> "$log" 2>&1 < /dev/null
  status=$?
  if [ "$status" -eq "$want" ]; then
    passed=$((passed + 1))
    printf 'ok (%3d s)  %s\n' $((SECONDS - begun)) "$command"
  else
    failed=$((failed + 1))
    printf 'FAILED: exit %d, expected %d: %s\n' "$status" "$want" "$command"
    tail -n 30 "$log"
  fi
done <<< "$commands"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
