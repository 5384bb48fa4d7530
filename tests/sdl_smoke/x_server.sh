#!/bin/bash
# x_server.sh <Xvfb> <W>x<H>[x<D>] <command> [argument...]: runs the command
# in a virtual X server of its own (start_x_server), whose screen is W x H at
# D bits a pixel (24 where not given); the server ends with the command,
# whose status is the script's (with what the server said, on failure).
set -u
xvfb=$1
size=$2
[[ $size == *x*x* ]] || size="${size}x24"
shift 2
source "$(dirname "$0")/../support/game_env.sh"
folder=$(mktemp -d /tmp/vantris-x-XXXXXX) || exit 1
x_server_pid=""
trap '[ -n "$x_server_pid" ] && { kill "$x_server_pid"; wait "$x_server_pid"; } 2>/dev/null
  rm -rf "$folder"' EXIT
if ! start_x_server "$xvfb" "$size" "$folder/xvfb.txt"; then
  echo "x_server: the X server did not start" >&2
  cat "$folder/xvfb.txt" >&2
  exit 1
fi
DISPLAY=$x_display "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "x_server: the command failed on display $x_display; the X server said:" >&2
  cat "$folder/xvfb.txt" >&2
fi
exit "$status"
