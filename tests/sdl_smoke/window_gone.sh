#!/bin/bash
# window_gone.sh <vantris> <work folder> <case>: run inside an X server
# (x_server.sh).  Another client takes the game's window away:
#   windowclose:         destroys it (xdotool windowclose), full screen with
#                        no window manager, the title up;
#   windowclose_openbox: the same with the game in a window under openbox;
#   xkill:               kills the game's connection (xkill), full screen;
#   box:                 destroys the window of the error box that a damaged
#                        picture brings up, an X error the game does not
#                        expect.
# The game must end within 5 s (at once, but on a busy machine) with status
# 1 and one line of its own, not Xlib's report.
set -u
exe=$1
work=$2
case_name=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "window_gone $case_name" "$@"; }

line="^vantris: the window went away: another X client destroyed it$"
case "$case_name" in
  windowclose | xkill)
    start_game --sdl
    wait_for_title root "$work/title.png"
    find_game_window
    target=$win
    [ "$case_name" = xkill ] &&
      line="^vantris: the display went away: the X server at $DISPLAY closed the connection$"
    ;;
  windowclose_openbox)
    start_openbox "$work/openbox.txt" || fail "openbox did not start"
    start_game --sdl --windowed
    wait_for_title root "$work/title.png"
    find_game_window
    target=$win
    ;;
  box)
    game_copy "$exe" "$work/game" ZBAK1B || fail "cannot copy the game"
    exe="$work/game/vantris"
    start_game --sdl
    target=""
    for _ in $(seq 1 150); do
      for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = VANTRIS ] || target=$id
      done
      [ -n "$target" ] && break
      kill -0 "$pid" 2>/dev/null || fail "the game ended before its box"
      sleep 0.2
    done
    [ -n "$target" ] || fail "no box appeared"
    sleep 0.5
    line="^vantris: the X server refused a request: BadWindow \(invalid Window parameter\) in .+ on resource 0x[0-9a-f]+$"
    ;;
  *) fail "unknown case" ;;
esac

lines_before=$(wc -l <"$work/stderr.txt")
if [ "$case_name" = xkill ]; then
  xkill -id "$target" >/dev/null 2>&1 || fail "xkill failed"
else
  # It may fail after the window is gone (a request on it of its own).
  xdotool windowclose "$target" >/dev/null 2>&1
fi
start=$(date +%s%N)
while kill -0 "$pid" 2>/dev/null; do
  [ $(($(date +%s%N) - start)) -gt 5000000000 ] && fail "still running 5 s after"
  sleep 0.05
done
took=$((($(date +%s%N) - start) / 1000000))
wait "$pid"
rc=$?
forget_game
[ "$rc" -eq 1 ] || fail "the game ended with $rc"
new=$(tail -n +"$((lines_before + 1))" "$work/stderr.txt")
[ "$(printf '%s\n' "$new" | wc -l)" -eq 1 ] && [[ "$new" =~ $line ]] ||
  fail "not the one line expected"
echo "window_gone $case_name: ended in $took ms with status 1: $new"
