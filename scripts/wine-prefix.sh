#!/usr/bin/env bash
# Creates, once, the Wine prefixes the end-to-end tests run in, with no
# dialog waiting for an answer: a 64-bit one always, a 32-bit one where this
# machine can execute 32-bit code. Then keeps one Wine server running for
# each, so that every test does not pay for starting one.
set -euo pipefail
base="${TRELM_WINE_PREFIX_BASE:-$HOME/.wine-trelm}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

prepare() { # prefix loader arch
  if [ ! -f "$1/system.reg" ]; then
    echo "setup: creating the Wine prefix $1"
    WINEPREFIX="$1" WINEARCH="$3" timeout 900 "$2" wineboot --init >/dev/null 2>&1 || true
    WINEPREFIX="$1" wineserver -w || true
  fi
  [ -f "$1/system.reg" ] || { echo "setup: could not create $1" >&2; exit 1; }
  WINEPREFIX="$1" wineserver -p >/dev/null 2>&1 || true
}

prepare "${base}64" /usr/lib/wine/wine64 win64
if "$(dirname "$0")/can-run-32bit.sh"; then
  prepare "${base}32" /usr/lib/wine/wine win32
fi
