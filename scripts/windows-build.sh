#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64: the Qt-free core, the
# Win32 backend's tests, kx14ctl.exe (when cli/ exists) and
# kx14ctl-windows-x86_64.zip.
#   scripts/windows-build.sh [dir]   (default dir: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
dir=${1:-build-windows}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake \
  -DKX14_BUILD_UI=OFF -DKX14_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$dir"
cmake --build "$dir" --target windows_zip
