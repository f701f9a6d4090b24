#!/usr/bin/env bash
# Installs what is missing, builds Rotaflux in Release, lays it into the program folder
# ./Rotaflux (executable, password file on first install, help document) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DROTAFLUX_BUILD_TESTS=OFF
cmake --build build/release -j"$(nproc)"
cmake --install build/release --prefix "$PWD/Rotaflux"
exec "$PWD/Rotaflux/Rotaflux"
