# Sourced by the scripts that run the real program: `game_env <work folder>`
# empties the folder and runs the game in it as on a fresh machine (no sound
# device).  The runtime folder, where the lock goes and where the display
# libraries look for their sockets, is a fresh one under /tmp: short wherever
# the checkout lies (a socket's path has at most 107 bytes).  It is removed
# when the script ends, on failure and on a signal too, and the games whose
# ids the script put in GAME_PIDS are ended then if they still run.  It also
# gives `lit_pixels <picture>` to the scripts that capture the game's window,
# `game_copy` to those that damage its files, and the steps of those that
# play it through its title (at the end).
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
# where the file system allows) with the build folder's pictures, sounds,
# music and icon, which it reads beside itself; each PICTURE named (e.g.
# ZBAK1B) cut to its first 100 bytes.  False when something cannot be copied.
game_copy() {
  local exe=$1 folder=$2 assets name
  shift 2
  assets=$(dirname "$exe")
  mkdir -p "$folder" || return 1
  cp -l "$exe" "$folder/vantris" 2>/dev/null || cp "$exe" "$folder/vantris" || return 1
  cp -r "$assets/IMAGE" "$assets/SOUND" "$assets/MIDI" "$assets/ICON" "$folder/" || return 1
  for name in "$@"; do
    rm -f "$folder/IMAGE/$name.BMP"
    head -c 100 "$assets/IMAGE/$name.BMP" >"$folder/IMAGE/$name.BMP" || return 1
  done
}

# `run_game STDERR ARG...`: starts the game ($exe) with the arguments, its
# standard error into the file STDERR, and waits up to 30 s for its window:
# its process in pid (and GAME_PIDS), its window in win.
run_game() {
  local said=$1
  shift
  "$exe" "$@" >"$work/stdout.txt" 2>"$said" &
  pid=$!
  GAME_PIDS="$GAME_PIDS $pid"
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^VANTRIS$' 2>/dev/null | head -n 1)
  [ -n "$win" ] || fail "no VANTRIS window appeared"
}

# The steps of the scripts that play the game ($pid) through its title; each
# says what went wrong through the script's own `fail`.  TARGET is what
# `import -window` captures: the game's window or root.

# Holds a key down over a few frames (the scenes read the key held at their
# frame).
hold_key() {
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
}

# `wait_for_title TARGET PICTURE`: waits up to 30 s for the title (the start-up
# loads every picture first, which takes a while in a sanitizer build on a
# busy machine), then captures it into PICTURE after its own first frames.
# Leaves the lit pixels' count in title_lit.
wait_for_title() {
  title_lit=0
  for _ in $(seq 1 60); do
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its title"
    import -window "$1" "$2" || fail "cannot capture the title"
    title_lit=$(lit_pixels "$2")
    [ "$title_lit" -gt 1000 ] && break
  done
  [ "$title_lit" -gt 1000 ] || fail "the title shows nothing ($title_lit pixels lit)"
  sleep 1
  import -window "$1" "$2" || fail "cannot capture the title"
}

# `enter_mode_screen TARGET TITLE MODE`: presses Enter and waits up to 20 s
# for the capture MODE to differ from the picture TITLE (the mode screen).
# Leaves the count of pixels that differ in changed.
enter_mode_screen() {
  hold_key Return
  changed=0
  for _ in $(seq 1 40); do
    sleep 0.5
    import -window "$1" "$3" || fail "cannot capture the mode screen"
    changed=$(compare -metric AE "$2" "$3" null: 2>&1 | cut -d' ' -f1)
    [ "${changed%.*}" -gt 1000 ] && break
  done
  [ "${changed%.*}" -gt 1000 ] || fail "Enter did not change the picture ($changed pixels differ)"
}

# `game_ends_within TENTHS`: waits that many tenths of a second at most for
# the game to end; false while it still runs, else its exit status is in rc
# and it has left GAME_PIDS.
game_ends_within() {
  local kept="" id
  for _ in $(seq 1 "$1"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  rc=$?
  for id in $GAME_PIDS; do
    [ "$id" = "$pid" ] || kept="$kept $id"
  done
  GAME_PIDS=$kept
}

# Presses Escape: the game ends within 10 s, with 0.
escape_ends_game() {
  hold_key Escape
  game_ends_within 100 || fail "Escape did not end the game"
  [ "$rc" -eq 0 ] || fail "the game ended with $rc"
}
