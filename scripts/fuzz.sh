#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds="${1:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null

for target in reader run command_line; do
    work="$root/build/fuzz/corpus-$target"
    mkdir -p "$work"
    echo "fuzz_$target: ${seconds}s"
    # Seeds from the repo, new finds in the build folder.
    log="$root/build/fuzz/fuzz_$target.log"
    rc=0
    "$root/build/fuzz/fuzz/fuzz_$target" "$work" "$root/fuzz/corpus/$target" \
        -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$root/build/fuzz/" >"$log" 2>&1 || rc=$?
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
    if [ $rc -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz_$target found a failure (exit $rc); the input is saved as $root/build/fuzz/crash-*"
        exit 1
    fi
done
