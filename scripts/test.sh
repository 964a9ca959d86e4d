#!/usr/bin/env bash
# Builds everything and runs every test; ends with CTest's summary and a
# non-zero exit when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure
