#!/usr/bin/env bash
# Builds everything and runs every test: the normal build with the window,
# the core once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the core with the command-line front end for Windows, under Wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/pakete.sh
pakete_sicherstellen "${BAUPAKETE[@]}" libgtest-dev libgmock-dev xvfb xauth x11-utils libx11-dev \
  g++-mingw-w64-x86-64-posix wine64 googletest desktop-file-utils appstream man-db dpkg-dev file lintian \
  python3 # reads the exported lists back

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUBRINAX_TESTS=ON -DDUBRINAX_GUI=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDUBRINAX_SANITIZE=ON -DDUBRINAX_GUI=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The tests that run searches once more under ThreadSanitizer, for the
# threads of the search (about two minutes on two cores).
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUBRINAX_TSAN=ON -DDUBRINAX_GUI=OFF -DDUBRINAX_BENCH=OFF
cmake --build build-tsan -j"$jobs" --target test_suchvergleich test_deskriptorgrenze test_suche
ctest --test-dir build-tsan --output-on-failure -j"$jobs" -R '^test_(suchvergleich|deskriptorgrenze|suche)$'

# The core, dubrinax-cli.exe and the core tests built for Windows with
# MinGW-w64 and run under Wine (cmake/mingw-w64.cmake).
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DDUBRINAX_GUI=OFF -DDUBRINAX_BENCH=OFF
cmake --build build-windows -j"$jobs"
ctest --test-dir build-windows --output-on-failure -j"$jobs"
