#!/usr/bin/env bash
# Runs the richest example program built so far. Live (SDL2) when a display exists, otherwise
# headless, where the examples write a PNG and say where.
set -euo pipefail
build=${1:-build/release}
for demo in kelgrid-demo widgets-demo; do
  program=$(find "$build/examples" -type f -name "$demo" -perm -u+x 2>/dev/null | head -n 1)
  if [ -n "$program" ]; then
    exec "$program"
  fi
done
echo "No example program exists yet: the library and its tests are built in $build."
