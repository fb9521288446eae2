#!/usr/bin/env bash
# Builds the Debian package build-release/dubrinax_<version>_amd64.deb from a
# Release build; its library dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/pakete.sh
pakete_sicherstellen "${BAUPAKETE[@]}" dpkg-dev file

# The hardening a Debian package build gets from dpkg-buildflags: stack
# protector, fortified libc calls, format checks, a read-only relocation
# table bound at start (relro, now) and a position-independent executable
# (the compiler's default here). "+all" asks for bindnow as well, which is
# not on by default. CMake does not read CPPFLAGS, so they go with CXXFLAGS;
# the Release type's -O3 comes after the -O2 in them and wins.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DDUBRINAX_TESTS=OFF -DDUBRINAX_GUI=ON -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build build-release -j"$(nproc)"
(cd build-release && cpack -G DEB)
paket=$(ls build-release/dubrinax_*_*.deb)
echo "Built $paket; install it with: sudo apt-get install ./$paket"
# Debian's own checker, where it is installed: errors and warnings are what
# a distribution would refuse the package for.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$paket"
  echo "lintian: no errors, no warnings"
fi
