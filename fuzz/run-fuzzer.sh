#!/bin/sh
# run-fuzzer.sh TARGET SEEDS ARTIFACTS [libFuzzer options]: runs TARGET over a fresh copy of its
# seed corpus (new inputs go to a temporary folder, never into the repository); a crashing
# input is kept in ARTIFACTS.
set -eu
target=$1 seeds=$2 artifacts=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
"$target" -artifact_prefix="$artifacts/$(basename "$target")-" -print_final_stats=1 \
  "$@" "$work" "$seeds"
