#!/bin/sh
# Builds the fuzz target with clang and fuzzes the framer and ProcessMessage.
# usage: fuzz/run-fuzz.sh [SECONDS] [BUILD_DIR]    (defaults: 30, <repo>/build-fuzz)
# Exits non-zero when the fuzzer finds a crash; the crashing input is kept in
# BUILD_DIR/fuzz-findings/.
set -eu

seconds=${1:-30}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-"$repo/build-fuzz"}

case $seconds in
  '' | *[!0-9]*) echo "run-fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target orvanta_fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus" "$build/fuzz-findings"
cp "$repo"/fuzz/corpus/* "$scratch/corpus/"

"$build/fuzz/orvanta_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$build/fuzz-findings/" "$scratch/corpus"
