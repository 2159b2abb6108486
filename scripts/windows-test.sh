#!/usr/bin/env bash
# Runs the Windows test programs under Wine against the Linux simulator:
# kx14-devsim (from the Linux build) on a pseudo-terminal, linked into a
# private Wine prefix as a COM port and entered in the registry's SERIALCOMM
# key. One prefix and one Wine server serve the whole run. Prints
# "windows: N passed, N failed"; exit status 1 when any failed. With --bench
# it runs the round-trip benchmark under Wine instead (make bench).
#   scripts/windows-test.sh [--bench] [linux-build] [windows-build]
set -euo pipefail
[ -n "${KX14_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
bench=false
if [ "${1:-}" = --bench ]; then
  bench=true
  shift
fi
linux=${1:-build}
# Wine maps Windows (UTF-16) file names to Unix ones in the locale's charset:
# in the C locale a name such as 車12.json cannot be created. C.UTF-8 is on
# every Debian system, so the run never depends on the caller's locale.
export LC_ALL=C.UTF-8
win=${2:-build-windows}
com=42

./scripts/windows-build.sh "$win"
if [ ! -x "$linux/tools/kx14-devsim" ]; then
  [ -f "$linux/build.ninja" ] || cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$linux" --target kx14-devsim
fi

run_dir=$(mktemp -d "$PWD/$win/wine-run.XXXXXX")
export WINEPREFIX=$PWD/$win/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Console programs only: no display, no dialogs.
unset DISPLAY WAYLAND_DISPLAY

devsim_pid=
cleanup() {
  exec 3>&- 2>/dev/null || true
  [ -n "$devsim_pid" ] && kill "$devsim_pid" 2>/dev/null && wait "$devsim_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$run_dir"
}
trap cleanup EXIT

# A 64-bit-only Wine (no wine32) creates the prefix but reports the 32-bit
# parts it could not set up: its status is not the measure, the prefix is.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w  # the registry files are written when the server ends
  [ -f "$WINEPREFIX/system.reg" ] || { echo "windows: wineboot could not create $WINEPREFIX"; exit 1; }
fi
# The SERIALCOMM key is volatile: it lives as long as the Wine server.
wineserver -p >/dev/null 2>&1

# The simulator registers its pty in a private ports directory; its control
# pipe stays open for writing (fd 3) so it never sees the end of its input.
mkfifo "$run_dir/control"
XDG_CONFIG_HOME=$run_dir/config "$linux/tools/kx14-devsim" --com "$com" \
  --log "$run_dir/devsim.log" <"$run_dir/control" >"$run_dir/devsim.out" 2>&1 &
devsim_pid=$!
exec 3>"$run_dir/control"
for _ in $(seq 100); do grep -q '^port ' "$run_dir/devsim.log" 2>/dev/null && break; sleep 0.05; done
pty=$(awk '/^port /{print $3; exit}' "$run_dir/devsim.log")
[ -n "$pty" ] || { echo "windows: the simulator did not start"; cat "$run_dir/devsim.out"; exit 1; }
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$com"
wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v "KX14Test$com" /t REG_SZ /d "COM$com" /f \
  >/dev/null 2>&1

wine_path() { printf 'Z:%s' "${1//\//\\}"; }
export KX14_WINE_COM=COM$com
export KX14_DEVSIM_CONTROL=$(wine_path "$run_dir/control")
export KX14_DEVSIM_LOG=$(wine_path "$run_dir/devsim.log")

if $bench; then
  wine "$win/bench/windows/win32_roundtrip_bench.exe"
  exit
fi

passed=0
failed=0
echo "windows: running the tests" >&2
for exe in "$win"/tests/windows/*.exe; do
  log=$run_dir/$(basename "$exe").log
  timeout 240 wine "$exe" --gtest_color=no >"$log" 2>&1 && status=0 || status=$?
  ok=$(grep -c '^\[       OK \]' "$log" || true)
  bad=$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)$' "$log" || true)
  # A program that died without its summary counts as one failure.
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  passed=$((passed + ok))
  failed=$((failed + bad))
  if [ "$bad" -ne 0 ]; then
    echo "--- $(basename "$exe") (exit $status)"
    grep -v '^\[       OK \]\|^\[ RUN      \]' "$log" | tail -40
  fi
done
# kx14ctl.exe against the simulator, checked by its exit status and the
# simulator's frame log (only when the tree has the command line).
ctl=$win/cli/kx14ctl.exe
count_log() { grep -c "$1" "$run_dir/devsim.log" || true; }
check_ctl() {  # check_ctl <what> <log line that must be added> <kx14ctl arguments...>
  local what=$1 expect=$2 before status
  shift 2
  before=$(count_log "$expect")
  timeout 60 wine "$ctl" --port "COM$com" "$@" >"$run_dir/ctl.out" 2>&1 && status=0 || status=$?
  if [ "$status" -eq 0 ] && [ "$(count_log "$expect")" -gt "$before" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "--- kx14ctl.exe $what: exit $status, no new \"$expect\" in the frame log"
    tail -5 "$run_dir/ctl.out"
  fi
}
if [ -f "$ctl" ]; then
  echo "mode normal" >&3
  backup=$(wine_path "$run_dir/backup.json")
  check_ctl read '^rx E5' read
  check_ctl "program --level 3" '^stored' program --level 3
  check_ctl backup '^rx E5' backup --output "$backup"
  check_ctl restore '^stored' restore --input "$backup"
fi

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
