#!/usr/bin/env bash
# Runs a command with an X display: the caller's, or a private Xvfb when there is none.
# ZV_COMPOSITOR=1 also runs a compositing manager on that private display, so that
# translucent windows blend on screen as they would on a desktop.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then exec "$@"; fi
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if kill -0 "$xvfb" 2>/dev/null; then
    export DISPLAY=":$n"
    compositor=
    if [ "${ZV_COMPOSITOR:-}" = 1 ]; then
      xcompmgr >/dev/null 2>&1 &
      compositor=$!
    fi
    trap 'kill $compositor $xvfb 2>/dev/null || true' EXIT
    set +e
    "$@"
    rc=$?
    exit $rc
  fi
done
echo "with-display: no free X display" >&2
exit 1
