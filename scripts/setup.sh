#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs what Tavimo needs on Debian 12 and builds it into build/.
# Usage: sh scripts/setup.sh          what building and running need; builds the program alone
#        sh scripts/setup.sh tests    that, the test desktops and tools; builds the tests too
set -eu
cd "$(dirname "$0")/.."
mode=${1:-program}

packages="g++ cmake make qt6-base-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n \
  libxcb1-dev qt6-wayland fonts-ipafont-gothic fonts-vlgothic fonts-dejavu-core"
case $mode in
  program) ;;
  tests)
    packages="$packages libgtest-dev libbenchmark-dev python3 python3-pytest python3-xlib git file \
      imagemagick xvfb xauth xdotool x11-utils x11-xserver-utils wmctrl desktop-file-utils appstream \
      openbox i3-wm xfwm4 picom mutter weston xwayland kwin-wayland kwin-style-breeze dbus-daemon \
      xserver-xorg-core xserver-xorg-video-dummy at-spi2-core python3-pyatspi"
    ;;
  *)
    echo "usage: sh scripts/setup.sh [tests]" >&2
    exit 2
    ;;
esac

. scripts/packages.sh
install_missing $packages

if [ "$mode" = tests ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
  cmake --build build -j"$(nproc)"
else
  # A build folder the tests set up keeps its tests; only the program is built here.
  [ -f build/CMakeCache.txt ] || testing=-DBUILD_TESTING=OFF
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${testing:-} >/dev/null
  cmake --build build -j"$(nproc)" --target tavimo
fi
