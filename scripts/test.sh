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

# Short, fixed-length fuzzing runs with clang's libFuzzer.
if [ "${TINTWELL_SKIP_FUZZ:-0}" != "1" ]; then
  bash scripts/fuzz.sh
fi
