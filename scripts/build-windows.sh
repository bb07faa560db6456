#!/usr/bin/env bash
# Builds what the Wine tests run, so that they can be run on their own
# (`ctest --preset native` calls this first): the win32 and win64 builds,
# and the Wine prefixes. Wine itself comes from scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x /usr/lib/wine/wine64 ] || ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
  echo "Wine or MinGW-w64 is missing: run scripts/setup.sh (as root) first" >&2
  exit 1
fi
scripts/build.sh win32 win64
scripts/wine-prefix.sh
