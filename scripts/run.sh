#!/usr/bin/env bash
# Builds kx14-manager and starts it with a simulated device attached: the
# simulator registers itself as a user-defined COM port, so the port list
# shows it beside any real serial device of this machine.
# Without a display it starts the program on a virtual X display, saves a
# screenshot and runs until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh build
bin=build

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$bin/tools/kx14-devsim" &
pids+=($!)
sleep 0.5

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): starting a virtual X display"
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  "$bin/app/kx14-manager" &
  pids+=($!)
  xdotool search --sync --name "KX-14 Quovi Manager" >/dev/null
  sleep 1
  shot=$PWD/build/run-screenshot.png
  import -window root "$shot"
  echo "run: kx14-manager runs on virtual display $DISPLAY; screenshot saved to $shot"
  echo "run: press Ctrl+C to stop"
  wait "${pids[-1]}"
else
  "$bin/app/kx14-manager"
fi
