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

# Installs the missing ones of the packages named; extra apt-get options first.
install_missing() {
  local opts=() need=() p
  while [ "$1" != "--" ]; do opts+=("$1"); shift; done
  shift
  for p in "$@"; do have_pkg "$p" || need+=("$p"); done
  ((${#need[@]})) || return 0
  echo "setup: installing ${need[*]}"
  if [ -z "$updated" ]; then apt-get update -qq; updated=yes; fi
  apt-get install -y -qq "${opts[@]}" "${need[@]}" >/dev/null
}

install_missing --no-install-recommends -- \
  g++ cmake make bsdutils googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
  gcc-mingw-w64-i686 g++-mingw-w64-i686 gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 hyperfine
# Wine with the libraries it recommends, as it is tested here.
install_missing -- wine wine64 wine32:i386

"$(dirname "$0")/wine-prefix.sh"
