#!/usr/bin/env bash
# Builds kx14-manager and starts it with a simulated device attached: the
# simulator registers itself as a user-defined COM port in the user's own
# ports directory (~/.config/kx14-manager/ports), so the port list shows it
# beside any real serial device of this machine, and it removes its entry
# when it ends. Its frame log goes to the terminal.
# Without a display it starts the program on a virtual X display, saves a
# screenshot and runs until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only the window and the simulator (and the libraries they link): the tests,
# benchmarks and package data are the test command's business.
./scripts/build.sh build --target kx14-manager --target kx14-devsim
# Qt expects a UTF-8 locale (without one it warns at start and switches to
# C.UTF-8 itself); the caller's own one is kept when it is UTF-8 already.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi
bin=build

pids=()
cleanup() {
  # SIGTERM: the simulator removes its port entry on the way out.
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

frames=$PWD/build/devsim-frames.log
rm -f "$frames"
"$bin/tools/kx14-devsim" --log "$frames" </dev/null &
pids+=($!)
port=
for _ in $(seq 50); do
  port=$(grep -m1 '^port ' "$frames" 2>/dev/null | cut -d' ' -f2) && [ -n "$port" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.1
done
[ -n "$port" ] || { echo "run: the simulator did not start" >&2; exit 1; }
echo "run: simulated device on $port: choose $port in the COMM list, then press Read"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): starting a virtual X display"
  # Xvfb picks a free display itself and writes its number to the given fd.
  display_file=$(mktemp)
  exec 3>"$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] || { echo "run: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$display_file")
  rm -f "$display_file"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  "$bin/app/kx14-manager" &
  pids+=($!)
  timeout 30 xdotool search --sync --name "KX-14 Quovi Manager" >/dev/null ||
    { echo "run: the window did not appear" >&2; exit 1; }
  sleep 1  # its first paint
  shot=$PWD/build/run-screenshot.png
  import -window root "$shot"
  echo "run: kx14-manager runs on virtual display $DISPLAY; screenshot saved to $shot"
  echo "run: press Ctrl+C to stop"
  wait "${pids[-1]}"
else
  "$bin/app/kx14-manager"
fi
