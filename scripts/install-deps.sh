#!/usr/bin/env bash
# Installs the Debian packages LUM needs to build, run and test. Skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache git
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  # the monitoring endpoint (Qt HTTP Server needs Qt WebSockets) and the Play Report's chart
  # (Qt Charts needs Qt OpenGL)
  qt6-httpserver-dev qt6-websockets-dev qt6-charts-dev libqt6opengl6-dev
  libgl1-mesa-dev libcurl4-openssl-dev libpugixml-dev
  libgtest-dev libgmock-dev
  python3 python3-pyftpdlib curl xvfb xauth fonts-dejavu-core
  # the application icon, manual pages, completion and the Debian package with its checks
  librsvg2-bin help2man bash-completion file dpkg-dev fakeroot lintian desktop-file-utils systemd
)

# Sanitizer and fuzzing builds (scripts/test-sanitizers.sh, presets asan, tsan and fuzz): clang
# with its sanitizer and libFuzzer runtimes, and the symbolizer for readable reports.
packages+=(clang libclang-rt-14-dev llvm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
