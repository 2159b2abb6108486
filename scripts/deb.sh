#!/usr/bin/env bash
# Builds the Debian package from the normal build tree and checks it with
# lintian: build/kx14-manager_<version>_<arch>.deb.
#   scripts/deb.sh   (make deb)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh build
cpack --config build/CPackConfig.cmake -B build >/dev/null
deb=$(ls -t build/kx14-manager_*.deb | head -n1)
echo "deb: $deb"
# Errors fail the build; the warnings kept on purpose are listed in the
# README's packaging section.
lintian --fail-on error "$deb"
echo "deb: install it with: sudo apt install ./$deb"
