#!/usr/bin/env bash
# Runs the Windows test programs under Wine (on a private Xvfb display)
# against the Linux simulator:
# kx14-devsim (from the Linux build) on a pseudo-terminal, linked into a
# private Wine prefix as a COM port and entered in the registry's SERIALCOMM
# key. One prefix and one Wine server serve the whole run, on a display of
# its own (Xvfb). Then kx14ctl.exe against the simulator, the window program
# end to end (tests/windows/e2e/window_e2e.sh), and first the installer in a
# prefix of its own (tests/windows/installer_test.sh). Prints
# "windows: N passed, N failed"; exit status 1 when any failed. With --bench
# it runs the round-trip benchmark under Wine instead (make bench). The fault
# campaign and the soak of tests/faults run among the tests, and their
# "faults:" and "soak:" lines are printed; the soak runs 200 operations a seed,
# --long-soak 1000 as on Linux (KX14_SOAK_OPERATIONS and KX14_SOAK_SEED
# choose others). With --only "PROGRAM..." (test programs' target names, e.g.
# kx14_win32_window_suite) it builds and runs those programs alone: no
# installer, no kx14ctl.exe and no end-to-end stage.
#   scripts/windows-test.sh [--bench] [--long-soak] [--only "PROGRAM..."] [linux-build] [windows-build]
set -euo pipefail
[ -n "${KX14_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
bench=false
only=
soak_operations=${KX14_SOAK_OPERATIONS:-200}
exe_timeout=240  # seconds per test program
while [ $# -gt 0 ]; do
  case "$1" in
    --bench) bench=true ;;
    --long-soak) soak_operations=1000 exe_timeout=900 ;;
    --only) only=$2; shift ;;
    *) break ;;
  esac
  shift
done
export KX14_SOAK_OPERATIONS=$soak_operations
linux=${1:-build}
# Wine maps Windows (UTF-16) file names to Unix ones in the locale's charset:
# in the C locale a name such as 車12.json cannot be created. C.UTF-8 is on
# every Debian system, so the run never depends on the caller's locale.
export LC_ALL=C.UTF-8
win=${2:-build-windows}
com=42

if [ -n "$only" ]; then
  [ -f "$win/build.ninja" ] || { echo "windows: --only needs a configured $win (run scripts/windows-build.sh once)"; exit 1; }
  # shellcheck disable=SC2086 # one target per word
  cmake --build "$win" --target $only
else
  ./scripts/windows-build.sh "$win"
fi
if [ ! -x "$linux/tools/kx14-devsim" ]; then
  [ -f "$linux/build.ninja" ] || cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$linux" --target kx14-devsim
fi

run_dir=$(mktemp -d "$PWD/$win/wine-run.XXXXXX")
# No Mono or Gecko installer prompts, and no menu entries for the host.
export WINEPREFIX=$PWD/$win/wine-prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY

devsim_pid=
race_pids=()
xvfb_pid=
cleanup() {
  exec 3>&- 4>&- 6>&- 7>&- 8>&- 9>&- 2>/dev/null || true
  [ -n "$devsim_pid" ] && kill "$devsim_pid" 2>/dev/null && wait "$devsim_pid" 2>/dev/null
  for pid in "${race_pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$run_dir"
}
trap cleanup EXIT
# Stopped by the test command (another stage failed): still clean up.
trap 'exit 143' TERM INT

passed=0
failed=0
check() {  # check <what> <command...>: one test, passed when the command succeeds
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "--- $what: failed"
  fi
}
# Waits, at most $3 seconds, until the file $1 holds the text $2.
wait_file() {
  local deadline=$((SECONDS + $3))
  until grep -q "$2" "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
stage_time() { echo "windows: $1 took $((SECONDS - $2)) s" >&2; }

# The window tests need a display: a private virtual one, whatever the
# caller has (CI has none), so that nothing shows on a desktop. Xvfb picks a
# free display number and writes it to fd 5.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$run_dir/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$run_dir/display" ] && break; sleep 0.05; done
[ -s "$run_dir/display" ] || { echo "windows: Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 "$run_dir/display")

# A 64-bit-only Wine (no wine32) creates the prefix but reports the 32-bit
# parts it could not set up: its status is not the measure, the prefix is.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w  # the registry files are written when the server ends
  [ -f "$WINEPREFIX/system.reg" ] || { echo "windows: wineboot could not create $WINEPREFIX"; exit 1; }
fi

if ! $bench && [ -z "$only" ]; then
  # The installer in a copy of the prefix, taken while no server writes it.
  source tests/windows/installer_test.sh
  start=$SECONDS
  installer_test "$win/kx14-manager-windows-x86_64-setup.exe" \
    "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")"
  stage_time "the installer test" "$start"
fi
# The SERIALCOMM key is volatile: it lives as long as the Wine server, which
# is made persistent here. A server an earlier step started (the prefix's
# set-up) may still be waiting out its idle time, and a second one cannot
# start beside it: it is ended first.
wineserver -k >/dev/null 2>&1 || true
timeout 60 wineserver -w
wineserver -p >/dev/null 2>&1
# The window asks for the layout's ＭＳ Ｐゴシック and the Windows UI Gothic
# faces by name; Wine has none of them and would fall back to a monospaced
# face or boxes. They stand for the proportional IPA P Gothic here (Debian
# fonts-ipafont-gothic). The marker's number grows with the list, so that an
# existing prefix gets the new ones.
if [ ! -f "$WINEPREFIX/.kx14-font-substitutes-2" ]; then
  for face in "ＭＳ Ｐゴシック" "Yu Gothic UI" "Meiryo UI" "MS UI Gothic"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.kx14-font-substitutes-2"
fi

# With no window manager on the private display, Wine still waits for one
# whenever a managed window is shown or destroyed: about 2 s for each window
# the window test programs open (their shared suites open one per case, or
# per suite). Their windows are left unmanaged (Wine places them itself),
# which makes that 0.2 s; the end-to-end window stays managed, as a user's.
if [ ! -f "$WINEPREFIX/.kx14-unmanaged-window-tests-2" ]; then
  for exe in kx14_win32_window_suite.exe kx14_win32_window_test.exe kx14_win32_trackside_suite.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ \
      /d N /f >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.kx14-unmanaged-window-tests-2"
fi

# The simulator registers its pty in a private ports directory; its control
# pipe stays open for writing (fd 3) so it never sees the end of its input.
mkfifo "$run_dir/control"
start_devsim() {  # also after a test ended it (its pty closed under the port)
  rm -f "$run_dir/devsim.log"
  XDG_CONFIG_HOME=$run_dir/config "$linux/tools/kx14-devsim" --com "$com" \
    --log "$run_dir/devsim.log" <"$run_dir/control" >"$run_dir/devsim.out" 2>&1 &
  devsim_pid=$!
  [ "${1:-}" = first ] && exec 3>"$run_dir/control"
  for _ in $(seq 100); do grep -q '^port ' "$run_dir/devsim.log" 2>/dev/null && break; sleep 0.05; done
  pty=$(awk '/^port /{print $3; exit}' "$run_dir/devsim.log")
  [ -n "$pty" ] || { echo "windows: the simulator did not start"; cat "$run_dir/devsim.out"; exit 1; }
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$com"
}
start_devsim first
wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v "KX14Test$com" /t REG_SZ /d "COM$com" /f \
  >/dev/null 2>&1

wine_path() { printf 'Z:%s' "${1//\//\\}"; }
export KX14_WINE_COM=COM$com
export KX14_DEVSIM_CONTROL=$(wine_path "$run_dir/control")
export KX14_DEVSIM_LOG=$(wine_path "$run_dir/devsim.log")

# Four more simulators, each with its control pipe (held open on fds 6 to 9)
# and frame log: COM43 to COM45 are the adapters of the track-side suite,
# which lists each in SERIALCOMM only while it has it plugged in; COM46 is the
# fault campaign's and the soak's own (never listed), so that they run beside
# the programs that use COM42 or change the SERIALCOMM key.
for n in 1 2 3 4; do
  mkfifo "$run_dir/control_$n"
  XDG_CONFIG_HOME=$run_dir/config_$n "$linux/tools/kx14-devsim" --com $((com + n)) \
    --log "$run_dir/devsim_$n.log" <"$run_dir/control_$n" >/dev/null 2>&1 &
  race_pids+=($!)
  eval "exec $((5 + n))>\"\$run_dir/control_$n\""
  for _ in $(seq 100); do grep -q '^port ' "$run_dir/devsim_$n.log" 2>/dev/null && break; sleep 0.05; done
  pty=$(awk '/^port /{print $3; exit}' "$run_dir/devsim_$n.log")
  [ -n "$pty" ] || { echo "windows: simulator $n did not start"; exit 1; }
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$((com + n))"
  export "KX14_WINE_COM_$n=COM$((com + n))"
  export "KX14_DEVSIM_CONTROL_$n=$(wine_path "$run_dir/control_$n")"
  export "KX14_DEVSIM_LOG_$n=$(wine_path "$run_dir/devsim_$n.log")"
done

if $bench; then
  cmake --build "$win" --target win32_roundtrip_bench
  wine "$win/bench/windows/win32_roundtrip_bench.exe"
  exit
fi

skipped=0
echo "windows: running the tests" >&2
start=$SECONDS
run_exe() {  # one test program; adds its cases to the counts
  local exe=$1 log status ok bad began=$SECONDS
  log=$run_dir/$(basename "$exe").log
  timeout "$exe_timeout" wine "$exe" --gtest_color=no >"$log" 2>&1 && status=0 || status=$?
  stage_time "$(basename "$exe" .exe)" "$began"
  # Wine writes the console's line ends as CR LF; the counts below match LF.
  sed -i 's/\r$//' "$log"
  ok=$(grep -c '^\[       OK \]' "$log" || true)
  bad=$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)$' "$log" || true)
  skipped=$((skipped + $(grep -c '^\[  SKIPPED \] .* ([0-9]* ms)$' "$log" || true)))
  # A program that died without its summary counts as one failure.
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  passed=$((passed + ok))
  failed=$((failed + bad))
  if [ "$bad" -ne 0 ]; then
    echo "--- $(basename "$exe") (exit $status)"
    grep -v '^\[       OK \]\|^\[ RUN      \]' "$log" | tail -40
  fi
}
# The hang-up test ends the simulator (its pty closes under the port): it
# runs after the others, and a new simulator takes the port for what follows.
hang_up=$win/tests/windows/kx14_win32_hang_up_test.exe
# The shared window suites' own line, to set beside the Qt window's.
suite_line() {
  grep -h '^window suite (win32): ' "$run_dir/kx14_win32_window_suite.exe.log" 2>/dev/null || true
}
if [ -n "$only" ]; then
  for name in $only; do run_exe "$win/tests/windows/$name.exe"; done
  suite_line
  echo "windows: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
fi
# The fault campaign and the soak, on COM46, in the background; their counts
# and times come back through files once the rest is done.
fault_lane=("$win/tests/windows/kx14_win32_fault_campaign_test.exe"
  "$win/tests/windows/kx14_win32_soak_test.exe")
(
  export KX14_WINE_COM=$KX14_WINE_COM_4 KX14_DEVSIM_CONTROL=$KX14_DEVSIM_CONTROL_4 \
    KX14_DEVSIM_LOG=$KX14_DEVSIM_LOG_4
  passed=0 failed=0 skipped=0
  for exe in "${fault_lane[@]}"; do [ -f "$exe" ] && run_exe "$exe"; done
  echo "$passed $failed $skipped" >"$run_dir/fault_lane.counts"
) >"$run_dir/fault_lane.out" 2>&1 &
fault_lane_pid=$!
in_fault_lane() { [[ " ${fault_lane[*]} " == *" $1 "* ]]; }
for exe in "$win"/tests/windows/*.exe; do
  [ "$exe" = "$hang_up" ] || in_fault_lane "$exe" || run_exe "$exe"
done
wait "$fault_lane_pid" || true
cat "$run_dir/fault_lane.out"
if read -r lane_passed lane_failed lane_skipped <"$run_dir/fault_lane.counts"; then
  passed=$((passed + lane_passed))
  failed=$((failed + lane_failed))
  skipped=$((skipped + lane_skipped))
else
  failed=$((failed + 1))
  echo "--- the fault campaign and the soak gave no counts"
fi
if [ -f "$hang_up" ]; then
  run_exe "$hang_up"
  kill "$devsim_pid" 2>/dev/null || true  # still there when the test failed
  wait "$devsim_pid" 2>/dev/null || true
  start_devsim
fi
suite_line
# The fault campaign's and the soak's own lines (tests/faults, under Wine).
for name in kx14_win32_fault_campaign_test kx14_win32_soak_test; do
  log=$run_dir/$name.exe.log
  [ -f "$log" ] && grep -E '^(faults|soak): [0-9]+ ' "$log" | sed 's/^/wine /' || true
done
stage_time "the test programs" "$start"
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
# A roster with a Japanese name: roster check prints it as it is, and watch
# programs the simulator's car (MYID 2) with the roster's level and logs the
# name. watch runs until Ctrl+C, which a console-less Wine cannot send: it is
# ended once its log row is in (each row is flushed as its car is done).
check_roster_watch() {
  local roster=$run_dir/roster.csv log=$run_dir/race.csv before status=1 pid
  printf 'MYID,level,name\n2,MAX,田中 太郎\n' >"$roster"
  if timeout 60 wine "$ctl" roster check "$(wine_path "$roster")" 2>&1 | grep -q '^2 .*MAX *田中 太郎'; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "--- kx14ctl.exe roster check: no row with the Japanese name"
  fi
  before=$(count_log '^stored .* FA 03 51$')
  wine "$ctl" watch --roster "$(wine_path "$roster")" --port "COM$com" --log "$(wine_path "$log")" \
    >"$run_dir/watch.out" 2>&1 &
  pid=$!
  for _ in $(seq 600); do  # at most 60 s
    grep -q ',田中 太郎,MAX,.*,MAX,ok' "$log" 2>/dev/null && { status=0; break; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [ "$status" -eq 0 ] && [ "$(count_log '^stored .* FA 03 51$')" -gt "$before" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "--- kx14ctl.exe watch --roster: no row for the roster's car, or no level MAX stored"
    tail -5 "$run_dir/watch.out" "$log" 2>/dev/null || true
  fi
}
if [ -f "$ctl" ]; then
  echo "mode normal" >&3
  backup=$(wine_path "$run_dir/backup.json")
  check_ctl read '^rx E5' read
  check_ctl "program --level 3" '^stored' program --level 3
  check_ctl backup '^rx E5' backup --output "$backup"
  check_ctl restore '^stored' restore --input "$backup"
  check_ctl "set OT_TIME=5" '^stored .* 05 51$' set OT_TIME=5
  check_ctl undo '^stored .* 03 51$' undo
  if timeout 60 wine "$ctl" history 2>&1 | grep -q 'kx14ctl undo: read back equal'; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "--- kx14ctl.exe history: the undo is not recorded"
  fi
  check_roster_watch
fi

# Waits, at most $3 seconds, until the frame log holds $1 more than $2 times.
wait_log() {
  local deadline=$((SECONDS + $3))
  until [ "$(count_log "$1")" -gt "$2" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
source tests/windows/e2e/window_e2e.sh
start=$SECONDS
window_e2e
stage_time "the end-to-end test of the window" "$start"

[ "$skipped" -eq 0 ] || echo "windows: $skipped skipped (see the test programs' output)"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
