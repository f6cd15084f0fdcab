#!/usr/bin/env bash
# Runs every benchmark executable of the build under its Wine prefix.
set -euo pipefail
build=$1
shopt -s nullglob
status=0
for exe in "$build"/bench/*.exe; do
  echo "== $(basename "$exe" .exe)"
  (cd "$(dirname "$exe")" && "$build/wine-run.sh" "$exe") || status=1
done
exit $status
