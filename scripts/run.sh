#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lenkaro. Without a display it runs on a virtual
# one, saves a screenshot and ends the program the way a closing session would.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$BUILD/src/app/lenkaro"
fi

SHOT="$BUILD/screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" & pid=$!
  sleep 3
  import -window root "$2"
  kill -TERM "$pid"
  wait "$pid"
' _ "$BUILD/src/app/lenkaro" "$SHOT"
echo "Screenshot: $SHOT"
