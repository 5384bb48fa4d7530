#!/bin/bash
# end_signals.sh <vantris> <work folder> <case>: run inside an X server
# (xvfb-run) whose clients need its authorization.
#   starting: the game starts with XAUTHORITY naming /dev/zero (the display's
#             library reads it for good, at full speed) and then a FIFO (it
#             waits on it for good); SIGTERM, then SIGINT, sent while it is
#             stuck there, end it within a second and a half, as killed by
#             the signal, with one line;
#   loop:     SIGINT at the title ends the game in order, with 0 and nothing
#             said.
set -u
set -m  # the games started here take SIGINT (no job of a script would)
exe=$1
work=$2
case_name=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "end_signals $case_name" "$@"; }

case "$case_name" in
  starting)
    mkfifo "$work/fifo" || fail "cannot make a FIFO"
    for auth in /dev/zero "$work/fifo"; do
      for signal in TERM INT; do
        XAUTHORITY=$auth "$exe" --sdl >"$work/stdout.txt" 2>"$work/stderr.txt" &
        pid=$!
        GAME_PIDS=$pid
        sleep 1
        kill -0 "$pid" 2>/dev/null || fail "the game ended by itself with XAUTHORITY=$auth"
        kill -"$signal" "$pid"
        game_ends_within 15 || fail "SIG$signal did not end the game with XAUTHORITY=$auth"
        want=$((128 + $(kill -l "$signal")))
        [ "$rc" -eq "$want" ] || fail "SIG$signal with XAUTHORITY=$auth: status $rc, not $want"
        [ "$(cat "$work/stderr.txt")" = "vantris: ended by SIG$signal while starting" ] ||
          fail "SIG$signal with XAUTHORITY=$auth: the line is wrong"
      done
    done
    echo "end_signals starting: SIGTERM and SIGINT ended the game stuck on /dev/zero and on a FIFO"
    ;;
  loop)
    start_game --sdl --windowed
    wait_for_title root "$work/title.png"
    kill -INT "$pid"
    game_ends_within 100 || fail "SIGINT did not end the game"
    [ "$rc" -eq 0 ] || fail "the game ended with $rc after SIGINT"
    [ -s "$work/stderr.txt" ] && fail "the game said something"
    echo "end_signals loop: SIGINT at the title ended the game with 0"
    ;;
  *)
    fail "unknown case"
    ;;
esac
