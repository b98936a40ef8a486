#!/usr/bin/env bash
# Builds the benchmarks and runs them, printing their figures:
# the interpreter natively (optimised), the per-value registry work under Wine.
# Usage: bench/run.sh [values per pass for the registry benchmark]   (default 10000)
# ZEVO_BENCH_REPEATS sets how often each Fast run is timed (default 3);
# ZEVO_BENCH_CPU=N puts the Wine server and the timed programs on CPU N alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

echo "== interpreter, in-memory registry (native, optimised)"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZEVO_TESTS=OFF >/dev/null
cmake --build build/bench -j"$(nproc)" --target interpreter_bench >/dev/null
(cd build/bench && ./bench/interpreter_bench)

echo "== registry values under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target value_bench registry_loop responsiveness zevo zevoc interpreter_bench >/dev/null
trap scripts/wine-stop.sh EXIT
scripts/wine-prefix.sh
scripts/wine-run.sh build/windows/bench/value_bench.exe "${1:-10000}"

echo "== interpreter, in-memory registry, built for Windows (Wine)"
(cd build/windows && ../../scripts/wine-run.sh bench/interpreter_bench.exe)

echo "== a Fast run of zevo.exe beside regedit /s and a bare registry loop (Wine)"
[ -x /usr/bin/time ] || scripts/install-deps.sh time
python3 bench/fast_run.py "${ZEVO_BENCH_REPEATS:-3}"

echo "== the dialog during a Fast run of 100,000 values (Wine)"
python3 bench/fast_run.py --responsive
