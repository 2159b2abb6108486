#!/usr/bin/env bash
# Builds and runs every test:
#  1. the normal build: every test, window tests and Xvfb tests included;
#  2. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer;
#  3. the Qt-free core (serial link, exchange, soak, ...) under ThreadSanitizer;
#  4. each libFuzzer target for a bounded time (scripts/fuzz.sh);
#  5. the Windows build's tests under Wine (scripts/windows-test.sh).
# Each step is a stage; the end prints how long each took (also when one
# fails). The sanitizer trees leave the benchmark programs out: they run no
# benchmark (the normal tree still builds them, so they keep compiling).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${KX14_FUZZ_SECONDS:-10}

stage_lines=()
current_stage=""
stage_start=0
total_start=$SECONDS

duration() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

print_stages() {
  local status=$?
  if [ -n "$current_stage" ]; then
    stage_lines+=("$(printf '  %-12s %s  FAILED' "$current_stage" "$(duration $((SECONDS - stage_start)))")")
  fi
  echo "test: stage durations"
  printf '%s\n' "${stage_lines[@]}"
  printf '  %-12s %s\n' total "$(duration $((SECONDS - total_start)))"
  exit "$status"
}
trap print_stages EXIT

# stage <name> <command...>: runs the command as one timed stage.
stage() {
  current_stage=$1
  shift
  stage_start=$SECONDS
  echo "test: stage $current_stage"
  "$@"
  stage_lines+=("$(printf '  %-12s %s' "$current_stage" "$(duration $((SECONDS - stage_start)))")")
  current_stage=""
}

stage setup ./scripts/setup.sh

stage build ./scripts/build.sh build
stage test ctest --test-dir build --output-on-failure -j "$jobs" -L all

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
stage build-asan ./scripts/build.sh build-asan -DKX14_SANITIZE=address \
  -DKX14_BUILD_BENCH_PROGRAMS=OFF
stage test-asan ctest --test-dir build-asan --output-on-failure -j "$jobs" -L all

export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
stage build-tsan ./scripts/build.sh build-tsan -DKX14_SANITIZE=thread -DKX14_BUILD_UI=OFF \
  -DKX14_BUILD_BENCH_PROGRAMS=OFF
stage test-tsan ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L sanitize

stage fuzz ./scripts/fuzz.sh "$fuzz_seconds"
# The Windows build's tests under Wine, against the normal build's simulator.
stage windows ./scripts/windows-test.sh build build-windows
# The reliability campaign's figures, from the normal build's run above.
stage faults ./scripts/faults.sh build
echo "test: all suites passed"
