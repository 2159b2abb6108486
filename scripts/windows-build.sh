#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64: the core, the Win32
# backend's tests, kx14ctl.exe (when cli/ exists), the window program, the zip
# and the installer.
#   scripts/windows-build.sh [dir]   (default dir: build-windows)
# The artwork generator must run on this machine: KX14_HOST_ARTGEN names one
# already built (scripts/test.sh passes the normal tree's); otherwise it is
# built first in a tree of its own, build-windows-host/ (the generator only,
# no window).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
dir=${1:-build-windows}
artgen=${KX14_HOST_ARTGEN:-}
if [ -z "$artgen" ]; then
  host=build-windows-host
  cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX14_BUILD_UI=OFF \
    -DKX14_BUILD_BENCH_PROGRAMS=OFF >/dev/null
  cmake --build "$host" --target kx14_artgen
  artgen=$PWD/$host/ui/art/kx14_artgen
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake \
  -DKX14_HOST_ARTGEN="$artgen" -DKX14_BUILD_UI=ON -DKX14_WARNINGS_AS_ERRORS=ON \
  >/dev/null
cmake --build "$dir"
cmake --build "$dir" --target windows_zip windows_installer
