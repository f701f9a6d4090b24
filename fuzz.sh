#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-behaviour sanitizers
# and runs each for the given number of seconds (60 by default), starting from its seed corpus.
# New inputs that find new paths are kept in build/fuzz/corpus/<target>; crashes and undefined
# behaviour are written to build/fuzz/ and stop the run with a non-zero exit.
set -euo pipefail
cd "$(dirname "$0")"
seconds="${1:-60}"
./scripts/install-deps.sh
if ! command -v clang++-14 >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then apt-get install -y clang-14 libclang-rt-14-dev; else sudo apt-get install -y clang-14 libclang-rt-14-dev; fi
fi
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROTAFLUX_BUILD_TESTS=OFF \
    -DROTAFLUX_BUILD_FUZZ=ON
targets=(records ini password backup customers season today board)
cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$target"
    echo "== fuzz_$target for ${seconds}s"
    # Undefined behaviour stops the run like a crash, instead of being printed and passed over.
    (cd build/fuzz && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        QT_QPA_PLATFORM=offscreen \
        "./fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=20000 "corpus/$target" "../../fuzz/corpus/$target")
done
