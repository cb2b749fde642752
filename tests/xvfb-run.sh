#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a command against its own Xvfb, on Qt's X11 platform.
# Usage: xvfb-run.sh COMMAND [ARGUMENT...]
set -u
. "$(dirname "$0")/../scripts/xvfb.sh"
export QT_QPA_PLATFORM=xcb
"$@"
