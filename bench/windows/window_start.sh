#!/usr/bin/env bash
# Starts a Windows program under Wine and returns once its window is on the
# (X) display, then ends it: time the whole call to get the start-up time.
#   bench/windows/window_start.sh PROGRAM.exe 'WINDOW TITLE'
# Needs DISPLAY, and WINEPREFIX pointing at a booted prefix with a running
# wineserver (wineserver -p), so that the prefix's boot is not counted.
set -euo pipefail
program=$1 title=$2
wine "$program" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 600); do  # at most 30 s
  if xdotool search --name "$title" >/dev/null 2>&1; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit 0
  fi
  sleep 0.05
done
kill "$pid" 2>/dev/null || true
echo "window_start: no window \"$title\" within 30 s" >&2
exit 1
