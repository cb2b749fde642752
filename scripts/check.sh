#!/bin/sh
# SPDX-License-Identifier: MIT
# CI's extra checks: clang-tidy over our own code, the unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, valgrind memcheck on a run of the real program, and the Debian
# package's round trip (needs root). Installs what it needs.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh tests >/dev/null
. scripts/packages.sh
install_missing clang-tidy valgrind lintian dpkg-dev debhelper autopkgtest

echo "== clang-tidy"
cmake -S . -B build -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
out=$(run-clang-tidy -p build -quiet '/(app|runtime|trail|wander|datebox|lifecycle|mainform)/' 2>/dev/null |
  grep -E 'warning:|error:' || true)
if [ -n "$out" ]; then
  echo "$out"
  exit 1
fi
echo "clean"

echo "== sanitizers"
cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DTAVIMO_SANITIZE=address,undefined \
  -DTAVIMO_BENCH=OFF >/dev/null
cmake --build build-san -j"$(nproc)" --target tavimo_tests
# Qt and fontconfig keep caches for the life of the process; leaks are valgrind's job (bench/).
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-san --output-on-failure -j"$(nproc)" -L unit

echo "== memcheck"
sh bench/memcheck.sh build

echo "== package"
if [ "$(id -u)" -eq 0 ]; then
  # The tree passed the whole suite in the test command; the package's own test is its
  # autopkgtest, on the installed program.
  DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" DEB_BUILD_PROFILES=nocheck \
    sh tests/install/package.sh
else
  echo "skipped: installing the package needs root"
fi
