#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine against its own Xvfb, on Qt's Windows platform, and leaves
# no Wine process behind on the display that goes with it.
# Usage: xvfb-run.sh PROGRAM.exe [ARGUMENT...]   (WINEPREFIX: the prefix to use)
set -u
here=$(dirname "$0")
. "$here/wine.sh"
. "$here/../../scripts/xvfb.sh"
trap 'end_wine; stop_xvfb' EXIT
end_wine  # none left on another display either
status=0
wine "$@" || status=$?
exit "$status"
