#!/bin/bash
# sdl_smoke.sh <vantris> <work folder>: run inside an X server (x_server.sh).
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

start_game --sdl --windowed
wait_for_title "$win" "$work/title.png"
xdotool windowfocus --sync "$win" 2>/dev/null || true
enter_mode_screen "$win" "$work/title.png" "$work/mode.png"
escape_ends_game
echo "sdl_smoke: title shown ($title_lit pixels), mode screen after Enter ($changed pixels changed), exit 0"
