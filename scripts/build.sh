#!/usr/bin/env bash
# Configures and builds each of the given CMake presets, in order:
#   scripts/build.sh native win32 win64
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "$@"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
done
