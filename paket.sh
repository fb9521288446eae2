#!/usr/bin/env bash
# Builds the Debian package build-release/dubrinax_<version>_amd64.deb from a
# Release build; its library dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/pakete.sh
pakete_sicherstellen "${BAUPAKETE[@]}" dpkg-dev file

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DDUBRINAX_TESTS=OFF -DDUBRINAX_GUI=ON -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-release -j"$(nproc)"
(cd build-release && cpack -G DEB)
paket=$(ls build-release/dubrinax_*_*.deb)
echo "Built $paket; install it with: sudo apt-get install ./$paket"
