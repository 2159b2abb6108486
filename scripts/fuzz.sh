#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UBSan) in build-fuzz/
# and runs each for a bounded time, starting from its seeds in fuzz/corpus/.
#   scripts/fuzz.sh [seconds-per-target]          (default 30)
#   scripts/fuzz.sh --build-only                  (builds the targets, runs none)
#   scripts/fuzz.sh --tree DIR [seconds]          (runs the targets already built in
#                                                  DIR, such as the test command's
#                                                  AddressSanitizer tree: clang,
#                                                  -DKX14_FUZZ=ON)
# Ends with one line per target:
#   fuzz: <target> <executions> executions, <findings> findings
# and exits non-zero when any target found something (a crash, a broken
# property, a leak, a time-out); the inputs are kept in build-fuzz/findings/.
# Each target runs on one core, so as many run at once as there are cores.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Compiled objects are shared between checkouts of the same machine.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}

dir=build-fuzz
prebuilt=false
if [ "${1:-}" = --tree ] && [ $# -ge 2 ]; then
  dir=$2
  prebuilt=true
  shift 2
fi
seconds=${1:-30}
build_only=false
if [ "$seconds" = --build-only ]; then
  build_only=true
elif ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [--tree DIR] [--build-only | seconds-per-target]" >&2
  exit 2
fi

if $prebuilt; then
  [ -f "$dir/fuzz/targets.txt" ] || { echo "fuzz: $dir holds no fuzz targets (configure it with -DKX14_FUZZ=ON)" >&2; exit 2; }
  $build_only && exit 0
else
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKX14_FUZZ=ON -DKX14_BUILD_UI=OFF -DKX14_WARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build "$dir" --target kx14_fuzz_all
  $build_only && exit 0
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The ports-directory target makes and removes a directory tree per input,
# on tmpfs several times faster than on a disk; one of its own, so that the
# trees of an input that crashed half way are removed too.
scratch_base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
TMPDIR=$(mktemp -d "$scratch_base/kx14-fuzz-XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

# run_target <target>: fuzzes one target; its summary line goes to
# <log>.summary, and the status says whether it found something.
run_target() {
  local target=$1 seeds work findings log status=0 executions found
  seeds=fuzz/corpus/${target#fuzz_}
  # New inputs go to the first corpus directory, so the seeds in the
  # repository stay as they are.
  work=$dir/corpus/${target#fuzz_}
  findings=$dir/findings/$target
  log=$dir/logs/$target.log
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  rm -f "$findings"/*
  echo "fuzz: running $target for $seconds s (log: $log)"
  # -timeout: an input that takes 10 s is a hang (a FIFO opened for reading
  # would be one); -rss_limit_mb keeps a runaway input from taking the machine.
  "$dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  found=$(find "$findings" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
    # The target died without writing an input (it could not start, say):
    # still a finding, shown by its log.
    found=1
    tail -n 20 "$log" >&2
  fi
  if [ "$found" -ne 0 ]; then
    grep -m 1 -A 12 -E '^(broken property|==[0-9]+==ERROR)' "$log" >&2 || true
  fi
  echo "fuzz: $target ${executions:-0} executions, $found findings" >"$log.summary"
  [ "$found" -eq 0 ]
}

mapfile -t targets < <(grep -v '^$' "$dir/fuzz/targets.txt")
failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done

for target in "${targets[@]}"; do
  cat "$dir/logs/$target.log.summary"
done
exit "$failed"
