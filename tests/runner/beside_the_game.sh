#!/bin/bash
# beside_the_game.sh <vantris> <vantris_runner> <key script> <work folder>:
# the game runs headless, as a player may start it, and holds its
# single-instance lock.  A second game must be refused; two runners started
# together beside it must both play their frames and end with 0; and the game
# must still run and hold its lock after them.
set -u
game=$1
runner=$2
keys=$3
work=$4
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"
lock="$XDG_RUNTIME_DIR/VANTRIS_ElMutex-$(id -u).lock"

fail() {
  echo "beside_the_game: $*" >&2
  for log in "$work"/*.txt; do
    echo "--- ${log##*/}:" >&2
    cat "$log" >&2
  done
  exit 1
}

# True while process $1 holds a whole-file lock on the lock file.  Read from
# the kernel's list, so that looking never takes the lock from under the game.
holds_lock() {
  [ -e "$lock" ] || return 1
  grep -q "FLOCK .* $1 [0-9a-f:]*:$(stat -c %i "$lock") " /proc/locks
}

"$game" --headless >"$work/game_out.txt" 2>"$work/game_err.txt" &
game_pid=$!
GAME_PIDS=$game_pid
for _ in $(seq 1 300); do
  holds_lock "$game_pid" && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start-up"
  sleep 0.1
done
holds_lock "$game_pid" || fail "the game does not hold its lock"

timeout 60 "$game" --headless >"$work/second_out.txt" 2>"$work/second_err.txt"
[ $? -eq 0 ] || fail "the second game did not end at once with 0"
grep -qx 'vantris: VANTRIS is already running (its window cannot be brought forward: the headless backend sees no display)' \
  "$work/second_err.txt" ||
  fail "the second game was not refused"

# The runners' ids are in GAME_PIDS until they are reaped, so that a failure
# ends them with the game.
for run in 1 2; do
  "$runner" --frames 150 --script "$keys" --shot 149 --out "$work/run$run" \
    >"$work/run${run}_out.txt" 2>"$work/run${run}_err.txt" &
  runner_pid[run]=$!
  GAME_PIDS+=" $!"
done
for _ in $(seq 1 1200); do
  kill -0 "${runner_pid[1]}" 2>/dev/null || kill -0 "${runner_pid[2]}" 2>/dev/null || break
  sleep 0.1
done
for run in 1 2; do
  kill -0 "${runner_pid[run]}" 2>/dev/null && fail "runner $run still runs after 120 s"
done
for run in 1 2; do
  wait "${runner_pid[run]}"
  status[run]=$?
done
GAME_PIDS=$game_pid
for run in 1 2; do
  [ "${status[run]}" -eq 0 ] || fail "runner $run ended with ${status[run]}"
  grep -q '^ran 150 frames, scene 2$' "$work/run${run}_out.txt" ||
    fail "runner $run did not play its 150 frames into stage 1"
  [ -s "$work/run$run/frame_000149.bmp" ] || fail "runner $run wrote no screenshot"
  cat "$work/run${run}_out.txt"
done

kill -0 "$game_pid" 2>/dev/null || fail "the game ended beside the runners"
holds_lock "$game_pid" || fail "the game lost its lock"
kill -TERM "$game_pid"
wait "$game_pid"
GAME_PIDS=""
echo "beside_the_game: a second game refused, two runners ended with 0 beside the game"
