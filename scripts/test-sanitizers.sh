#!/usr/bin/env bash
# The whole test suite again under AddressSanitizer and UndefinedBehaviorSanitizer (preset
# asan, leaks reported), then every fuzz target for a fixed number of runs from its seed corpus
# (preset fuzz). Run after scripts/test.sh, which installs the packages; ccache keeps repeated
# builds cheap. ThreadSanitizer (preset tsan) is run by hand: see the README.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
