#!/usr/bin/env bash
# Starts the client under Wine against the local demo site.
set -euo pipefail
build=$1
exe=$build/app/Zeltavue.exe
[ -f "$exe" ] || { echo "run-demo: $exe was not built" >&2; exit 1; }
cd "$(dirname "$exe")"
exec bash "$(dirname "$0")/with-display.sh" "$build/wine-run.sh" "$exe"
