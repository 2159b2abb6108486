#!/usr/bin/env bash
# Builds the benchmark programs and runs every measure, each beside its floor
# and its peers in the same run (the machines are noisy: a ratio within one
# run holds, an absolute time does not). No measure is a test; nothing here
# fails on a missed target. Ends with one "bench:" line per measure; the logs
# and a Markdown table of this run go to build/bench/.
#   scripts/bench.sh [build dir]      (make bench: build/)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

dir=${1:-build}
out=$dir/bench
targets=(roundtrip_bench qt_serial_peer wire_paced_bench window_wire_bench bulk_write_bench
         port_list_bench startup_bench cli_read_bench history_bench raceday_bench)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX14_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$dir" --target "${targets[@]}"
mkdir -p "$out"
rm -f "$out"/*.log

pids=()
scratch=$(mktemp -d)
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Qt's start-up wants a private runtime directory; without one it warns on
# every launch.
export XDG_RUNTIME_DIR=$scratch
chmod 700 "$scratch"

machine() {
  local cpu
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
  echo "machine: ${cpu:-unknown cpu}, $(nproc) cores, Linux $(uname -r)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), load $(cut -d' ' -f1-3 /proc/loadavg)"
}

logs=()
run() {  # run <log name> <command...>; a failing measure does not stop the others
  echo "== $1: ${*:2}"
  logs+=("$out/$1.log")
  "${@:2}" 2>&1 | tee "$out/$1.log" || echo "bench.sh: $1 failed (status ${PIPESTATUS[0]})"
}

machine | tee "$out/machine.txt"
run roundtrip "$dir/bench/roundtrip_bench"
run wire_paced "$dir/bench/wire_paced_bench"
run window_wire "$dir/bench/window_wire_bench"
run bulk_write "$dir/bench/bulk_write_bench"
run port_list "$dir/bench/port_list_bench"
run wine_roundtrip ./scripts/windows-test.sh --bench "$dir" build-windows
run cli_read "$dir/bench/cli_read_bench"
run history "$dir/bench/history_bench"
run raceday "$dir/bench/raceday_bench"

# The start-up measure needs a real X server: a private Xvfb, whatever
# display the caller has, so that no window manager or compositor takes part.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
DISPLAY=:$(cat "$scratch/display") run startup "$dir/bench/startup_bench"
echo "load after the run: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$out/machine.txt"

echo "== summary ($(date -u +%Y-%m-%dT%H:%MZ))"
cat "${logs[@]}" | grep '^bench: ' | tee "$out/summary.txt"
{
  echo "| measure | ours | floor | qt | pyserial | ratio | target | |"
  echo "|---|---|---|---|---|---|---|---|"
  sed -E 's/^bench: //' "$out/summary.txt" | while read -r measure rest; do
    field() { sed -nE "s/.*(^| )$1=([^ ]+).*/\2/p" <<<"$rest"; }
    echo "| $measure | $(field ours) | $(field floor) | $(field qt) | $(field pyserial)" \
      "| $(field ratio) | $(field target) | ${rest##* } |"
  done
  echo
  cat "$out/machine.txt"
} >"$out/results.md"
echo "bench.sh: table of this run in $out/results.md"
