#!/bin/sh
# SPDX-License-Identifier: MIT
# Sets everything up and starts Tavimo.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
exec build/tavimo "$@"
