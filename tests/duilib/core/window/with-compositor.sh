#!/usr/bin/env bash
# Runs a command while a compositing manager runs on the current X display, so that
# layered windows blend their translucent pixels on screen; stops it afterwards.
set -u
xcompmgr >/dev/null 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null' EXIT
"$@"
