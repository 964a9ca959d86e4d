#!/usr/bin/env bash
# Builds the Debian package in build-package/ and prints its path.
# Install it with: sudo apt-get install ./build-package/<file>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls build-package/ojn-tevrik-editor_*.deb
