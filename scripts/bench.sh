#!/usr/bin/env bash
# Builds and runs the benchmarks; they print their figures (not part of the test run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)" | tail -n 1
export QT_QPA_PLATFORM=offscreen
for i in 1 2 3; do build/bench_startup; done
build/bench_console
build/bench_flood
build/bench_flood 500 30 1350
