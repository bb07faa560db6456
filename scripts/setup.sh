#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root),
# then prepares the Wine prefixes. Safe to run again: it installs only what
# is missing.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

updated=
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

need=()
for p in g++ cmake make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
         gcc-mingw-w64-i686 g++-mingw-w64-i686 gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 \
         wine wine64 wine32:i386 hyperfine; do
  have_pkg "$p" || need+=("$p")
done
if ((${#need[@]})); then
  echo "setup: installing ${need[*]}"
  apt-get update -qq
  updated=yes
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
: "$updated"

"$(dirname "$0")/wine-prefix.sh"
