# Sourced by the scripts that run the real program: `game_env <work folder>`
# empties the folder and runs the game in it as on a fresh machine (no sound
# device).  The runtime folder, where the lock goes and where the display
# libraries look for their sockets, is a fresh one under /tmp: short wherever
# the checkout lies (a socket's path has at most 107 bytes).  It is removed
# when the script ends, on failure and on a signal too, and the games whose
# ids the script put in GAME_PIDS are ended then if they still run.  It also
# gives `lit_pixels <picture>` to the scripts that capture the game's window,
# `game_copy` to those that damage its files, `start_x_server`,
# `start_openbox` and `start_helper_window` to those about the window system, and the steps of
# those that play it through its title (at the end).
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

# `start_x_server XVFB WxHxD LOG`: a virtual X server of its own with a
# W x H screen at D bits a pixel, its words in the file LOG.  It picks a free
# display itself (tests side by side never share one, as two `xvfb-run -a`
# started together may) and does not reset when its last client leaves (a
# client connecting during a reset, as the game may just after a tool's
# query, is turned away).  Waits up to 10 s for it to say its display: its
# process in x_server_pid, its display (":N") in x_display.  False when it
# did not start.
start_x_server() {
  local said
  said=$(mktemp /tmp/vantris-display-XXXXXX) || return 1
  "$1" -displayfd 3 -screen 0 "$2" -nolisten tcp -noreset >"$3" 2>&1 3>"$said" &
  x_server_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$said" ] && break
    sleep 0.1
  done
  x_display=""
  [ -s "$said" ] && x_display=":$(head -n 1 "$said")"
  rm -f "$said"
  [ -n "$x_display" ]
}

# Starts openbox on the display and waits up to 10 s for it to manage the
# screen (it says how many desktops there are); its id goes into GAME_PIDS
# and OPENBOX_PID.  False when it did not start.
start_openbox() {
  openbox --sm-disable >"${1:-/dev/null}" 2>&1 &
  OPENBOX_PID=$!
  GAME_PIDS="$GAME_PIDS $OPENBOX_PID"
  disown  # ended by game_env's cleanup, without a word from the shell
  for _ in $(seq 1 100); do
    xdotool get_num_desktops >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# `fail_saying NAME WHAT...`: says "NAME: WHAT" and the game's stderr so far,
# and ends the script with 1 (the scripts' `fail` on it).
fail_saying() {
  echo "$1: ${*:2}" >&2
  echo "--- stderr:" >&2
  cat "$work/stderr.txt" >&2 2>/dev/null
  exit 1
}

# The screen's size, in sw and sh.
screen_size() {
  read -r sw sh < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
    END { print w, h }')
}

# `window_place WINDOW`: where the window is on the screen and its size, in
# x, y, w and h.
window_place() {
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 }
    /Absolute upper-left Y:/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { print x, y, w, h }')
}

# `frame_extents WINDOW`: the frame a window manager gave the window, "left,
# right, top, bottom" (empty while it has not said).
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -o '[0-9, ]*$'
}

# `start_helper_window GEOMETRY`: another client's small window (xmessage)
# at GEOMETRY (e.g. +40+40), shown within 10 s; its id in helper, its
# process in helper_pid (and GAME_PIDS).  False when it did not show.
start_helper_window() {
  xmessage -geometry "$1" -title vantris-helper "another window" >/dev/null 2>&1 &
  helper_pid=$!
  GAME_PIDS="$GAME_PIDS $helper_pid"
  disown
  helper=$(timeout 10 xdotool search --sync --onlyvisible --name '^vantris-helper$' 2>/dev/null |
    head -n 1)
  [ -n "$helper" ]
}

# `run_game STDERR ARG...`: starts the game ($exe) with the arguments in the
# background, its standard error into the file STDERR, and waits up to 30 s
# for its window: its process in pid (and GAME_PIDS), its window in win.
run_game() {
  local said=$1
  shift
  "$exe" "$@" >"$work/stdout.txt" 2>"$said" &
  pid=$!
  GAME_PIDS="$GAME_PIDS $pid"
  find_game_window
}

# `start_game ARG...`: run_game with its standard error in $work/stderr.txt.
start_game() {
  run_game "$work/stderr.txt" "$@"
}

# The game's window in win, waiting up to 30 s for one to show.  SDL may
# make the window anew for its renderer just after showing it: a script
# that needs the one that stays looks again once the game has drawn (its
# title) or shown a box.  A search meeting a window as it goes may fail: it
# is tried again.
find_game_window() {
  win=""
  for _ in $(seq 1 150); do
    win=$(xdotool search --onlyvisible --name '^VANTRIS$' 2>/dev/null | tail -n 1)
    [ -n "$win" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its window showed"
    sleep 0.2
  done
  fail "no VANTRIS window appeared"
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
  for _ in $(seq 1 "$1"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  rc=$?
  forget_game
}

# The game ($pid) has ended and been waited for: it is not one of the
# processes the cleanup ends.
forget_game() {
  local kept="" id
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
