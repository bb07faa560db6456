#!/usr/bin/env bash
# The main job: builds trelm.exe and runs it under Wine on the example
# parameter file, starting a child that shows the command line it received.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh win32 win64 >/dev/null

source scripts/wine-env.sh
if [ "$variant" = win64 ]; then
  echo "(this machine cannot execute 32-bit code: running the 64-bit build of the same sources)"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "build/$variant/tests/wine/programs/rec.exe" "$work/show-args.exe"
cp examples/params.txt "$work/"
echo "parameter file examples/params.txt:"
cat examples/params.txt
echo
echo "running: trelm.exe show-args params.txt -v \"x y\""
status=0
(cd "$work" && "$loader" "$OLDPWD/build/$variant/trelm.exe" show-args params.txt -v "x y" \
  >"$work/out" 2>"$work/err") || status=$?
cat "$work/out"
echo "exit status: $status"
