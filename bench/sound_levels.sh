#!/bin/bash
# sound_levels.sh <build folder> [work folder]: what a player hears, recorded
# through SDL's disk audio driver from the real game under a virtual X
# server, and its levels (bench/sound_levels.cpp, built in the build
# folder's bench/).  Two plays of stage 1 at level 1 with a ship that cannot
# die: the fight, laser C held for 40 s, and the music alone, 30 s with no
# key held (nothing is shot, nothing explodes).  Only the stretch in play is
# measured (the recording's bytes from the key's press to its release).
# Takes about two minutes; ends as sound_levels does (0: the goals are met).
set -u
if [ -z "${SOUND_LEVELS_XVFB:-}" ]; then
  SOUND_LEVELS_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
build=$(cd "${1:?usage: sound_levels.sh <build folder> [work folder]}" && pwd)
work=${2:-$build/bench/sound_levels_work}
source "$(dirname "$0")/../tests/support/game_env.sh"
game_env "$work"

fail() {
  echo "sound_levels: $*" >&2
  exit 1
}

game_copy "$build/vantris" "$work/game" || fail "cannot copy the game from $build"
export SDL_AUDIODRIVER=disk

# play <name> <seconds> [key]: stage 1 with <key> held (or none) for
# <seconds>; the stretch lands in $work/<name>.raw.
play() {
  local name=$1 seconds=$2 key=${3:-} raw=$work/$1_whole.raw start end
  export SDL_DISKAUDIOFILE=$raw
  "$work/game/vantris" --sdl --windowed >"$work/$name.out" 2>"$work/$name.err" &
  pid=$!
  GAME_PIDS="$GAME_PIDS $pid"
  local win
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^VANTRIS$' 2>/dev/null | head -n 1)
  [ -n "$win" ] || fail "no VANTRIS window appeared"
  wait_for_title "$win" "$work/title.png"
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  enter_mode_screen "$win" "$work/title.png" "$work/mode.png"
  hold_key o
  hold_key F1
  sleep 3
  start=$(stat -c %s "$raw")
  [ -n "$key" ] && xdotool keydown "$key"
  sleep "$seconds"
  [ -n "$key" ] && xdotool keyup "$key"
  end=$(stat -c %s "$raw")
  import -window "$win" "$work/$name.png" 2>/dev/null
  escape_ends_game
  # Whole frames of 4 bytes from the press to the release.
  start=$((start / 4 * 4))
  tail -c +$((start + 1)) "$raw" | head -c $(((end - start) / 4 * 4)) >"$work/$name.raw"
  rm -f "$raw"
}

play fight 40 c
play music 30
"$build/bench/sound_levels" "$work/fight.raw" "$work/music.raw"
