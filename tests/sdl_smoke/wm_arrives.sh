#!/bin/bash
# wm_arrives.sh <vantris> <work folder>: run inside an X server (x_server.sh)
# with no window manager.  Starts the game full screen, waits for its title,
# then starts openbox, which takes the window over: it must keep it full
# screen (the window's state says so, no frame around it, the whole screen)
# with the title still shown though the game lost the keyboard to openbox;
# a click gives it back and Escape ends the game with 0.
set -u
exe=$1
work=$2
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying wm_arrives "$@"; }

screen_size
start_game --sdl
wait_for_title root "$work/title.png"
find_game_window
state=$(xprop -id "$win" _NET_WM_STATE)
[[ "$state" == *_NET_WM_STATE_FULLSCREEN* ]] || fail "no full-screen state before openbox: $state"

start_openbox "$work/openbox.txt" || fail "openbox did not start"
# Managed once openbox lists it and has said how much frame it gave it.
extents=""
for _ in $(seq 1 50); do
  xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -qi "$(printf '0x%x' "$win")" &&
    extents=$(frame_extents "$win") &&
    [ -n "$extents" ] && break
  sleep 0.1
done
[ -n "$extents" ] || fail "openbox did not take the window over"
sleep 1
extents=$(frame_extents "$win")
[ "$(echo $extents)" = "0, 0, 0, 0" ] || fail "framed by openbox: extents $extents"
state=$(xprop -id "$win" _NET_WM_STATE)
[[ "$state" == *_NET_WM_STATE_FULLSCREEN* ]] || fail "not full screen under openbox: $state"
window_place "$win"
[ "$x,$y ${w}x$h" = "0,0 ${sw}x$sh" ] || fail "at $x,$y ${w}x$h, not the whole ${sw}x$sh screen"
import -window root "$work/managed.png" || fail "cannot capture the screen"
differ=$(compare -metric AE "$work/title.png" "$work/managed.png" null: 2>&1 | cut -d' ' -f1)
[ "${differ%.*}" -le 100 ] || fail "the title is not shown under openbox ($differ pixels differ)"

xdotool mousemove $((sw / 2)) $((sh / 2)) click 1
sleep 0.5
escape_ends_game
echo "wm_arrives: full screen under openbox (its state, no frame, ${sw}x$sh), title shown, exit 0"
