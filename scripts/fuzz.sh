#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_BUILD=${TINTWELL_FUZZ_BUILD_DIR:-build-fuzz}
RUNS=${TINTWELL_FUZZ_RUNS:-20000}
# A fixed seed keeps the CI run repeatable; longer runs with other seeds hunt for new findings.
SEED=${TINTWELL_FUZZ_SEED:-1}
# Each target stops after this many seconds even if it has not done its runs.
SECONDS_CAP=${TINTWELL_FUZZ_SECONDS:-30}

cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTINTWELL_FUZZ=ON -DTINTWELL_BUILD_TESTS=OFF -DTINTWELL_BUILD_BENCH=OFF -DTINTWELL_BUILD_APP=OFF
cmake --build "$FUZZ_BUILD" -j"$(nproc)"

shopt -s nullglob
fuzz_dir=$(cd "$FUZZ_BUILD" && pwd)/fuzz
for target in "$fuzz_dir"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  # The VBScript conformance scripts seed both VBScript targets.
  case "$name" in
    fuzz_vbs_*) cp tests/scripting/vbscript/*.vbs "$work"/ ;;
  esac
  echo "== $name: $RUNS runs, seed $SEED"
  log="$work.log"
  status=0
  (cd "$work" && "$target" -seed="$SEED" -runs="$RUNS" -max_total_time="$SECONDS_CAP" -max_len=4096 \
      -artifact_prefix="$work/" "$work") > "$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    # The whole report and the failing input, so a finding can be replayed from the log alone.
    tail -n 60 "$log"
    for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
      [ -f "$crash" ] || continue
      echo "-- $(basename "$crash") (base64):"
      base64 "$crash"
    done
    rm -rf "$work" "$log"
    exit "$status"
  fi
  tail -n 1 "$log"
  rm -rf "$work" "$log"
done
