#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine, printing their figures.
# Usage: bench/run.sh [values per pass]   (default 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target value_bench >/dev/null
trap scripts/wine-stop.sh EXIT
scripts/wine-prefix.sh
scripts/wine-run.sh build/windows/bench/value_bench.exe "${1:-10000}"
