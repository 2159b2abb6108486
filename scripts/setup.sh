#!/usr/bin/env bash
# Installs every Debian package that building, running, testing and benchmarking
# kx14-manager needs. Idempotent: prints nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache lld
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic fontconfig libfontconfig-dev
  libx11-dev libxdamage-dev
  python3 python3-serial procps
  g++-mingw-w64-x86-64-posix wine wine64 googletest zip
  dpkg-dev desktop-file-utils appstream man-db lintian
  nsis nlohmann-json3-dev libcli11-dev zlib1g-dev libz-mingw-w64-dev mingw-w64-tools
  fusefat dosfstools
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
