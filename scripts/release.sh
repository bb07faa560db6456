#!/usr/bin/env bash
# Makes the release: builds trelm.exe for 32- and 64-bit Windows, checks
# each (imports and size, the same bytes from another copy of the sources,
# the package unpacked and run under Wine), and leaves
#   build/win32/package/trelm-<version>-win32.zip  and its .sha256
#   build/win64/package/trelm-<version>-win64.zip  and its .sha256
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in win32 win64; do
  scripts/build.sh "$preset"
  ctest --preset "$preset"
  cpack --preset "$preset"
done
echo
for preset in win32 win64; do
  (cd "build/$preset/package" && cat ./*.zip.sha256 && sha256sum -c ./*.zip.sha256 >/dev/null)
done
