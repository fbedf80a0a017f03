#!/usr/bin/env bash
# Fresh-machine test command: installs dependencies, configures, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default -DLUM_WARNINGS_AS_ERRORS="${LUM_WARNINGS_AS_ERRORS:-OFF}"
cmake --build --preset default
ctest --preset default
