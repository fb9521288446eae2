#!/usr/bin/env bash
# Builds the program and starts its window.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/pakete.sh
pakete_sicherstellen "${BAUPAKETE[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUBRINAX_TESTS=OFF
cmake --build build -j"$(nproc)" --target dubrinax dubrinax-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: start it under a virtual one with  xvfb-run -s '-screen 0 1024x768x24' ./run.sh"
  exit 1
fi
exec build/app/dubrinax
