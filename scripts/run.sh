#!/usr/bin/env bash
# Builds the programs and runs the main job: the utility's window against the
# simulated board, or against the serial device given as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
if [ $# -gt 0 ]; then
  args=(--com 1="$1")
else
  args=(--simulate)
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop to show the window on: probe the board from the command line instead.
  echo "no display; probing the board with vantrel-cli (start a desktop session for the window)" >&2
  exec build/vantrel/cli/vantrel-cli "${args[@]}" --trace probe
fi
exec build/vantrel/app/vantrel "${args[@]}"
