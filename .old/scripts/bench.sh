#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs them: chart open and save
# against raw read and write+fsync, picture decoding, peak memory with a
# 256 MiB chart open, the Music Folder window reading 10,000 charts against
# the model's own folder check, start-up against a minimal Qt window.
# Charts are made in build-bench/data (about 1 GiB free space needed).
# Start-up is also measured under X (Xvfb) when xvfb-run is there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-bench --target ojn_bench
echo "machine: $(nproc) cores, $(free -g | awk '/^Mem:/{print $2}') GiB memory, $(df -h build-bench | awk 'NR==2{print $1, $2}') disk"
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bench/ojn_bench build-bench/data
fi
exec build-bench/bench/ojn_bench build-bench/data
