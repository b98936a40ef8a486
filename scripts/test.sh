#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively under
# AddressSanitizer and UBSan, the Windows build under Wine, and the fuzzers.
# Installs what is missing on a fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh

echo "== native (AddressSanitizer + UBSan)"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$jobs"
ctest --preset native-asan -j"$jobs" --timeout 120

echo "== windows (MinGW-w64, tests under Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
trap scripts/wine-stop.sh EXIT
scripts/wine-prefix.sh
ctest --preset windows -j"$jobs" --timeout 120

echo "== fuzzing"
scripts/fuzz.sh "${ZEVO_FUZZ_SECONDS:-30}"
