#!/usr/bin/env bash
# A small full disk for the fault tests under Wine: a 256 KiB tmpfs mounted
# at build/fulldisk and seen by the test prefix as drive F:.
# Usage: scripts/fulldisk.sh setup | cleanup
# Without the right to mount (not root), setup leaves no F: and the tests
# that need it skip themselves.
set -u
source "$(dirname "$0")/wine-env.sh"
folder="$zevo_root/build/fulldisk"
drive="$WINEPREFIX/dosdevices/f:"
case "${1:-}" in
setup)
    mkdir -p "$folder"
    mountpoint -q "$folder" || mount -t tmpfs -o size=256k tmpfs "$folder" 2>/dev/null || exit 0
    rm -rf "${folder:?}"/*
    ln -sfn "$folder" "$drive"
    ;;
cleanup)
    rm -f "$drive"
    mountpoint -q "$folder" && umount "$folder"
    ;;
esac
exit 0
