#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the serial link and the
# rest of the Qt-free core again under AddressSanitizer + UBSan and under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)

./scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
./scripts/build.sh build-asan -DKX14_SANITIZE=address -DKX14_BUILD_UI=OFF
ctest --test-dir build-asan --output-on-failure -j "$jobs" -L sanitize

export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
./scripts/build.sh build-tsan -DKX14_SANITIZE=thread -DKX14_BUILD_UI=OFF
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L sanitize
# The reliability campaign's figures, from the normal build's run above.
./scripts/faults.sh build
echo "test: all suites passed"
