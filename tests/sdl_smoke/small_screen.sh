#!/bin/bash
# small_screen.sh <vantris> <work folder> [openbox]: run inside an X server
# (x_server.sh), with no window manager or under openbox.  Starts the game in
# its 800 x 600 window (--windowed).  On a screen smaller than that, the
# window (under openbox its frame, title bar and all) must start at the
# screen's top-left corner; on a larger one it is centred as before.
set -u
exe=$1
work=$2
manager=${3:-}
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "small_screen${manager:+ $manager}" "$@"; }

screen_size
if [ "$manager" = openbox ]; then
  start_openbox "$work/openbox.txt" || fail "openbox did not start"
fi
start_game --sdl --windowed
wait_for_title root "$work/title.png"
find_game_window

# The frame around the window: left, right, top, bottom (none without a
# window manager).
extents="0, 0, 0, 0"
if [ "$manager" = openbox ]; then
  extents=$(frame_extents "$win")
  [ -n "$extents" ] || fail "openbox gave the window no frame"
fi
read -r left _ top _ <<<"${extents//,/ }"
window_place "$win"
frame="$((x - left)),$((y - top))"
want="0,0"
[ "$sw" -ge 800 ] && [ "$sh" -ge 600 ] && want="$(((sw - 800) / 2)),$(((sh - 600) / 2))"
[ "$frame" = "$want" ] || fail "the window's frame starts at $frame, not $want (${sw}x$sh screen)"
kill -TERM "$pid"
echo "small_screen${manager:+ $manager}: on ${sw}x$sh the frame starts at $frame (window at $x,$y)"
