#!/usr/bin/env bash
source "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
