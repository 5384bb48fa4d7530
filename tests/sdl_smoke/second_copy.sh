#!/bin/bash
# second_copy.sh <vantris> <work folder> <case>: run inside an X server
# (xvfb-run).  A first copy of the game runs full screen; beside it the
# impostor: another program's window (ImageMagick's display) with the caption
# VANTRIS and even the game's own class mark, on this machine, but of another
# process than the game's.
# A second copy must say `vantris: VANTRIS is already running`, end with 0
# and bring the first copy's window forward, the impostor left alone:
#   nowm:    no window manager.  The game window and the impostor unmapped
#            (as an iconified window is): the game window is mapped again
#            and has the keyboard, the impostor stays unmapped.  Then the
#            game window covered by another window, which has the keyboard:
#            the game is on top again, with the keyboard.  A second copy on
#            another display, and one on the headless backend, say why they
#            cannot bring it forward and end with 0.
#   openbox: under openbox.  The game window and the impostor minimised: the
#            game window comes back mapped and active, the impostor stays
#            minimised.  Then the game covered by another window, the active
#            one: the game is on top again and active.
# The first copy then ends with 0 on SIGTERM.
set -u
exe=$1
work=$2
case_name=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() {
  echo "second_copy $case_name: $*" >&2
  for file in "$work"/*.txt; do
    echo "--- $(basename "$file"):" >&2
    cat "$file" >&2
  done
  exit 1
}

# The game's own windows and the tools' are ended with the script.
spawn() {
  "$@" >/dev/null 2>&1 &
  GAME_PIDS="$GAME_PIDS $!"
}
map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ { print $3 }'; }
# `unmapped_within TENTHS WINDOW`: false while the window is still mapped
# after that many tenths of a second.  (xdotool's --sync does not wait for a
# window to go: a window manager may unmap it well after the request.)
unmapped_within() {
  for _ in $(seq 1 "$1"); do
    [ "$(map_state "$2")" = IsUnMapped ] && return 0
    sleep 0.1
  done
  return 1
}
# The pixels of the colour named in a capture of the whole screen.
colour_pixels() {
  import -window root "$work/screen.png" 2>/dev/null || fail "cannot capture the screen"
  convert "$work/screen.png" -fill black +opaque "$1" -fill white -opaque "$1" \
    -colorspace gray -format '%[fx:int(mean*w*h)]' info:
}
# Who has the keyboard: the window manager's active window, else X's focus.
has_keyboard() {
  if [ "$case_name" = openbox ]; then
    xdotool getactivewindow 2>/dev/null
  else
    xdotool getwindowfocus 2>/dev/null
  fi
}
# `second_copy NAME [ENV...]`: a second copy, which must end with 0 within
# 20 s; its stderr goes to NAME.txt.
second_copy() {
  local name=$1 copy
  shift
  env "$@" "$exe" >/dev/null 2>"$work/$name.txt" &
  copy=$!
  for _ in $(seq 1 200); do
    kill -0 "$copy" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$copy" 2>/dev/null && { kill -KILL "$copy"; fail "the second copy ($name) did not end"; }
  wait "$copy" || fail "the second copy ($name) ended with $?"
}
said_only() {
  [ "$(cat "$work/$1.txt")" = "$2" ] || fail "the second copy ($1) said: $(cat "$work/$1.txt")"
}

if [ "$case_name" = openbox ]; then
  spawn openbox
  sleep 1
fi

run_game "$work/first.txt" --sdl
wait_for_title root "$work/title.png"

# The impostor, above the game window.
display -title VANTRIS -size 200x200 xc:green >/dev/null 2>&1 &
impostor_pid=$!
GAME_PIDS="$GAME_PIDS $impostor_pid"
impostor=""
for _ in $(seq 1 200); do
  impostor=$(xdotool search --onlyvisible --name '^VANTRIS$' 2>/dev/null | grep -vx "$win" | head -n 1)
  [ -n "$impostor" ] && break
  sleep 0.1
done
[ -n "$impostor" ] || fail "the impostor's window did not appear"
xprop -id "$impostor" -f _VANTRIS_WINDOW_CLASS 8s -set _VANTRIS_WINDOW_CLASS DEFAULT
xprop -id "$impostor" -f _NET_WM_PID 32c -set _NET_WM_PID "$impostor_pid"

# 1. The game window and the impostor out of sight.
for window in "$impostor" "$win"; do
  if [ "$case_name" = openbox ]; then
    xdotool windowminimize "$window" || fail "cannot minimise $window"
  else
    xdotool windowunmap "$window" || fail "cannot unmap $window"
  fi
  unmapped_within 100 "$window" || fail "$window is still mapped"
done
second_copy minimised
said_only minimised "vantris: VANTRIS is already running"
[ "$(map_state "$win")" = IsViewable ] || fail "the game window was not mapped again"
[ "$(has_keyboard)" = "$win" ] || fail "the game window does not have the keyboard ($(has_keyboard))"
[ "$(map_state "$impostor")" = IsUnMapped ] || fail "the impostor was mapped"
# The game shows again.
sleep 0.5
import -window root "$work/back.png" 2>/dev/null
[ "$(lit_pixels "$work/back.png")" -gt 1000 ] || fail "the screen shows nothing after"

# 2. The game window covered by another window, which has the keyboard.
display -title cover -geometry 600x400+100+100 -size 600x400 xc:magenta >/dev/null 2>&1 &
cover_pid=$!
GAME_PIDS="$GAME_PIDS $cover_pid"
cover=$(timeout 20 xdotool search --sync --onlyvisible --name '^cover$' 2>/dev/null | head -n 1)
[ -n "$cover" ] || fail "the covering window did not appear"
if [ "$case_name" = openbox ]; then
  xdotool windowactivate --sync "$cover" 2>/dev/null
else
  xdotool windowfocus --sync "$cover" 2>/dev/null
fi
sleep 0.5
covered=$(colour_pixels magenta)
[ "$covered" -gt 100000 ] || fail "the covering window does not show ($covered pixels)"
[ "$(has_keyboard)" = "$cover" ] || fail "the covering window does not have the keyboard"
second_copy covered
said_only covered "vantris: VANTRIS is already running"
sleep 0.3
left=$(colour_pixels magenta)
[ "$left" -eq 0 ] || fail "the game is still covered ($left pixels of the cover show)"
[ "$(has_keyboard)" = "$win" ] || fail "the game window does not have the keyboard ($(has_keyboard))"
[ "$(map_state "$impostor")" = IsUnMapped ] || fail "the impostor was mapped"

# 3. Second copies that cannot bring it forward say why.
if [ "$case_name" = nowm ]; then
  start_x_server Xvfb 640x480x24 /dev/null
  started=$?
  GAME_PIDS="$GAME_PIDS $x_server_pid"
  [ "$started" -eq 0 ] || fail "the other X server did not start"
  other=$x_display
  second_copy elsewhere DISPLAY="$other"
  said_only elsewhere "vantris: VANTRIS is already running (its window cannot be brought forward: no window of it is on the display $other)"
  second_copy headless VANTRIS_BACKEND=headless
  said_only headless "vantris: VANTRIS is already running (its window cannot be brought forward: the headless backend sees no display)"
fi

kill -TERM "$pid"
game_ends_within 100 || fail "SIGTERM did not end the first copy"
[ "$rc" -eq 0 ] || fail "the first copy ended with $rc after SIGTERM"
echo "second_copy $case_name: the minimised and the covered game window came forward, the impostor was left alone"
