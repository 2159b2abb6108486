#!/usr/bin/env bash
# The reliability campaign's figures (tests/faults): every test of the
# campaign prints its own tally, and this sums them from a ctest run's log.
#
#   scripts/faults.sh [dir]          figures of the last ctest run in dir (default: build)
#   scripts/faults.sh [dir] --run    runs the campaign first (label faults, not the long one)
#   scripts/faults.sh [dir] --long   runs the 1000-cycle port-list test (label long, ~7 min)
#   scripts/faults.sh [dir] --explore N [--operations M] [--jobs J]
#                                    runs the soak over N random seeds of M operations
#                                    (default 1000), J at a time (default 4: the soak
#                                    mostly waits on time-outs); prints each seed's line
#                                    and "explore: N seeds, H held, B broken"
#
# Prints, last:
#   faults: <passed> passed, <failed> failed
#   soak: <ops> operations, seed <seed>, invariants held   (or the invariant that broke)
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
run=""
explore=0
operations=1000
jobs=4
while [[ $# -gt 0 ]]; do
  case "$1" in
    --run | --long) run="$1" ;;
    --explore) explore=${2:?--explore needs a count}; shift ;;
    --operations) operations=${2:?--operations needs a count}; shift ;;
    --jobs) jobs=${2:?--jobs needs a count}; shift ;;
    -*) echo "faults.sh: unknown option $1" >&2; exit 2 ;;
    *) dir="$1" ;;
  esac
  shift
done

# One soak of one random seed; prints its summary line (or why it has none).
explore_one() {
  local out
  out=$(KX14_SOAK_SEED=random KX14_SOAK_OPERATIONS="$operations" \
    "$dir/tests/faults/kx14_soak_test" 2>&1) || true
  grep -E '^soak: [0-9]+ operations' <<<"$out" || echo "soak: no summary (crashed?)"
}

if [[ $explore -gt 0 ]]; then
  if [[ ! -x "$dir/tests/faults/kx14_soak_test" ]]; then
    echo "faults.sh: build $dir first (no kx14_soak_test)" >&2
    exit 2
  fi
  export -f explore_one
  export dir operations
  results=$(seq "$explore" | xargs -P "$jobs" -I{} bash -c explore_one | tee /dev/stderr)
  held=$(grep -c 'invariants held' <<<"$results" || true)
  echo "explore: $explore seeds of $operations operations, $held held, $((explore - held)) broken"
  [[ $held -eq $explore ]]
  exit
fi

status=0
case "$run" in
  --run) ctest --test-dir "$dir" -L faults -LE long --output-on-failure -j "$(nproc)" || status=$? ;;
  --long) KX14_RUN_LONG=1 ctest --test-dir "$dir" -L long --output-on-failure || status=$? ;;
esac

log="$dir/Testing/Temporary/LastTest.log"
if [[ ! -f "$log" ]]; then
  echo "faults.sh: no ctest log in $dir (run the tests first, or pass --run)" >&2
  exit 2
fi

grep -E '^port cycles: ' "$log" || true
awk '/^faults: [0-9]+ skipped/ { s += $2 }
     END { if (s > 0) printf "faults: %d skipped\n", s }' "$log"
# A campaign test that failed without printing its tally (it crashed or hung)
# counts as one failure.
awk '/^[0-9]+\/[0-9]+ Testing: / { ours = 0; tallied = 0; failed = 0 }
     /^Command: .*\/tests\/faults\// { ours = 1 }
     /^faults: [0-9]+ passed, [0-9]+ failed/ { p += $2; f += $4; tallied = 1 }
     /^Test Failed/ { failed = 1 }
     / time elapsed: / { if (ours && failed && !tallied) f++ }
     END { printf "faults: %d passed, %d failed\n", p, f }' "$log"
grep -E '^soak: [0-9]+ operations' "$log" || echo "soak: not run"
exit "$status"
