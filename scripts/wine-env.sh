# Sourced by the scripts that run the Windows build under Wine: picks the
# build this machine can run (the 32-bit one where it executes 32-bit code,
# else the 64-bit build of the same sources) and sets $variant, $loader and
# the Wine environment for its prefix.
if "$(dirname "${BASH_SOURCE[0]}")/can-run-32bit.sh"; then
  variant=win32 loader=/usr/lib/wine/wine
else
  variant=win64 loader=/usr/lib/wine/wine64
fi
export WINEPREFIX="${TRELM_WINE_PREFIX_BASE:-$HOME/.wine-trelm}${variant#win}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
