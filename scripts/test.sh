#!/usr/bin/env bash
# Builds Tintwell and runs every test. Installs what it needs on a fresh Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tintwell_ensure_packages

BUILD=${TINTWELL_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
(cd "$BUILD" && ctest --output-on-failure -j"$(nproc)" --timeout 300)

# The colour core and the script engines once more under AddressSanitizer and
# UBSan: they run code handed in by users and re-enter each other.
if [ "${TINTWELL_SKIP_SANITIZE:-0}" != "1" ]; then
  SAN="${BUILD}-sanitize"
  cmake -S . -B "$SAN" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTWELL_SANITIZE=ON \
    -DTINTWELL_BUILD_BENCH=OFF -DTINTWELL_BUILD_APP=OFF
  cmake --build "$SAN" -j"$(nproc)" --target tintwell_core_tests test_scripting test_vbscript \
    script_conformance tnscript tintwell-jsworker
  (cd "$SAN" && ctest --output-on-failure -j"$(nproc)" --timeout 600 -L sanitize)
fi

# Short, fixed-length fuzzing runs with clang's libFuzzer.
if [ "${TINTWELL_SKIP_FUZZ:-0}" != "1" ]; then
  bash scripts/fuzz.sh
fi
