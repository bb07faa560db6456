#!/usr/bin/env bash
# The Windows program must need no DLL beyond what Windows ships, and stay
# small: its import table may name only KERNEL32.dll and msvcrt.dll, and the
# stripped file may take at most 64 KiB.
set -euo pipefail
exe=$1
objdump=${2:-objdump}
dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')
echo "imports: $dlls"
for dll in $dlls; do
  case "$dll" in
    KERNEL32.dll|msvcrt.dll) ;;
    *) echo "unexpected import: $dll"; exit 1 ;;
  esac
done
size=$(stat -c %s "$exe")
echo "size: $size bytes"
if [ "$size" -gt 65536 ]; then echo "larger than 64 KiB"; exit 1; fi
