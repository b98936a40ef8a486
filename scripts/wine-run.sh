#!/usr/bin/env bash
# Runs a Windows program under the test prefix. Wine's background processes
# inherit the caller's output pipe and would keep CTest waiting, so the
# program's output goes to a file and is printed once it has ended.
source "$(dirname "$0")/wine-env.sh"
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
