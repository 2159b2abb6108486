#!/usr/bin/env bash
# Configures and builds one build tree: every target of it, or only the
# targets named with --target (and what they need).
#   scripts/build.sh [dir] [extra cmake args...] [--target NAME]...
#   (default dir: build)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Compiled objects are shared between checkouts of the same machine.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
dir=${1:-build}
shift || true
cmake_args=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = --target ] && [ $# -ge 2 ]; then
    targets+=(--target "$2")
    shift 2
  else
    cmake_args+=("$1")
    shift
  fi
done
# A tree keeps the compiler it was first configured with: one asked for now
# (CXX=clang++) that differs starts the tree afresh.
if [ -n "${CXX:-}" ] && [ -f "$dir/CMakeCache.txt" ]; then
  cached=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$dir/CMakeCache.txt")
  wanted=$(command -v "$CXX" || echo "$CXX")
  if [ "$(readlink -f "$cached")" != "$(readlink -f "$wanted")" ]; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX14_WARNINGS_AS_ERRORS=ON "${cmake_args[@]}" >/dev/null
cmake --build "$dir" "${targets[@]}"
