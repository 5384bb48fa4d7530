#!/bin/bash
# start_failure.sh <vantris> <work folder>: run inside an X server whose
# screen the game cannot draw on (8 bits a pixel).  Full screen and in a
# window, the game must end with 1 and one line that says why.
set -u
exe=$1
work=$2
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

for args in "--sdl" "--sdl --windowed"; do
  # shellcheck disable=SC2086  # the options as words
  timeout 60 "$exe" $args >"$work/stdout.txt" 2>"$work/stderr.txt"
  rc=$?
  said=$(cat "$work/stderr.txt")
  [ "$rc" -eq 1 ] || { echo "start_failure ($args): status $rc; said: $said" >&2; exit 1; }
  case "$said" in
    "vantris: cannot "*) ;;
    *) echo "start_failure ($args): not one line of why: $said" >&2; exit 1 ;;
  esac
  [ "$(wc -l <"$work/stderr.txt")" -eq 1 ] || { echo "start_failure ($args): $said" >&2; exit 1; }
  echo "start_failure ($args): status 1, $said"
done
