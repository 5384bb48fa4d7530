#!/bin/bash
# full_screen.sh <vantris> <work folder> <W>x<H> [openbox]: run inside an X
# server (x_server.sh) whose screen is W x H.  Starts the game full screen (its
# default), with no window manager or under openbox, and plays into stage 1
# with the keys (nothing here gives the window the focus) and the ship
# steered by the mouse.  The captured screen must show the 800 x 600 picture
# scaled to fit and centred: nothing lit beside, above or below it, its top
# rows (the HUD) and bottom rows on the screen, stage 1's walls where the
# scaled picture puts them; the ship must go where the picture puts the
# pointer.  Escape then ends the game with 0.
set -u
exe=$1
work=$2
screen=$3
manager=${4:-}
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "full_screen $screen${manager:+ $manager}" "$@"; }

sw=${screen%x*}
sh=${screen#*x}
# The picture's place on the screen: scaled by the smaller of the two ratios
# and centred (scale, left, top, width, height).
read -r scale left top width height < <(awk -v w="$sw" -v h="$sh" 'BEGIN {
  s = w / 800; if (h / 600 < s) s = h / 600
  pw = int(800 * s); ph = int(600 * s)
  printf "%.6f %d %d %d %d\n", s, int((w - pw) / 2), int((h - ph) / 2), pw, ph }')
# The screen pixel of a game pixel's middle: `at x` or `at y` COORDINATE.
at() {
  awk -v s="$scale" -v o="$([ "$1" = x ] && echo "$left" || echo "$top")" -v c="$2" \
    'BEGIN { printf "%d\n", o + (c + 0.5) * s }'
}
# Within 3 pixels: `near WHAT GOT WANTED`.
near() {
  local d=$(($2 - $3))
  [ "${d#-}" -le 3 ] || fail "$1 at $2, not $3"
}

# The share of lit pixels (0 to 255) of every column (`cols`) or row (`rows`)
# of a captured screen, one a line; columns within the picture's rows only.
lit_profile() {
  local crop="${sw}x${sh}+0+0" size="1x${sh}!"
  [ "$2" = cols ] && crop="${sw}x${height}+0+${top}" size="${sw}x1!"
  convert "$1" -crop "$crop" +repage -fuzz 3% -fill white +opaque black -colorspace gray \
    -scale "$size" -depth 8 txt:- | awk 'NR > 1 { v = $NF; gsub(/[^0-9]/, "", v); print v }'
}
# The first and the last line of a profile at or over a share: `span SHARE`.
span() {
  awk -v at="$1" '$1 >= at { if (first == "") first = NR - 1; last = NR - 1 }
    END { print (first == "" ? "-1 -1" : first " " last) }'
}

# The ship's blue wings in a captured screen: "COUNT LEFT TOP WIDTH", from the
# pixels whose blue outweighs their red and green by more than 42%.
wings() {
  convert "$1" -separate \( -clone 2 -clone 0 -compose minus_src -composite \) \
    \( -clone 2 -clone 1 -compose minus_src -composite \) -delete 0-2 \
    -compose darken -composite -threshold 42% \
    -format '%[fx:int(mean*w*h)] %@' info: | awk '{
      n = split($2, p, /[x+]/); print $1, p[3], p[4], p[1] }'
}

shot() { import -window root "$work/$1.png" 2>/dev/null || fail "cannot capture the screen"; }

if [ "$manager" = openbox ]; then
  start_openbox "$work/openbox.txt" || fail "openbox did not start"
fi

start_game --sdl
wait_for_title root "$work/title.png"
# The mode screen, then the mouse steering, a ship that cannot die and level 1.
enter_mode_screen root "$work/title.png" "$work/mode.png"
hold_key m
hold_key o
hold_key F1

# Stage 1: its walls, lit from the top of the picture to its bottom, stand at
# columns 180 to 619 of the game's 800 (no column of the title or the mode
# screen is lit half as much).
walls="-1 -1"
for _ in $(seq 1 40); do
  sleep 0.5
  shot stage
  walls=$(lit_profile "$work/stage.png" cols | span 150)
  [ "$walls" != "-1 -1" ] && break
done
[ "$walls" != "-1 -1" ] || fail "stage 1's walls never showed"
read -r wall_left wall_right <<<"$walls"
read -r lit_left lit_right <<<"$(lit_profile "$work/stage.png" cols | span 1)"
read -r lit_top lit_bottom <<<"$(lit_profile "$work/stage.png" rows | span 1)"
[ "$lit_left" -ge $((left - 1)) ] && [ "$lit_right" -le $((left + width)) ] ||
  fail "lit from column $lit_left to $lit_right, past the picture's $left to $((left + width - 1))"
near "the picture's top row" "$lit_top" "$top"
near "the picture's bottom row" "$lit_bottom" $((top + height - 1))
near "the left wall" "$wall_left" "$(at x 180)"
near "the right wall" "$wall_right" "$(at x 619)"
near "the walls' middle" $(((wall_left + wall_right + 1) / 2)) $((sw / 2))

# The ship follows the pointer, 30 rows above it: its wings start at the
# pointer's row, centred on its column.
xdotool mousemove "$(at x 300)" "$(at y 400)"
count=0
for _ in $(seq 1 20); do
  sleep 0.5
  shot pointer
  read -r count wing_left wing_top wing_width <<<"$(wings "$work/pointer.png")"
  [ "$count" -gt 100 ] && break
done
[ "$count" -gt 100 ] || fail "no ship in the picture"
near "the ship's middle" $((wing_left + wing_width / 2)) "$(at x 300)"
near "the ship's wings" "$wing_top" "$(at y 400)"

escape_ends_game
echo "full_screen $screen${manager:+ $manager}: picture at $left,$top ${width}x$height," \
  "walls at $wall_left-$wall_right, ship under the pointer, exit 0"
