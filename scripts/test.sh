#!/usr/bin/env bash
# Runs every test: a normal build (unit, golden-image and windowed end-to-end tests), then the
# same tests and the fuzz corpora built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the threaded parts under ThreadSanitizer. Warnings are errors.
# Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
threaded=(test_sound test_characters test_shell)

echo "== tests =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer, fuzz corpora =="
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF -DVELMORA_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
# The windowed test drives GTK, whose own allocations are not the program's to answer for; the
# square's long walks replay the same code as the shorter snap and golden tests, ten times slower.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE 'e2e|test_square'

echo "== threaded parts under ThreadSanitizer =="
CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_TSAN=ON -DVELMORA_BENCH=OFF -DVELMORA_WERROR=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target "${threaded[@]}"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j"$jobs" \
    -L "$(IFS='|'; echo "${threaded[*]}")"
