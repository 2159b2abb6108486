#!/usr/bin/env bash
# Builds and runs every test:
#  1. the normal build: every test, window tests and Xvfb tests included;
#  2. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer;
#  3. the Qt-free core (serial link, exchange, soak, ...) under ThreadSanitizer;
#  4. each libFuzzer target for a bounded time (scripts/fuzz.sh);
#  5. the Windows build's tests under Wine (scripts/windows-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)
fuzz_seconds=${KX14_FUZZ_SECONDS:-10}

./scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs" -L all

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
./scripts/build.sh build-asan -DKX14_SANITIZE=address
ctest --test-dir build-asan --output-on-failure -j "$jobs" -L all

export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
./scripts/build.sh build-tsan -DKX14_SANITIZE=thread -DKX14_BUILD_UI=OFF
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L sanitize

./scripts/fuzz.sh "$fuzz_seconds"
# The Windows build's tests under Wine, against the normal build's simulator.
./scripts/windows-test.sh build build-windows
# The reliability campaign's figures, from the normal build's run above.
./scripts/faults.sh build
echo "test: all suites passed"
