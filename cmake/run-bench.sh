#!/usr/bin/env bash
# Runs every benchmark executable of the build under its Wine prefix, then measures the
# running client against the demo site.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shopt -s nullglob
status=0
for exe in "$build"/bench/*.exe; do
  echo "== $(basename "$exe" .exe)"
  (cd "$(dirname "$exe")" && "$build/wine-run.sh" "$exe") || status=1
done
echo "== client"
python3 "$root/tools/demo/figures.py" "$build" || status=1
exit $status
