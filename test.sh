#!/usr/bin/env bash
# Builds everything and runs every test: the normal build with the window,
# and the core once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/pakete.sh
pakete_sicherstellen "${BAUPAKETE[@]}" libgtest-dev libgmock-dev xvfb xauth x11-utils libx11-dev

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUBRINAX_TESTS=ON -DDUBRINAX_GUI=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDUBRINAX_SANITIZE=ON -DDUBRINAX_GUI=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"
