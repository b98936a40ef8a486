#!/usr/bin/env bash
# Prepares the private Wine prefix for tests (once) and starts a persistent
# wineserver, so that each test process starts in tens of milliseconds.
# Stop it afterwards with: scripts/wine-stop.sh
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

if [ ! -f "$WINEPREFIX/.zevo-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    # Headless: the null driver lets dialogs run without a display.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zevo-ready"
fi

wineserver -p 2>/dev/null || true  # already running is fine
wine cmd /c exit >/dev/null 2>&1 || true
