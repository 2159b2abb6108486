#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [dir] [extra cmake args...]   (default dir: build)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Compiled objects are shared between checkouts of the same machine.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX14_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
cmake --build "$dir"
