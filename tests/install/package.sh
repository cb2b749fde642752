#!/bin/sh
# SPDX-License-Identifier: MIT
# The Debian package: built by dpkg-buildpackage from a copy of the tracked files (the work tree
# stays clean), clean under lintian, installed, its autopkgtest run, and removed without a trace.
# Needs root (it installs into the system). DEB_BUILD_OPTIONS and DEB_BUILD_PROFILES
# are passed on to the build.
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== build"
mkdir "$work/tavimo"
if [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$src" ]; then
  (cd "$src" && git ls-files -z | tar --null -T - --ignore-failed-read -cf -) |
    tar -xf - -C "$work/tavimo"
else
  (cd "$src" && tar --exclude='./build*' --exclude='./obj-*' -cf - .) | tar -xf - -C "$work/tavimo"
fi
if ! (cd "$work/tavimo" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$work/build.log" 2>&1; then
  tail -n 60 "$work/build.log"
  exit 1
fi
grep -E "tests passed|tests failed" "$work/build.log" || echo "(tests not run in the build)"
version=$(dpkg-parsechangelog -l "$work/tavimo/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
deb=$work/tavimo_${version}_$arch.deb
ls "$work"/*.deb | sed 's|.*/||'

echo "== lintian"
status=0
lintian -I --pedantic --fail-on error,warning "$work/tavimo_${version}_$arch.changes" \
  >"$work/lintian.txt" 2>&1 || status=$?
grep -v "root privileges" "$work/lintian.txt" || true
[ "$status" -eq 0 ] || { echo "lintian: errors or warnings"; exit 1; }
echo "lintian: nothing above info"

echo "== install"
apt-get install -y -qq "$deb" >/dev/null
upstream=${version%-*}
[ "$(/usr/games/tavimo --version | head -n 1)" = "tavimo $upstream" ] ||
  { echo "the program's version is not the package's $upstream"; exit 1; }
! readelf -d /usr/games/tavimo | grep -Eq 'R(UN)?PATH' || { echo "the binary has a RUNPATH"; exit 1; }
grep -q "^Exec=tavimo$" /usr/share/applications/org.tavimo.Tavimo.desktop
[ -f /usr/share/icons/hicolor/scalable/apps/org.tavimo.Tavimo.svg ]
man -w 6 tavimo >/dev/null 2>&1 || [ -f /usr/share/man/man6/tavimo.6.gz ]

echo "== autopkgtest"
status=0
autopkgtest -q -B "$deb" "$work/tavimo" -o "$work/autopkgtest" -- null \
  >"$work/autopkgtest.log" 2>&1 || status=$?
grep -E '^(ok   |FAIL |FAILED |E   |[0-9]+ (passed|failed))' "$work/autopkgtest.log" || true
cat "$work/autopkgtest/summary" 2>/dev/null || tail -n 40 "$work/autopkgtest.log"
[ "$status" -eq 0 ] || { echo "autopkgtest: status $status"; exit 1; }

echo "== remove"
apt-get purge -y -qq tavimo >/dev/null
! dpkg -s tavimo >/dev/null 2>&1
[ ! -e /usr/games/tavimo ] && [ ! -e /usr/share/applications/org.tavimo.Tavimo.desktop ] &&
  [ ! -e /usr/share/doc/tavimo ]
echo "package: built, lintian-clean, installed, autopkgtest passed, removed"
