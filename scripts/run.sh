#!/usr/bin/env bash
# Builds the programs and runs the main job: the utility against the simulated
# board, or against the serial device given as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
if [ $# -gt 0 ]; then
  exec build/vantrel/cli/vantrel-cli --com 1="$1" --trace probe
else
  exec build/vantrel/cli/vantrel-cli --simulate --trace probe
fi
