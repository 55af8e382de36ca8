#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > build.log 2>&1 || { cat build.log; exit 1; }
cmake --build build -j"$(nproc)" 2>&1 | tail -n 5
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300
