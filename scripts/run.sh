#!/usr/bin/env bash
# Builds Velmora and runs it from the repository root, where data/ lies.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target velmora-snap
# Until the window exists, the world is loaded headless and its figures shown.
exec build/velmora-snap --stats "$@"
