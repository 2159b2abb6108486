#!/usr/bin/env bash
# Builds and runs every test:
#  1. the normal build (GCC): every test, window tests and Xvfb tests included;
#  2. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer,
#     built with clang, whose tree also holds the libFuzzer targets;
#  3. the threaded code (serial link, exchange, pumps, watchers, history) and
#     its tests under ThreadSanitizer;
#  4. each libFuzzer target for a bounded time (scripts/fuzz.sh), from the
#     AddressSanitizer tree;
#  5. the Windows build's tests under Wine (scripts/windows-test.sh).
# Each step is a stage; the end prints how long each took (also when one
# fails). No tree builds the benchmark programs: no stage runs them
# (scripts/bench.sh builds them).
#
# Most test time is spent waiting on pseudo-terminals and time-outs, so once
# the normal tree is built the later trees (ASan, Windows, TSan) build one
# after another in the background at the lowest priority, on the CPU the
# tests leave idle, and each test stage starts as soon as its tree is ready,
# beside the stages already running (the Windows stage has its own display
# and Wine prefix). A stage's output goes to build/test-stages/<stage>.log
# and is shown when it ends; the stage lines say how long each build and
# stage took and when each ended. Build logs: build/test-stages/<tree>.log.
# The AddressSanitizer tree uses clang: with the sanitizers it compiles in
# less than half of GCC's time, its warnings check the code a second time, and
# libFuzzer comes with it. The ThreadSanitizer tree stays with GCC, whose
# shared runtime lets a test replace operator new (clang's static one
# defines it too).
set -euo pipefail
cd "$(dirname "$0")/.."
# One locale whatever the caller's (a bare container sets none): UTF-8, for
# the non-ASCII file names and texts the tests use, under Wine too.
export LC_ALL=C.UTF-8
unset LANGUAGE
jobs=$(nproc)
fuzz_seconds=${KX14_FUZZ_SECONDS:-10}
# The tests mostly wait on ptys and time-outs (the normal tree's use about
# 15 s of CPU in their 2 minutes), so more of them run at once than there
# are cores.
test_jobs=$((jobs * 3))

stage_lines=()
current_stage=""
stage_start=0
total_start=$SECONDS
builder_pid=""

duration() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

print_stages() {
  local status=$?
  # A failed stage leaves the background builds without a reader: stop them.
  [ -n "$builder_pid" ] && { kill -- "-$builder_pid" 2>/dev/null || true; }
  if [ -n "$current_stage" ]; then
    stage_lines+=("$(printf '  %-13s %s  FAILED' "$current_stage" "$(duration $((SECONDS - stage_start)))")")
  fi
  echo "test: stage durations"
  printf '%s\n' "${stage_lines[@]}"
  printf '  %-13s %s\n' total "$(duration $((SECONDS - total_start)))"
  exit "$status"
}
trap print_stages EXIT
# Interrupted or terminated, it still stops the background builds.
trap 'exit 130' INT TERM

# stage <name> <command...>: runs the command as one timed stage.
stage() {
  current_stage=$1
  shift
  stage_start=$SECONDS
  echo "test: stage $current_stage"
  "$@" 4>&-
  stage_lines+=("$(printf '  %-13s %s' "$current_stage" "$(duration $((SECONDS - stage_start)))")")
  current_stage=""
}

stage setup ./scripts/setup.sh

stage build ./scripts/build.sh build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

# The background jobs report "<name> <status> <seconds>" on this FIFO; the
# script holds it open for reading and writing, so no line is lost and no
# open blocks. The programs it starts do not inherit it.
logs=$PWD/build/test-stages
mkdir -p "$logs"
rm -f "$logs/done"
mkfifo "$logs/done"
exec 4<>"$logs/done"
rm -f "$logs/done"

# report <name> <command...>: runs the command with its output in the
# name's log and reports how it ended.
report() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" >"$logs/$name.log" 2>&1 </dev/null 4>&- || status=$?
  echo "$status" >"$logs/$name.status"
  echo "$name $status $((SECONDS - start))" >&4
}

# The Windows tests run against the normal tree's simulator and with its
# artwork generator, so the Windows build needs no tree of its own for it.
export KX14_HOST_ARTGEN=$PWD/build/ui/art/kx14_artgen

# Job control gives the builder a process group of its own, so that one
# kill stops it, the compilers and the Windows tests under it.
set -m
{
  nice_build() { report "$1" nice -n 19 "${@:2}"; }
  CC=clang CXX=clang++ nice_build build-asan ./scripts/build.sh build-asan \
    -DKX14_SANITIZE=address -DKX14_FUZZ=ON -DKX14_BUILD_BENCH_PROGRAMS=OFF
  nice_build build-windows ./scripts/windows-build.sh build-windows
  # The Windows tests need the Windows build only: they start now, beside
  # the Linux stages, while the builds go on.
  if [ "$(cat "$logs/build-windows.status")" -eq 0 ]; then
    report windows ./scripts/windows-test.sh build build-windows &
  fi
  nice_build build-tsan ./scripts/build.sh build-tsan \
    -DKX14_SANITIZE=thread -DKX14_BUILD_UI=OFF -DKX14_BUILD_BENCH_PROGRAMS=OFF \
    -DKX14_TEST_LABEL=sanitize --target kx14_label_tests
  wait
} &
builder_pid=$!
set +m

# Each test stage runs in the background too, as soon as its tree is built,
# beside the other stages: they mostly wait on ptys and time-outs. Its output
# goes to its log and is shown when it ends, so stages never interleave.
# The fuzzers, which keep both cores busy, start when the ASan tests end.
declare -A began
stage_pids=()
# run_stage <name> <command...>: starts one test stage.
run_stage() {
  began[$1]=$SECONDS
  echo "test: stage $1 started at $(duration $((SECONDS - total_start)))"
  set -m
  report "$@" &
  set +m
  stage_pids+=($!)
}
# A failed stage stops the others.
stop_stages() {
  local pid
  for pid in "${stage_pids[@]}"; do kill -- "-$pid" 2>/dev/null || true; done
}
trap 'ended_with=$?; stop_stages; (exit "$ended_with"); print_stages' EXIT

# ended <name> <status> <seconds>: shows what a stage or build ended with and
# adds its line; a failure fails the test command.
ended() {
  local name=$1 status=$2 seconds=$3 at
  at=$(duration $((SECONDS - total_start)))
  if [ "$status" -ne 0 ]; then
    current_stage=$name
    stage_start=$((SECONDS - seconds))
    echo "test: $name failed:"
    cat "$logs/$name.log"
    return "$status"
  fi
  case $name in
    build-*)
      tail -n 1 "$logs/$name.log"
      stage_lines+=("$(printf '  %-13s %s  in the background, ready at %s' "$name" \
        "$(duration "$seconds")" "$at")") ;;
    *)
      echo "test: stage $name ended at $at"
      cat "$logs/$name.log"
      # The Windows stage is started by the builder: it began $seconds ago.
      stage_lines+=("$(printf '  %-13s %s  from %s to %s' "$name" "$(duration "$seconds")" \
        "$(duration $((${began[$name]:-$((SECONDS - seconds))} - total_start)))" "$at")") ;;
  esac
}

run_stage test ctest --test-dir build --output-on-failure -j "$test_jobs" -L all
declare -A pending=([test]=1 [build-asan]=1 [build-windows]=1 [build-tsan]=1 [windows]=1)
while [ ${#pending[@]} -gt 0 ]; do
  read -r -t 7200 -u 4 name status seconds || { echo "test: no word from ${!pending[*]}"; exit 1; }
  unset "pending[$name]"
  ended "$name" "$status" "$seconds"
  case $name in
    test)
      # The shared window suites' figures on the Qt window, to set beside
      # the Windows stage's "window suite (win32)" line.
      grep -h '^window suite (qt): ' build/Testing/Temporary/LastTest.log || true ;;
    build-asan)
      run_stage test-asan ctest --test-dir build-asan --output-on-failure -j "$test_jobs" -L all
      pending[test-asan]=1 ;;
    test-asan)
      run_stage fuzz ./scripts/fuzz.sh --tree build-asan "$fuzz_seconds"
      pending[fuzz]=1 ;;
    build-tsan)
      run_stage test-tsan ctest --test-dir build-tsan --output-on-failure -j "$test_jobs" -L sanitize
      pending[test-tsan]=1 ;;
  esac
done
current_stage=""
# The reliability campaign's figures, from the normal build's run above.
stage faults ./scripts/faults.sh build
builder_pid=""
echo "test: all suites passed"
