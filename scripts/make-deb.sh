#!/usr/bin/env bash
# Builds the Debian package build/packages/lum_<version>_<arch>.deb: installs what the build
# needs, configures and builds as scripts/test.sh does, then packs with CPack (Depends from
# dpkg-shlibdeps). Extra arguments go to cpack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
cpack -G DEB --config build/CPackConfig.cmake "$@"
ls -1 "$PWD"/build/packages/lum_*.deb
