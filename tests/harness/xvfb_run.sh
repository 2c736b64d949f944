#!/bin/sh
# Runs a test on an X server of its own (Xvfb) with one screen of the given
# size, as a user's desktop draws it where the offscreen platform only
# imitates one:   xvfb_run.sh 1366x768 <test> [arguments]
set -u
# Nor does the test meet the desktop's session bus: Qt's accessibility
# bridge (and its global menu, tray and ibus input) would talk to the
# user's bus, and to whatever listens there, through libdbus from a thread
# of Qt's own. libdbus connects to no address "disabled:", so it neither
# joins that bus nor launches one on the test's display; the tests need
# none.
DBUS_SESSION_BUS_ADDRESS=disabled:
export DBUS_SESSION_BUS_ADDRESS
unset DBUS_STARTER_ADDRESS DBUS_STARTER_BUS_TYPE QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_IM_MODULE
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
