# Sourced by the scripts that run the Windows build under Wine: sets $loader
# and the Wine environment for the prefix of $variant (win32 or win64). When
# $variant is not set, it picks the build this machine can run: the 32-bit
# one where it executes 32-bit code, else the 64-bit build of the same
# sources.
if [ -z "${variant:-}" ]; then
  if "$(dirname "${BASH_SOURCE[0]}")/can-run-32bit.sh"; then variant=win32; else variant=win64; fi
fi
if [ "$variant" = win32 ]; then loader=/usr/lib/wine/wine; else loader=/usr/lib/wine/wine64; fi
export WINEPREFIX="${TRELM_WINE_PREFIX_BASE:-$HOME/.wine-trelm}${variant#win}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
