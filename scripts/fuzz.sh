#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_BUILD=${TINTWELL_FUZZ_BUILD_DIR:-build-fuzz}
RUNS=${TINTWELL_FUZZ_RUNS:-20000}

cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTINTWELL_FUZZ=ON -DTINTWELL_BUILD_TESTS=OFF -DTINTWELL_BUILD_BENCH=OFF -DTINTWELL_BUILD_APP=OFF
cmake --build "$FUZZ_BUILD" -j"$(nproc)"

shopt -s nullglob
for target in "$FUZZ_BUILD"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  # The VBScript conformance scripts seed both VBScript targets.
  case "$name" in
    fuzz_vbs_*) cp tests/scripting/vbscript/*.vbs "$work"/ ;;
  esac
  echo "== $name: $RUNS runs"
  "$target" -runs="$RUNS" -max_total_time=60 -max_len=4096 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
