#!/usr/bin/env bash
# Makes the release package with its preset, checks its checksum file and
# its contents, unpacks it into a directory whose name holds a blank, and
# runs the unpacked trelm.exe under Wine on the example parameter file.
#   check_package.sh SOURCE_DIR win32|win64 VERSION
# Exits 77 (skipped) after the checks of the ZIP itself when this machine
# cannot run that build under Wine.
set -euo pipefail
source_dir=$1 variant=$2 version=$3
cd "$source_dir"
name="trelm-$version-$variant"
package_dir="build/$variant/package"
rm -f "$package_dir/$name.zip" "$package_dir/$name.zip.sha256"
cpack --preset "$variant" >/dev/null

echo "checksum:"
(cd "$package_dir" && sha256sum -c "$name.zip.sha256")

work=$(mktemp -d /tmp/trelm-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
unpacked="$work/unpacked here"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$source_dir/$package_dir/$name.zip")
contents=$(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')
expected="./$name/LICENSE ./$name/README.md ./$name/bin/trelm.exe "
echo "contents: $contents"
[ "$contents" = "$expected" ] || { echo "expected: $expected"; exit 1; }
cmp "$unpacked/$name/bin/trelm.exe" "build/$variant/trelm.exe"

if [ "$variant" = win32 ] && ! scripts/can-run-32bit.sh; then
  echo "this machine cannot run 32-bit code: not run under Wine"
  exit 77
fi
source scripts/wine-env.sh
cp "build/$variant/tests/wine/programs/rec.exe" "$work/show-args.exe"
cp examples/params.txt "$work/"
received="$work/received"
status=0
(cd "$work" && REC_OUT="Z:${received//\//\\}" \
  "$loader" "$unpacked/$name/bin/trelm.exe" show-args params.txt -v "x y" \
  >"$work/out" 2>&1) || status=$?
echo "exit status: $status"
echo "received: $(cat "$received" 2>/dev/null)"
[ "$status" = 0 ]
expected_line='"show-args.exe" -o build\app.exe -I include -I third\include -D NAME=value src\main.c src\util.c  -v x y '
[ "$(cat "$received")" = "$expected_line" ] || { echo "expected: $expected_line"; exit 1; }
