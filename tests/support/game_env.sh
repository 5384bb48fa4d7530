# Sourced by the scripts that run the real program: `game_env <work folder>`
# empties the folder and runs the game in it as on a fresh machine (no sound
# device).  The runtime folder, where the lock goes and where the display
# libraries look for their sockets, is a fresh one under /tmp: short wherever
# the checkout lies (a socket's path has at most 107 bytes).  It is removed
# when the script ends, on failure and on a signal too, and the games whose
# ids the script put in GAME_PIDS are ended then if they still run.  It also
# gives `lit_pixels <picture>` to the scripts that capture the game's window,
# and `game_copy` to those that damage its files.
game_env() {
  rm -rf "$1"
  mkdir -p "$1"
  GAME_RUNTIME=$(mktemp -d /tmp/vantris-run-XXXXXX) || exit 1
  GAME_PIDS=""
  trap game_env_end EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  export XDG_RUNTIME_DIR="$GAME_RUNTIME"
  export SDL_AUDIODRIVER=dummy
  unset VANTRIS_BACKEND
}

game_env_end() {
  local pid
  for pid in $GAME_PIDS; do
    kill -KILL "$pid" 2>/dev/null
  done
  rm -rf "$GAME_RUNTIME"
}

# The pixels of a captured picture that are not black: more than a few means
# the window shows something.
lit_pixels() {
  convert "$1" -fill white +opaque black -format '%[fx:int(mean*w*h)]' info:
}

# game_copy <vantris> <folder> [PICTURE...]: the game in <folder> (a link
# where the file system allows) with the build folder's pictures, sounds and
# music, which it reads beside itself; each PICTURE named (e.g. ZBAK1B) cut
# to its first 100 bytes.  False when something cannot be copied.
game_copy() {
  local exe=$1 folder=$2 assets name
  shift 2
  assets=$(dirname "$exe")
  mkdir -p "$folder" || return 1
  cp -l "$exe" "$folder/vantris" 2>/dev/null || cp "$exe" "$folder/vantris" || return 1
  cp -r "$assets/IMAGE" "$assets/SOUND" "$assets/MIDI" "$folder/" || return 1
  for name in "$@"; do
    rm -f "$folder/IMAGE/$name.BMP"
    head -c 100 "$assets/IMAGE/$name.BMP" >"$folder/IMAGE/$name.BMP" || return 1
  done
}
