#!/usr/bin/env bash
# Builds Velmora and starts its window from the repository root, where data/ lies.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target velmora velmora-snap
# Without a display the program says so and how to run it under xvfb-run.
exec build/velmora "$@"
