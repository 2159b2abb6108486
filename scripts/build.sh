#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [dir] [extra cmake args...]   (default dir: build)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX14_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
cmake --build "$dir"
