#!/usr/bin/env bash
# Succeeds when this machine can execute 32-bit x86 code, which the 32-bit
# Wine needs. Some virtual machines run 64-bit user code only.
timeout 20 /usr/lib/wine/wineserver32 --version >/dev/null 2>&1
