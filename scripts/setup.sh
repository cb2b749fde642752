#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs what Tavimo needs on Debian 12 and builds it into build/.
set -eu
cd "$(dirname "$0")/.."

packages="g++ cmake make qt6-base-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n \
  libgtest-dev libbenchmark-dev \
  fonts-ipafont-gothic fonts-vlgothic fonts-dejavu-core \
  libxcb1-dev xvfb xauth xdotool x11-utils openbox wmctrl imagemagick \
  desktop-file-utils appstream file git \
  i3-wm xfwm4 mutter dbus-daemon picom weston xwayland qt6-wayland python3 \
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils"
# The end-to-end tests' harness, and the Wayland desktops it runs the program on.
packages="$packages python3-pytest python3-xlib kwin-wayland kwin-style-breeze"
# What a screen reader talks through, for the accessibility tests.
packages="$packages at-spi2-core dbus-daemon python3-pyatspi"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing:$missing"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
