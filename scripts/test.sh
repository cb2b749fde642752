#!/bin/sh
# SPDX-License-Identifier: MIT
# Sets everything up and runs every test, headless (tests that need a real X server start Xvfb);
# then cross-builds the Windows program (scripts/windows.sh) and tests it under Wine.
# TAVIMO_WINDOWS_TESTS=0 leaves the Windows leg out.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh tests
status=0
ctest --test-dir build --output-on-failure -j"$(nproc)" || status=$?

if [ "${TAVIMO_WINDOWS_TESTS:-1}" = 0 ]; then
  echo "skipped: the Windows leg (TAVIMO_WINDOWS_TESTS=0)"
  exit "$status"
fi
echo "== Windows: cross-built, tested under Wine"
if sh scripts/windows.sh; then
  ctest --test-dir build-windows --output-on-failure -j"$(nproc)" || status=$?
  # Every screenshot in one place: the Windows program's beside the others.
  rm -rf build/artifacts/windows
  mkdir -p build/artifacts
  cp -r build-windows/artifacts build/artifacts/windows 2>/dev/null || true
else
  echo "FAIL the Windows build (scripts/windows.sh)"
  status=1
fi
exit "$status"
