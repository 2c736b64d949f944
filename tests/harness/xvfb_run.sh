#!/bin/sh
# Runs a test on an X server of its own (Xvfb) with one screen of the given
# size, as a user's desktop draws it where the offscreen platform only
# imitates one:   xvfb_run.sh 1366x768 <test> [arguments]
set -u
size=$1
shift
dir=$(mktemp -d)
# The server picks a free display itself and names it once it takes clients.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
tries=0
while [ ! -s "$dir/display" ] && [ $tries -lt 100 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$dir/log" >&2
  kill "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit 1
fi
DISPLAY=":$(cat "$dir/display")" QT_QPA_PLATFORM=xcb "$@"
rc=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$dir"
exit $rc
