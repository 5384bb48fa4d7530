#!/bin/bash
# click_focus.sh <vantris> <work folder> <case>: run inside an X server
# (x_server.sh).  The game, full screen, loses the keyboard where no window
# manager gives it back:
#   openbox_term, openbox_kill: it runs under openbox, which ends (SIGTERM,
#     SIGKILL) while the title is up;
#   none: no window manager ever runs, and another client's window takes the
#     keyboard.
# A click on the game must give it the keyboard back (and, full screen, the
# whole screen): Return then brings the mode screen and Escape ends the game
# with 0.
set -u
exe=$1
work=$2
case_name=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "click_focus $case_name" "$@"; }

screen_size
case "$case_name" in
  openbox_term | openbox_kill)
    start_openbox "$work/openbox.txt" || fail "openbox did not start"
    start_game --sdl
    wait_for_title root "$work/title.png"
    find_game_window
    kill -"${case_name#openbox_}" "$OPENBOX_PID"
    for _ in $(seq 1 50); do
      kill -0 "$OPENBOX_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$OPENBOX_PID" 2>/dev/null && fail "openbox did not end"
    ;;
  none)
    start_game --sdl
    wait_for_title root "$work/title.png"
    find_game_window
    start_helper_window +0+0 || fail "no other window showed"
    xdotool windowfocus --sync "$helper" 2>/dev/null || fail "the other window took no focus"
    ;;
  *) fail "unknown case" ;;
esac
sleep 0.5
[ "$(xdotool getwindowfocus 2>/dev/null)" != "$win" ] || fail "the game kept the keyboard"

xdotool mousemove $((sw / 2)) $((sh / 2)) click 1
for _ in $(seq 1 50); do
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ] && break
  sleep 0.1
done
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ] || fail "the click gave the game no keyboard"
window_place "$win"
[ "$x,$y ${w}x$h" = "0,0 ${sw}x$sh" ] || fail "at $x,$y ${w}x$h, not the whole ${sw}x$sh screen"
sleep 0.5
import -window root "$work/clicked.png" || fail "cannot capture the screen"
enter_mode_screen root "$work/clicked.png" "$work/mode.png"
escape_ends_game
echo "click_focus $case_name: the click gave the game the keyboard and the whole screen," \
  "Return the mode screen, Escape exit 0"
