#!/usr/bin/env bash
# The whole test suite again under AddressSanitizer and UndefinedBehaviorSanitizer (preset
# asan: clang, Debug, leaks reported), and every fuzz target for a fixed number of runs from its
# seed corpus (the asan build builds them too, so no third build is needed). Run after
# scripts/test.sh, which installs the packages. ThreadSanitizer (preset tsan) is run by hand:
# see the README.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset asan -DLUM_WARNINGS_AS_ERRORS="${LUM_WARNINGS_AS_ERRORS:-OFF}"
cmake --build --preset asan
ctest --preset asan
