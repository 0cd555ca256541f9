#!/usr/bin/env bash
# Runs every test: a normal build, then the same tests (and the fuzz corpora) built with clang
# under AddressSanitizer and UndefinedBehaviorSanitizer, then the threaded parts under
# ThreadSanitizer. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)

echo "== tests =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer, fuzz corpora =="
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== threaded parts under ThreadSanitizer =="
CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_TSAN=ON -DVELMORA_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target test_sound
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -L test_sound -j"$jobs"
