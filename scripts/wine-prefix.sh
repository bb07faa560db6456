#!/usr/bin/env bash
# Creates (once) the 32-bit Wine prefix the end-to-end tests run in, with no
# dialog waiting for an answer.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-trelm}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w || true
fi
