#!/usr/bin/env bash
# Builds everything and runs every test, three times: a normal build, a
# clang build with AddressSanitizer and UndefinedBehaviorSanitizer (where a
# leak, an overflow or undefined behaviour fails the run), which also fuzzes
# the chart reader, the song list reader, the note section walk and the CSV
# reader, and a build for 64-bit Windows run under Wine. Ends with CTest's
# summary of the Windows run and a non-zero exit when anything fails.
# --no-windows leaves the Windows run out, for a quicker run while working;
# CI and the README's command run everything.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=yes
case "${1:-}" in
    "") ;;
    --no-windows) windows=no ;;
    *) echo "Usage: $0 [--no-windows]" >&2; exit 2 ;;
esac
scripts/install-deps.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOJN_FUZZER=ON -DOJN_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"
cmake --build build-asan

# clang 14's tracking of dynamic TLS blocks misreads glibc 2.36's and can
# crash the leak checker itself at exit ("Tracer caught signal 11").
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0

# libFuzzer from each target's seeds: the chart reader for 60 seconds, the
# song list reader and the note section walk for 30 each, the CSV reader
# and the file kind sniffer for 20. Any crash, leak or sanitizer report stops it with a non-zero exit
# and leaves the input in build-asan/fuzz-findings.
findings=build-asan/fuzz-findings
rm -rf "$findings" && mkdir -p "$findings"
for target in chart_reader:60 song_list:30 note_sections:30 csv_reader:20 file_kind:20; do
    name=${target%%:*} seconds=${target##*:}
    corpus=build-asan/fuzz-corpus/$name log=build-asan/fuzz-$name.log
    rm -rf "$corpus"
    QT_QPA_PLATFORM=offscreen build-asan/fuzz/fuzz_seeds "$corpus" "$name"
    "build-asan/fuzz/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" "$corpus" 2> "$log" \
        || { tail -n 60 "$log"; echo "The $name fuzzer found a failing input in $findings."; exit 1; }
    grep -E "^(Done|stat::number_of_executed_units)" "$log"
done

ctest --test-dir build-asan --output-on-failure

# The same suite cross-built for Windows, under Wine (Qt for Windows is
# built once and cached).
[ "$windows" = no ] || scripts/windows/test-windows.sh
