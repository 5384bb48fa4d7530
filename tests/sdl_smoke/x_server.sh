#!/bin/bash
# x_server.sh <Xvfb> <W>x<H>[x<D>] <command> [argument...]: runs the command
# in a virtual X server of its own, whose screen is W x H at D bits a pixel
# (24 where not given).  The server picks a free display itself and says
# which (so that tests run side by side never share one, as two `xvfb-run -a`
# started together may), and does not reset when its last client leaves (a
# client connecting during a reset, as the game may just after a tool's
# query, is turned away); it ends with the command, whose status is the
# script's (with what the server said, on failure).
set -u
xvfb=$1
size=$2
[[ $size == *x*x* ]] || size="${size}x24"
shift 2
folder=$(mktemp -d /tmp/vantris-x-XXXXXX) || exit 1
exec 3>"$folder/display"
"$xvfb" -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset >"$folder/xvfb.txt" 2>&1 &
server=$!
exec 3>&-
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 1 100); do
  [ -s "$folder/display" ] && break
  sleep 0.1
done
if ! [ -s "$folder/display" ]; then
  echo "x_server: the X server did not start" >&2
  cat "$folder/xvfb.txt" >&2
  exit 1
fi
display=":$(head -n 1 "$folder/display")"
DISPLAY=$display "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "x_server: the command failed on display $display; the X server said:" >&2
  cat "$folder/xvfb.txt" >&2
fi
exit "$status"
