#!/bin/bash
# desktop.sh <vantris> <work folder> <x11_probe> <case>: run inside an X
# server (xvfb-run).  What the game does to the desktop around it:
#   pointer_clip (a 1280 x 720 screen, no window manager): full screen, the
#     picture is 960 x 720 from column 160; the mouse moving the pointer past
#     the picture's left or right edge leaves it on that edge; with the focus
#     on another window the pointer goes past, with the focus back it is held
#     again.
#   beep: a damaged picture's error box rings the display's bell, and the
#     standard error (a file, not a terminal) holds no BEL.
#   screen_saver (under openbox, a screen saver due after 2 s): held off while
#     the game is in front, running while the game is minimised or another
#     window has the focus, held off again when the game is back.
#   icon: the window carries the 64 x 64 icon, transparent in its corners;
#     with the icon's file damaged it carries none, one line says so, no box
#     comes up and the title shows.
# Escape (SIGTERM where a box is up) then ends the game with 0.
set -u
exe=$1
work=$2
probe=$3
case_name=$4
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "desktop $case_name" "$@"; }

# `play EXE ARG...`: start_game with that copy of the game.
play() {
  local exe=$1
  shift
  start_game "$@"
}

# A window of another program (xev), which the focus can go to.
other_window() {
  xev -name other -geometry 100x100+10+10 >/dev/null 2>&1 &
  GAME_PIDS="$GAME_PIDS $!"
  other=$(timeout 10 xdotool search --sync --onlyvisible --name "^other$" 2>/dev/null | head -n 1)
  [ -n "$other" ] || fail "the other window did not appear"
}

# The pointer's column after the mouse moved it from the screen's middle by
# `pushed DX` pixels.
pushed() {
  xdotool mousemove 640 360
  sleep 0.1
  xdotool mousemove_relative -- "$1" 0
  sleep 0.2
  xdotool getmouselocation | sed 's/^x:\([0-9]*\) .*/\1/'
}

case "$case_name" in
  pointer_clip)
    play "$exe" --sdl
    wait_for_title root "$work/title.png"
    # The game clips the pointer to its screen as it starts: the picture.
    [ "$(pushed -600)" -eq 160 ] || fail "pushed left, the pointer is at column $(pushed -600), not 160"
    [ "$(pushed 600)" -eq 1119 ] || fail "pushed right, the pointer is at column $(pushed 600), not 1119"
    other_window
    xdotool windowfocus --sync "$other"
    sleep 0.3
    [ "$(pushed -600)" -eq 40 ] || fail "with the focus away, the pointer is at column $(pushed -600), not 40"
    xdotool windowfocus --sync "$win"
    sleep 0.3
    [ "$(pushed -600)" -eq 160 ] || fail "with the focus back, the pointer is at column $(pushed -600), not 160"
    xdotool mousemove 640 360
    escape_ends_game
    echo "desktop pointer_clip: the pointer held to columns 160 to 1119 while in front, free while not"
    ;;
  beep)
    game_copy "$exe" "$work/game" ZBAK1B || fail "cannot copy the game"
    "$probe" bells >"$work/bells.txt" &
    bells=$!
    for _ in $(seq 1 50); do
      grep -q ready "$work/bells.txt" && break
      sleep 0.1
    done
    grep -q ready "$work/bells.txt" || fail "the bell's listener did not start"
    play "$work/game/vantris" --sdl --windowed
    wait "$bells" || fail "the bell did not ring ($(tail -n 1 "$work/bells.txt") times)"
    for _ in $(seq 1 50); do
      grep -q "IMAGE/ZBAK1B.BMP" "$work/stderr.txt" && break
      sleep 0.1
    done
    grep -q "\[エラー発生\] elDraw::LoadObject : .*IMAGE/ZBAK1B.BMP" "$work/stderr.txt" ||
      fail "no line for the damaged picture"
    LC_ALL=C grep -q $'\a' "$work/stderr.txt" && fail "a BEL went to the standard error"
    kill -TERM "$pid"
    for _ in $(seq 1 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    wait "$pid"
    rc=$?
    [ "$rc" -eq 0 ] || fail "the game ended with $rc"
    echo "desktop beep: the error box rang the display's bell, no BEL on the standard error"
    ;;
  screen_saver)
    openbox --sm-disable >"$work/openbox.txt" 2>&1 &
    GAME_PIDS=$!
    disown
    for _ in $(seq 1 100); do
      xdotool get_num_desktops >/dev/null 2>&1 && break
      sleep 0.1
    done
    xdotool get_num_desktops >/dev/null 2>&1 || fail "openbox did not start"
    play "$exe" --sdl --windowed
    wait_for_title "$win" "$work/title.png"
    # (Set while X clients are connected: the server forgets it otherwise.)
    xset s 2 0
    # saver_after WHAT STATE: two idle seconds and more later, the screen
    # saver's state is STATE.
    saver_after() {
      sleep 3
      local state
      state=$("$probe" saver)
      [ "$state" = "$2" ] || fail "$1, the screen saver is $state, not $2"
    }
    xdotool windowactivate --sync "$win"
    saver_after "with the game in front" off
    xdotool windowminimize --sync "$win"
    saver_after "with the game minimised" on
    xdotool windowactivate --sync "$win"
    saver_after "with the game back in front" off
    other_window
    xdotool windowactivate --sync "$other"
    saver_after "with another window in front" on
    xdotool windowactivate --sync "$win"
    saver_after "with the game in front again" off
    escape_ends_game
    echo "desktop screen_saver: held off while the game was in front, running while it was not"
    ;;
  icon)
    play "$exe" --sdl --windowed
    icon=""
    for _ in $(seq 1 100); do
      icon=$(xprop -id "$win" -notype 32c _NET_WM_ICON 2>/dev/null | cut -d, -f1-3)
      case "$icon" in *=*) break ;; esac
      sleep 0.1
    done
    [ "$icon" = "_NET_WM_ICON = 64, 64, 0" ] || fail "the window's icon begins '$icon'"
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    escape_ends_game
    game_copy "$exe" "$work/game" || fail "cannot copy the game"
    head -c 60 "$work/game/ICON/MAIN.BMP" >"$work/icon.bmp"
    mv "$work/icon.bmp" "$work/game/ICON/MAIN.BMP"
    play "$work/game/vantris" --sdl --windowed
    wait_for_title "$win" "$work/title.png"
    xprop -id "$win" _NET_WM_ICON | grep -q "not found" || fail "a damaged icon was set"
    [ "$(grep -c "icon" "$work/stderr.txt")" -eq 1 ] || fail "not one line on the icon"
    grep -q "^vantris: the window has no icon of its own: .*/ICON/MAIN.BMP: " "$work/stderr.txt" ||
      fail "the line does not say what is wrong with the icon"
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -eq 1 ] ||
      fail "a window besides the game's came up"
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    escape_ends_game
    echo "desktop icon: the 64 x 64 icon on the window; a damaged one said in one line, no box"
    ;;
  *)
    fail "unknown case"
    ;;
esac
