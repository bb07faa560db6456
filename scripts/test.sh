#!/usr/bin/env bash
# Runs every test: installs what is missing, builds all presets, runs the
# release checks of both Windows builds (imports and size, reproducible
# bytes, the package unpacked and run under Wine), the unit tests, the
# native end-to-end tests, the Wine end-to-end tests, everything native again
# under the sanitizers, and each fuzz target for a bounded time
# (TRELM_FUZZ_SECONDS, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

scripts/build.sh native win32 win64 sanitize fuzz

ctest --preset win32
ctest --preset win64
ctest --preset native -j "$(nproc)"
ctest --preset sanitize -j "$(nproc)"
scripts/fuzz.sh "${TRELM_FUZZ_SECONDS:-60}"
