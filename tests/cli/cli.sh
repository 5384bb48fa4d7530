#!/bin/bash
# cli.sh <case> <vantris> <work folder>: runs the game as a player would and
# checks its exit status and what it prints.
set -u
case_name=$1
exe=$2
work=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() {
  echo "cli $case_name: $*" >&2
  echo "--- stdout:" >&2
  cat "$work/out" >&2
  echo "--- stderr:" >&2
  cat "$work/err" >&2
  exit 1
}

# run <expected status> <command...>
run() {
  local expected=$1
  shift
  timeout 30 "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$expected" ] || fail "$* ended with $status, not $expected"
}

case "$case_name" in
  unknown_option)
    run 2 "$exe" --windowd
    head -n 1 "$work/err" | grep -qx "vantris: unknown option '--windowd'" || fail "no line naming the option"
    grep -q '^usage: vantris' "$work/err" || fail "no usage on stderr"
    [ ! -s "$work/out" ] || fail "something on stdout"
    ;;
  help)
    run 0 "$exe" --help
    grep -q '^usage: vantris' "$work/out" || fail "no usage on stdout"
    grep -q -- '--windowed' "$work/out" || fail "the usage does not list --windowed"
    [ ! -s "$work/err" ] || fail "something on stderr"
    ;;
  no_display)
    # SDL's drivers that show nothing are refused, whether SDL falls back on
    # one or is told to use it, with one line and status 1.
    for driver in offscreen dummy ""; do
      for display in "" ":4242"; do
        run 1 env -u WAYLAND_DISPLAY DISPLAY="$display" SDL_VIDEODRIVER="$driver" "$exe" --sdl
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line (driver '$driver', DISPLAY '$display')"
        grep -q '^vantris: cannot open a display: ' "$work/err" || fail "no display line"
      done
    done
    # The headless backend needs none: it starts and runs until stopped.
    run 124 env -u DISPLAY -u WAYLAND_DISPLAY timeout 3 "$exe" --headless
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "cli $case_name: ok"
