#!/bin/bash
# sdl_smoke.sh <vantris> <work folder>: run inside an X server (xvfb-run).
# Starts the game in a window, checks that the title shows, presses Enter,
# checks that the picture changed to the mode screen, presses Escape and
# expects the program to end with 0.
set -u
exe=$1
work=$2
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

# The game still running at the end, on failure or on a signal, is ended by
# game_env's cleanup.
fail() {
  echo "sdl_smoke: $*" >&2
  exit 1
}

"$exe" --sdl --windowed >"$work/stdout.txt" 2>"$work/stderr.txt" &
pid=$!
GAME_PIDS=$pid

win=$(timeout 30 xdotool search --sync --onlyvisible --name '^VANTRIS$' 2>/dev/null | head -n 1)
[ -n "$win" ] || fail "no VANTRIS window appeared"
# The start-up loads every picture first, which takes a while in a sanitizer
# build on a busy machine: wait for the title rather than for a fixed time.
title_lit=0
for _ in $(seq 1 60); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the game ended before its title"
  import -window "$win" "$work/title.png" || fail "cannot capture the title"
  title_lit=$(lit_pixels "$work/title.png")
  [ "$title_lit" -gt 1000 ] && break
done
[ "$title_lit" -gt 1000 ] || fail "the title shows nothing ($title_lit pixels lit)"
sleep 1  # the title's own first frames
import -window "$win" "$work/title.png" || fail "cannot capture the title"

xdotool windowfocus --sync "$win" 2>/dev/null || true
# The scenes read the key held at their frame: hold Enter over a few frames.
xdotool keydown Return
sleep 0.3
xdotool keyup Return
changed=0
for _ in $(seq 1 40); do
  sleep 0.5
  import -window "$win" "$work/mode.png" || fail "cannot capture the mode screen"
  changed=$(compare -metric AE "$work/title.png" "$work/mode.png" null: 2>&1 | cut -d' ' -f1)
  [ "${changed%.*}" -gt 1000 ] && break
done
[ "${changed%.*}" -gt 1000 ] || fail "Enter did not change the picture ($changed pixels differ)"

xdotool keydown Escape
sleep 0.1
xdotool keyup Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the game"
wait "$pid"
rc=$?
GAME_PIDS=""
[ "$rc" -eq 0 ] || fail "the game ended with $rc"
echo "sdl_smoke: title shown ($title_lit pixels), mode screen after Enter ($changed pixels changed), exit 0"
