#!/usr/bin/env bash
# Builds zevo.exe and runs it under Wine on examples/sample.zvd: in a window
# when there is a display, headless otherwise. Then shows what it changed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target zevo >/dev/null

display="${DISPLAY:-}"
source scripts/wine-env.sh
if [ -n "$display" ]; then
    # A prefix of its own with Wine's normal graphics driver.
    export WINEPREFIX="$zevo_root/build/wineprefix-display"
    export DISPLAY="$display"
    [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
else
    scripts/wine-prefix.sh
fi
trap 'wineserver -k 2>/dev/null || true' EXIT

sample="$WINEPREFIX/drive_c/ZEVO-SAMPLE"
mkdir -p "$sample"
cp examples/sample.zvd "$sample/sample.zvd"
echo "Running zevo.exe C:\\ZEVO-SAMPLE\\sample.zvd ..."
rc=0
timeout 120 wine build/windows/zevo.exe 'C:\ZEVO-SAMPLE\sample.zvd' >/dev/null 2>&1 || rc=$?
echo "zevo.exe ended with exit code $rc"
echo
echo "== Log file (C:\\ZEVO-SAMPLE\\sample.zvl)"
tr -d '\r' <"$sample/SAMPLE.ZVL"
echo
echo "== History file (C:\\ZEVO-SAMPLE\\sample.zvh, Shift-JIS shown as UTF-8)"
tr -d '\r' <"$sample/SAMPLE.ZVH" | iconv -f CP932 -t UTF-8
echo
echo "== Registry: HKEY_CURRENT_USER\\Software\\ZEVO Sample"
wine reg query 'HKCU\Software\ZEVO Sample' /s 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8 || true
echo "== Files in C:\\ZEVO-SAMPLE"
ls -R "$sample"
