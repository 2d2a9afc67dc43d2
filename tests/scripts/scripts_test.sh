#!/usr/bin/env bash
# The setup scripts on machines unlike this one: tests/scripts/scripts_test.sh SOURCE_DIR
# install-deps.sh and run-demo.sh run with a PATH of stand-ins for dpkg-query, apt-get, sudo and
# id, so that nothing is installed; each case checks the exit status and what was said and done.
set -uo pipefail
src=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# A PATH with bash's companions and the stand-ins named: installed packages come from
# $work/installed, each apt-get or sudo call is appended to $work/calls.
make_path() {
  local bin="$work/bin.$1"
  shift
  mkdir -p "$bin"
  for tool in bash cat dirname grep mktemp rm sed; do ln -sf "$(command -v "$tool")" "$bin/$tool"; done
  for fake in "$@"; do
    case $fake in
      dpkg-query) printf '#!/bin/sh\ngrep -qx "$3" "%s/installed" && echo "install ok installed"\n' \
                    "$work" > "$bin/dpkg-query" ;;
      apt-get) printf '#!/bin/sh\necho "apt-get $*" >> "%s/calls"\n' "$work" > "$bin/apt-get" ;;
      sudo) printf '#!/bin/sh\necho "sudo $1" >> "%s/calls"\nexec "$@"\n' "$work" > "$bin/sudo" ;;
      id-root) printf '#!/bin/sh\necho 0\n' > "$bin/id" ;;
      id-user) printf '#!/bin/sh\necho 1000\n' > "$bin/id" ;;
    esac
  done
  chmod +x "$bin"/*
  echo "$bin"
}

# check NAME EXPECTED_STATUS COMMAND...: runs the command, keeping its output in $work/out.
check() {
  local name=$1 expected=$2
  shift 2
  rm -f "$work/calls"
  "$@" > "$work/out" 2>&1
  local status=$?
  if [ "$status" -eq "$expected" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name: exit status $status, expected $expected"
    cat "$work/out"
  fi
}

expect_output() {
  if ! grep -qF -- "$2" "$work/out"; then
    failed=$((failed + 1))
    echo "FAILED: $1: no '$2' in:"
    cat "$work/out"
  fi
}

expect_calls() {
  local calls
  calls=$(cat "$work/calls" 2> /dev/null)
  if [ "$calls" != "$2" ]; then
    failed=$((failed + 1))
    echo "FAILED: $1: calls were '$calls', expected '$2'"
  fi
}

deps="$src/scripts/install-deps.sh"
all="cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev xvfb xauth"

# Everything present, a user without sudo: nothing to do, no sudo needed.
tr ' ' '\n' <<< "$all" > "$work/installed"
user=$(make_path user dpkg-query apt-get id-user)
check "all present" 0 env PATH="$user" bash "$deps"
[ -s "$work/out" ] && { failed=$((failed + 1)); echo "FAILED: all present: said something"; }
expect_calls "all present" ""

# One package missing: a user goes through sudo, root does not, and only the missing one is asked.
grep -v '^xauth$' <<< "$(tr ' ' '\n' <<< "$all")" > "$work/installed"
user_sudo=$(make_path user_sudo dpkg-query apt-get sudo id-user)
check "missing as user" 0 env PATH="$user_sudo" bash "$deps"
expect_calls "missing as user" "sudo apt-get
apt-get update -qq
sudo apt-get
apt-get install -y -qq --no-install-recommends xauth"
root=$(make_path root dpkg-query apt-get id-root)
check "missing as root" 0 env PATH="$root" bash "$deps" build test
expect_calls "missing as root" "apt-get update -qq
apt-get install -y -qq --no-install-recommends xauth"
check "missing, no sudo" 1 env PATH="$user" bash "$deps"
expect_output "missing, no sudo" "missing xauth; run this as root (there is no sudo)"
expect_calls "missing, no sudo" ""

# A group alone, and a group that does not exist.
check "build group present" 0 env PATH="$user" bash "$deps" build
check "unknown group" 2 env PATH="$user" bash "$deps" build fuzzing
expect_output "unknown group" "no package group 'fuzzing'"

# No apt-get (nor dpkg): the list for the user's own package manager and the build by hand.
bare=$(make_path bare id-user)
check "no apt-get" 1 env PATH="$bare" bash "$deps" build
expect_output "no apt-get" "cmake ninja-build g++ qt6-base-dev"
expect_output "no apt-get" "cmake -S . -B build && cmake --build build"

# The demo looks for a display before it installs or builds anything.
check "demo without display" 1 env -u DISPLAY -u WAYLAND_DISPLAY PATH="$root" \
  bash "$src/scripts/run-demo.sh"
expect_output "demo without display" "no display"
expect_calls "demo without display" ""

# The test script's two sizes: a wrong argument is refused before anything is installed or built.
check "run-tests help" 0 env PATH="$root" bash "$src/scripts/run-tests.sh" --help
expect_output "run-tests help" "scripts/run-tests.sh --all"
check "run-tests unknown argument" 2 env PATH="$root" bash "$src/scripts/run-tests.sh" --fast
expect_output "run-tests unknown argument" "unknown argument '--fast'"
expect_calls "run-tests unknown argument" ""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
