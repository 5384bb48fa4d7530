# Sourced by the scripts that run the real program: `game_env <work folder>`
# empties the folder and runs the game in it as on a fresh machine (its own
# runtime folder for the lock, no sound device, no leak report: what SDL and
# the X libraries keep at exit is not the program's).
game_env() {
  rm -rf "$1"
  mkdir -p "$1/runtime"
  chmod 700 "$1/runtime"
  export XDG_RUNTIME_DIR="$1/runtime"
  export SDL_AUDIODRIVER=dummy
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
  unset VANTRIS_BACKEND
}
