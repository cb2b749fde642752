#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine for ctest (the cross build's CMAKE_CROSSCOMPILING_EMULATOR),
# or with --new-prefix makes the run's Wine prefix afresh.
# Usage: run.sh PROGRAM.exe [ARGUMENT...] | run.sh --new-prefix
set -eu
. "$(dirname "$0")/wine.sh"
if [ "${1:-}" = --new-prefix ]; then
  new_prefix
  echo "Wine $(wine --version) prefix $WINEPREFIX"
  exit 0
fi
exec wine "$@"
