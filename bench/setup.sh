#!/usr/bin/env bash
# Installs what the benchmarks need (the peers fdupes, jdupes and rdfind,
# and the benchmark library) and builds dubrinax-cli and the benchmark
# programs in build-bench. The normal build and test command does not need
# any of this.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/pakete.sh
pakete_sicherstellen g++ cmake make libbenchmark-dev fdupes jdupes rdfind

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDUBRINAX_BENCH=ON \
  -DDUBRINAX_GUI=OFF -DDUBRINAX_TESTS=OFF
cmake --build build-bench -j"$(nproc)" \
  --target dubrinax-cli bench_baum bench_boden bench_vergleich bench_hashtabelle
