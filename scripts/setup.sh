#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root)
# and prepares an unattended Wine prefix. Safe to run again: it only
# installs what is missing.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=
fi

for p in g++ cmake make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
         llvm binutils-mingw-w64-i686 g++-mingw-w64-i686 gcc-mingw-w64-i686 \
         wine wine32:i386 hyperfine xvfb; do
  have_pkg "$p" || need+=("$p")
done

if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# The Windows build must use the POSIX-thread-free "win32" flavour of MinGW so
# that nothing pulls in libwinpthread.
for t in gcc g++; do
  if [ -e "/usr/bin/i686-w64-mingw32-$t-win32" ]; then
    update-alternatives --set "i686-w64-mingw32-$t" "/usr/bin/i686-w64-mingw32-$t-win32" >/dev/null 2>&1 || true
  fi
done

"$(dirname "$0")/wine-prefix.sh"
