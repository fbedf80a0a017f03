#!/usr/bin/env bash
# Fresh-machine run command: installs dependencies, builds and starts LUM on the given data folder
# (default: ./lum-data). Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
data_dir="${LUM_DATA_DIR:-$PWD/lum-data}"
if [ -x build/bin/lum ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/bin/lum --data-dir "$data_dir" "$@"
fi
exec build/bin/lum-server --data-dir "$data_dir" "$@"
