#!/bin/bash
# error_box.sh <vantris> <work folder> <case>: run inside an X server
# (x_server.sh).  Copies the game and its pictures, sounds and music into the
# work folder, damages pictures there and starts it in a window.  Waits for
# the error box, which must show ink (its text; the picture is kept as
# box.png), then
#   return:  presses Return: the box closes, the title shows, Escape ends the
#            game with 0;
#   sigterm: damages three pictures, sends SIGTERM while the first box is up:
#            no other box appears, the game ends with 0 and every damaged
#            picture still has its line on stderr.
# return_nofontconfig and sigterm_nofontconfig do the same under a font
# configuration without fonts: the box finds its font in the font folders;
# return_crowded_nofontconfig too, with 25,000 plain files in the first of
# them ($XDG_DATA_HOME/fonts): the system's folder still has its turn.
#   nofont:  no font anywhere (the empty configuration, and HOME and
#            XDG_DATA_DIRS pointing at folders without fonts, the first
#            crowded): no box shows, its line says why, naming the folders
#            searched, and the game goes on to the title; after a SIGKILL
#            nothing of the game remains, and a new start takes the lock and
#            ends with 0 on Escape.
set -u
exe=$1
work=$2
case_name=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() { fail_saying "error_box $case_name" "$@"; }

game="$work/game"
damaged="ZBAK1B"
[ "${case_name%%_*}" = sigterm ] && damaged="ZBAK1B ZBAK2B ZBAK3B"
game_copy "$exe" "$game" $damaged || fail "cannot copy the game"

# The game's environment beyond game_env's.
# A font folder crowded with plain files.
crowd() {
  mkdir -p "$1"
  (cd "$1" && seq -f 'plain%05.0f' 1 25000 | xargs touch)
}

game_vars=()
case "$case_name" in
  nofont)
    mkdir -p "$work/home" "$work/data"
    crowd "$work/home/.local/share/fonts"
    game_vars=(-u XDG_DATA_HOME HOME="$work/home" XDG_DATA_DIRS="$work/data")
    ;;
  *_crowded_*)
    crowd "$work/data_home/fonts"
    game_vars=(-u XDG_DATA_DIRS XDG_DATA_HOME="$work/data_home")
    ;;
esac
case "$case_name" in
  *_nofontconfig | nofont)
    printf '<?xml version="1.0"?>\n<fontconfig>\n</fontconfig>\n' >"$work/fonts.conf"
    game_vars+=(FONTCONFIG_FILE="$work/fonts.conf")
    ;;
esac

# Pixels of the picture darker than mid grey (the box's text is black on a
# light ground).
ink_pixels() {
  convert "$1" -colorspace Gray -threshold 50% -negate -format '%[fx:int(mean*w*h)]' info:
}
# The game's visible windows other than its main one: its boxes.
box_windows() {
  xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "${win:-none}"
}
game_ended() { ! kill -0 "$pid" 2>/dev/null; }
# Waits up to 30 s for the game to end and gives its exit status.
wait_end() {
  game_ends_within 300 || fail "the game did not end"
}
# Starts the game, its standard error going to the file named, and waits for
# its window.
start_boxed_game() {
  env "${game_vars[@]}" "$game/vantris" --sdl --windowed >"$work/stdout.txt" 2>"$1" &
  pid=$!
  GAME_PIDS=$pid
  find_game_window
}
# Waits for the title to show in the game window.
wait_title() {
  title_lit=0
  for _ in $(seq 1 60); do
    game_ended && fail "the game ended before its title"
    import -window "$win" "$work/title.png" 2>/dev/null && title_lit=$(lit_pixels "$work/title.png")
    [ "$title_lit" -gt 1000 ] && break
    sleep 0.5
  done
  [ "$title_lit" -gt 1000 ] || fail "no title ($title_lit pixels lit)"
}
press_escape() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool keydown Escape
  sleep 0.1
  xdotool keyup Escape
}

start_boxed_game "$work/stderr.txt"

if [ "$case_name" = nofont ]; then
  said=""
  for _ in $(seq 1 300); do
    said=$(grep "cannot show a message box" "$work/stderr.txt")
    [ -n "$said" ] && break
    game_ended && fail "the game ended before its box"
    sleep 0.1
  done
  [ -n "$said" ] || fail "no line saying the box cannot be shown"
  case "$said" in
    *"(no font to write it in: "*" nor is there a font file in $work/home/.local/share/fonts (its first 6666 entries), $work/data/fonts or $work/home/.fonts)"*) ;;
    *) fail "the line does not say why: $said" ;;
  esac
  grep -q "\[エラー発生\] elDraw::LoadObject : .*IMAGE/ZBAK1B.BMP: " "$work/stderr.txt" ||
    fail "no line for ZBAK1B.BMP"
  wait_title
  [ -z "$(box_windows)" ] || fail "a box window showed"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  GAME_PIDS=""
  sleep 0.5
  left=$(pgrep -f "^$game/vantris" | tr '\n' ' ')
  [ -z "$left" ] || { GAME_PIDS=$left; fail "processes of the game outlived it: $left"; }
  start_boxed_game "$work/stderr2.txt"
  wait_title
  grep -q "already running" "$work/stderr2.txt" && fail "the new start found the lock taken"
  press_escape
  wait_end
  [ "$rc" -eq 0 ] || fail "the new start ended with $rc"
  echo "error_box nofont: the box said it cannot be shown, the title showed; after SIGKILL nothing remained and a new start ended with 0"
  exit 0
fi

box=""
for _ in $(seq 1 300); do
  box=$(box_windows | head -n 1)
  [ -n "$box" ] && break
  game_ended && fail "the game ended before its box"
  sleep 0.1
done
[ -n "$box" ] || fail "no box appeared"
# The box paints as soon as it is mapped; a few tries for a busy machine.
ink=0
for _ in $(seq 1 20); do
  import -window "$box" "$work/box.png" 2>/dev/null && ink=$(ink_pixels "$work/box.png")
  [ "$ink" -gt 300 ] && break
  sleep 0.2
done
[ "$ink" -gt 300 ] || fail "the box shows no text ($ink dark pixels)"

case "${case_name%%_*}" in
  return)
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool keydown Return
    sleep 0.1
    xdotool keyup Return
    for _ in $(seq 1 100); do
      [ -z "$(box_windows)" ] && break
      sleep 0.1
    done
    [ -z "$(box_windows)" ] || fail "Return did not close the box"
    wait_title
    press_escape
    wait_end
    [ "$rc" -eq 0 ] || fail "the game ended with $rc"
    echo "error_box $case_name: box with $ink dark pixels closed by Return, title shown ($title_lit pixels), exit 0"
    ;;
  sigterm)
    kill -TERM "$pid"
    for _ in $(seq 1 300); do
      game_ended && break
      other=$(box_windows | grep -vx "$box" | head -n 1)
      [ -n "$other" ] && fail "another box came up after SIGTERM"
      sleep 0.1
    done
    wait_end
    [ "$rc" -eq 0 ] || fail "the game ended with $rc after SIGTERM"
    for name in $damaged; do
      [ "$(grep -c "\[エラー発生\] elDraw::LoadObject : .*IMAGE/$name.BMP: " "$work/stderr.txt")" -eq 1 ] ||
        fail "not one line for $name.BMP"
    done
    grep -q "cannot show a message box" "$work/stderr.txt" && fail "a box was said to be impossible"
    echo "error_box $case_name: box with $ink dark pixels, SIGTERM ended the game with 0 and no other box"
    ;;
  *)
    fail "unknown case"
    ;;
esac
