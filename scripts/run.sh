#!/usr/bin/env bash
# Builds Tintwell and starts it. Installs what it needs on a fresh Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tintwell_ensure_packages

BUILD=${TINTWELL_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)" --target tintwell
exec "$BUILD/src/tintwell" "$@"
