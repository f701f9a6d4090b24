#!/usr/bin/env bash
# Installs what is missing, builds the benchmark program in Release and runs it: it lays down
# 1,000 to 100,000 contracts and 10,000 vehicles in a temporary folder, measures, prints the
# table and removes the data. Exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DROTAFLUX_BUILD_TESTS=OFF -DROTAFLUX_BUILD_BENCH=ON
cmake --build build/bench -j"$(nproc)" --target rotaflux_bench
exec build/bench/bench/rotaflux_bench "$@"
