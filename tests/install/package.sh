#!/bin/sh
# The Debian package: built with CPack, clean under lintian, installed, found in the menu
# entries, run, and removed without a trace. Needs root (it installs into the system).
# Usage: package.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tavimo_*.deb)

echo "== lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v "root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1

echo "== install"
apt-get install -y -qq "$deb" >/dev/null
grep -q "^Exec=tavimo$" /usr/share/applications/org.tavimo.Tavimo.desktop
[ -f /usr/share/icons/hicolor/scalable/apps/org.tavimo.Tavimo.svg ]
man -w 6 tavimo >/dev/null 2>&1 || [ -f /usr/share/man/man6/tavimo.6.gz ]

echo "== run"
(
  . "$here/../../scripts/xvfb.sh"
  /usr/bin/tavimo &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1)
  xdotool mousemove --window "$wid" 140 276 click 1  # "end"
  wait "$pid"
)

echo "== remove"
dpkg -r tavimo >/dev/null
! dpkg -L tavimo >/dev/null 2>&1 || dpkg -s tavimo | grep -q "Status: deinstall"
[ ! -e /usr/bin/tavimo ] && [ ! -e /usr/share/applications/org.tavimo.Tavimo.desktop ]
echo "package: built, lintian-clean, installed, ran, removed"
