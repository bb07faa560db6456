#!/usr/bin/env bash
# The same sources give the same trelm.exe wherever they lie: builds the
# trelm target from a copy of the source tree at another path, in a build
# tree of another name, and compares its SHA-256 with the main build's.
#   check_reproducible.sh SOURCE_DIR TOOLCHAIN_FILE BUILD_TYPE MAIN_EXE
set -euo pipefail
source_dir=$1 toolchain=$2 build_type=$3 main_exe=$4
work=$(mktemp -d /tmp/trelm-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
copy="$work/a/copy/of/the/sources"
mkdir -p "$copy"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
cmake -S "$copy" -B "$work/other-build" -DCMAKE_TOOLCHAIN_FILE="$copy/$toolchain" \
  -DCMAKE_BUILD_TYPE="$build_type" >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/other-build" --target trelm >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
main=$(sha256sum <"$main_exe" | cut -d' ' -f1)
other=$(sha256sum <"$work/other-build/trelm.exe" | cut -d' ' -f1)
echo "main build:  $main  $main_exe"
echo "other build: $other  $copy"
if [ "$main" != "$other" ]; then
  echo "the two builds differ:"
  cmp -l "$main_exe" "$work/other-build/trelm.exe" | head -20
  exit 1
fi
