#!/usr/bin/env bash
# A save is durable only when the new file reaches the disk before it
# replaces the old one, and the replacement itself reaches the disk after.
# Runs real saves under strace and checks the order of the system calls:
# the temporary file is written, then fsync'd, then renamed over the
# target, then the target's folder is fsync'd.
# Usage: check_durable_save.sh <ojn-header> <save_chart_helper> <make_sample_chart>
set -euo pipefail
ojn_header=$1 save_helper=$2 make_chart=$3

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
dir=$(cd "$dir" && pwd -P)
"$make_chart" "$dir/source.ojn"

failures=0
check() {
    local name=$1 target=$2
    shift 2
    cp "$dir/source.ojn" "$target"
    # -y names each descriptor's file, so the temporary file and the folder
    # can be told apart by path.
    strace -f -qq -y -o "$dir/trace" \
        -e trace=write,pwrite64,writev,fsync,fdatasync,rename,renameat,renameat2 "$@" >/dev/null
    if awk -v target="$target" -v folder="$dir" '
        / = -?[0-9]+/ {
            if ($0 ~ /(write|pwrite64|writev)\([0-9]+<[^>]*\.saving>/) { wrote = NR }
            else if ($0 ~ /f(data)?sync\([0-9]+<[^>]*\.saving>\) += 0$/) { synced = NR }
            else if ($0 ~ /rename/ && index($0, ".saving\"") && index($0, "\"" target "\"") && / = 0$/) { renamed = NR }
            else if (index($0, "sync(") && index($0, "<" folder ">)") && / = 0$/) { folderSynced = NR }
        }
        END {
            if (!wrote) { print "no write to a temporary file"; exit 1 }
            if (!(synced > wrote)) { print "the new file was not fsync'\''d after its last write"; exit 1 }
            if (!(renamed > synced)) { print "the new file was not renamed over the target after its fsync"; exit 1 }
            if (!(folderSynced > renamed)) { print "the folder was not fsync'\''d after the rename"; exit 1 }
        }' "$dir/trace"; then
        echo "ok: $name"
    else
        echo "FAILED: $name; the traced calls were:"
        cat "$dir/trace"
        failures=$((failures + 1))
    fi
}

check "ojn-header set --output" "$dir/set.ojn" "$ojn_header" set "$dir/source.ojn" --title "Durable" --output "$dir/set.ojn"
check "the editor's chart save" "$dir/saved.ojn" "$save_helper" "$dir/source.ojn" "$dir/saved.ojn"
[ "$failures" -eq 0 ]
