#!/bin/sh
# SPDX-License-Identifier: MIT
# Sets everything up and runs every test, headless (tests that need a real X server start Xvfb).
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
