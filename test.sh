#!/usr/bin/env bash
# Installs what is missing, builds Rotaflux with its tests and runs every test on the offscreen
# platform. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DROTAFLUX_BUILD_TESTS=ON -DROTAFLUX_BUILD_BENCH=ON
cmake --build build/test -j"$(nproc)"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900 --label-exclude stress
