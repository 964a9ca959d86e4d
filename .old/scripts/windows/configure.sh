#!/usr/bin/env bash
# Shared first steps of the Windows build and the Windows tests: installs
# the cross compilers and Wine when missing, builds Qt for Windows once
# (cached), and configures the cross build in build-windows/. Prints the
# Qt prefix on its last line.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/install-deps.sh windows >&2
qt="$(scripts/windows/build-qt.sh | tail -n 1)"
# Release: what the zip ships is what the tests run.
cmake -S . -B build-windows -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DCMAKE_BUILD_TYPE=Release -DOJN_BENCH=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/windows/wine-run.sh" >&2
echo "$qt"
