#!/bin/bash
# expose.sh <vantris> <work folder> [openbox]: run inside an X server
# (x_server.sh), with no window manager or under openbox.  The game, full
# screen, shows its title; another client's window takes the keyboard (no
# frame runs then) and is dragged across the game to the bottom-right
# corner.  Everywhere but that corner the screen must show the game's last
# frame again, with no copies of the window left on it.
set -u
exe=$1
work=$2
manager=${3:-}
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "expose${manager:+ $manager}" "$@"; }

screen_size
if [ "$manager" = openbox ]; then
  start_openbox "$work/openbox.txt" || fail "openbox did not start"
fi
start_game --sdl
wait_for_title root "$work/title.png"
find_game_window
start_helper_window +40+40 || fail "no other window showed"
xdotool windowactivate --sync "$helper" 2>/dev/null || xdotool windowfocus --sync "$helper" 2>/dev/null
sleep 0.5
[ "$(xdotool getwindowfocus 2>/dev/null)" != "$win" ] || fail "the game kept the keyboard"

# Across the screen in steps, each uncovering what the last one covered.
steps=12
for i in $(seq 1 $steps); do
  xdotool windowmove "$helper" $((40 + (sw - 300) * i / steps)) $((40 + (sh - 200) * i / steps))
  sleep 0.1
done
sleep 0.5
[ "$(xdotool getwindowfocus 2>/dev/null)" != "$win" ] || fail "the game took the keyboard back"
# Both pictures without the corner the window ends in.
corner="$((sw - 320)),$((sh - 220)) $sw,$sh"
import -window root "$work/dragged.png" || fail "cannot capture the screen"
for picture in title dragged; do
  convert "$work/$picture.png" -fill black -draw "rectangle $corner" "$work/${picture}_cut.png"
done
differ=$(compare -metric AE "$work/title_cut.png" "$work/dragged_cut.png" null: 2>&1 | cut -d' ' -f1)
[ "${differ%.*}" -le 20 ] || fail "the window left its copies on the game ($differ pixels differ)"
echo "expose${manager:+ $manager}: the last frame shown again after the drag ($differ pixels differ)"
