#!/bin/bash
# display_gone.sh <vantris> <Xvfb> <work folder> <case>: starts an X server of
# its own and the game in it, then ends the server under the game:
#   fullscreen:  full screen, no window manager, in stage 1; the server is
#                sent SIGTERM;
#   windowed_wm: in a window under openbox, in stage 1; the server is killed
#                (SIGKILL);
#   box:         full screen, no window manager, with the error box of a
#                damaged picture up; SIGTERM;
#   wayland:     full screen on SDL's Wayland driver, in stage 1, under a
#                Wayland compositor (weston) that shows in the X server; the
#                compositor is sent SIGTERM.
# The game must have ended within 2 s, with status 1 and one line more on
# stderr, which names the display.
set -u
exe=$1
xvfb=$2
work=$3
case_name=$4
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "display_gone $case_name" "$@"; }

# The server and the window manager are ended with the game, should the
# script stop early.
start_x_server "$xvfb" 1024x768x24 "$work/xvfb.txt"
started=$?
server=$x_server_pid
GAME_PIDS=$server
[ "$started" -eq 0 ] || fail "the X server did not start"
export DISPLAY=$x_display

args=(--sdl)
gone=$server
line="vantris: the display went away: the X server at $DISPLAY closed the connection"
case "$case_name" in
  windowed_wm)
    args+=(--windowed)
    openbox >/dev/null 2>&1 &
    GAME_PIDS="$GAME_PIDS $!"
    sleep 1
    ;;
  wayland)
    weston --backend=x11-backend.so --socket=vantris-wl --width=1024 --height=768 \
      --idle-time=0 >"$work/weston.txt" 2>&1 &
    gone=$!
    GAME_PIDS="$GAME_PIDS $gone"
    for _ in $(seq 1 100); do
      [ -S "$XDG_RUNTIME_DIR/vantris-wl" ] && break
      sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/vantris-wl" ] || fail "the compositor did not start"
    line="vantris: the display went away: the Wayland compositor at vantris-wl closed the connection"
    ;;
  fullscreen | box) ;;
  *) fail "unknown case" ;;
esac
game="$exe"
if [ "$case_name" = box ]; then
  game="$work/game/vantris"
  game_copy "$exe" "$work/game" ZBAK1B || fail "cannot copy the game"
fi

if [ "$case_name" = wayland ]; then
  # The game's window is inside the compositor's, which takes the keys.
  env -u DISPLAY WAYLAND_DISPLAY=vantris-wl SDL_VIDEODRIVER=wayland \
    "$game" "${args[@]}" >"$work/stdout.txt" 2>"$work/stderr.txt" &
  pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --class '^Weston' 2>/dev/null | head -n 1)
else
  "$game" "${args[@]}" >"$work/stdout.txt" 2>"$work/stderr.txt" &
  pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^VANTRIS$' 2>/dev/null | head -n 1)
fi
GAME_PIDS="$GAME_PIDS $pid"
[ -n "$win" ] || fail "no window appeared"

# What the display shows, and whether it changed from the last look.
look() { import -window root "$work/$1.png" 2>/dev/null; }
changed() {
  local pixels
  pixels=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1)
  [ "${pixels%.*}" -gt 1000 ]
}
# Holds a key over a few frames, which read the key held.
press() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
}
# Presses a key until the picture changes (the next scene), again every 5 s
# (a press the compositor took before the game's window had the keyboard is
# lost; a second press of Return or F1 does nothing in the scene after).
press_until_changed() {
  look before
  for _ in $(seq 1 4); do
    press "$1"
    for _ in $(seq 1 10); do
      sleep 0.5
      kill -0 "$pid" 2>/dev/null || fail "the game ended"
      look after
      changed before after && return 0
    done
  done
  fail "$1 did not change the picture"
}

if [ "$case_name" = box ]; then
  for _ in $(seq 1 300); do
    [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win")" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its box"
    sleep 0.1
  done
  [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win")" ] ||
    fail "no box appeared"
  sleep 0.5
else
  # The title (the pictures load first), the mode screen, stage 1.
  lit=0
  for _ in $(seq 1 60); do
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its title"
    look title
    lit=$(lit_pixels "$work/title.png")
    [ "$lit" -gt 1000 ] && break
  done
  [ "$lit" -gt 1000 ] || fail "the title shows nothing"
  sleep 1
  press_until_changed Return
  sleep 0.5
  press_until_changed F1
  sleep 2  # into the stage
  look stage
fi

lines_before=$(wc -l <"$work/stderr.txt")
signal=TERM
[ "$case_name" = windowed_wm ] && signal=KILL
kill -"$signal" "$gone"
start=$(date +%s%N)
while kill -0 "$pid" 2>/dev/null; do
  [ $(( $(date +%s%N) - start )) -gt 2000000000 ] &&
    fail "still running 2 s after the display went away"
  sleep 0.05
done
took=$(( ($(date +%s%N) - start) / 1000000 ))
wait "$pid"
rc=$?
GAME_PIDS=""
[ "$rc" -eq 1 ] || fail "the game ended with $rc"
new=$(tail -n +"$((lines_before + 1))" "$work/stderr.txt")
[ "$new" = "$line" ] || fail "not the one line for the display"
echo "display_gone $case_name: ended in $took ms with status 1: $new"
