#!/bin/sh
# SPDX-License-Identifier: MIT
# Cross-builds Tavimo for 64-bit Windows on Debian 12: build-windows/tavimo.exe (static, one file),
# the zip and the installer beside it. Installs what it needs with apt-get.
#
# Qt for Windows: TAVIMO_QT_WINDOWS names a static MinGW Qt, as an archive (.tar.xz) or an
# unpacked prefix. Without it Qt is built once from Debian's own qt6-base source (about 25
# minutes on 2 cores) and kept in ${XDG_CACHE_HOME:-~/.cache}/tavimo/.
#
# Usage: sh scripts/windows.sh        the program, the zip and the installer
#        sh scripts/windows.sh qt     only get Qt ready; prints its prefix
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)
build=$src/build-windows
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tavimo
qt_version=6.4.2
qt_name=qt6-mingw-static-$qt_version

say() { echo "windows.sh: $*" >&2; }
die() { say "$*"; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

. scripts/packages.sh

# --- Qt for Windows

# A prefix is usable once its CMake package and toolchain file are there, with Qt Test for the
# tests (a prefix kept from before Qt Test was built in is made again).
is_qt_prefix() {
  [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$1/lib/libQt6Widgets.a" ] &&
    [ -f "$1/lib/libQt6Test.a" ]
}

# An archive is unpacked once per content, so a newer archive of the same name is not mistaken
# for the one unpacked before.
unpack_qt() {
  sum=$(sha256sum "$1" | cut -c1-16)
  dir=$cache/archive-$sum
  if ! is_qt_prefix "$dir/$qt_name"; then
    rm -rf "$dir.part"
    mkdir -p "$dir.part"
    tar -xf "$1" -C "$dir.part"
    is_qt_prefix "$dir.part/$qt_name" || die "$1 does not hold $qt_name/ with Qt's CMake files and Qt Test"
    rm -rf "$dir"
    mv "$dir.part" "$dir"
  fi
  qt=$dir/$qt_name
}

# Debian's source of its own Qt, with its bundled zlib, libpng, pcre2, harfbuzz and freetype.
fetch_qt_source() {
  if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $qt_version"; then
    list=/etc/apt/sources.list.d/tavimo-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $sudo tee "$list" >/dev/null
    else
      grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        $sudo tee "${list%.sources}.list" >/dev/null
    fi
    $sudo apt-get update -qq
  fi
  orig=qt6-base_$qt_version+dfsg.orig.tar.xz
  [ -f "$work/$orig" ] || (cd "$work" && apt-get source -q --download-only qt6-base >/dev/null)
  [ -f "$work/$orig" ] || die "apt-get source qt6-base gave no $orig (is this Debian 12?)"
}

build_qt() {
  install_missing g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build \
    qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils
  work=$cache/qt-build
  mkdir -p "$work"
  fetch_qt_source
  say "building Qt $qt_version for Windows from Debian's source into $cache (about 25 minutes)"
  qtsrc=$work/qtbase-everywhere-src-$qt_version
  rm -rf "$qtsrc" "$work/build" "$work/$qt_name"
  tar -xf "$work/$orig" -C "$work"
  # 6.4.2's Windows plugin asks for dynamic OpenGL even where OpenGL is off.
  window_cpp=$qtsrc/src/plugins/platforms/windows/qwindowswindow.cpp
  sed -i '/^static inline bool isSoftwareGl()$/,/^}$/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$window_cpp"
  grep -q '^#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)$' "$window_cpp" ||
    die "Qt's source is not the one expected: the OpenGL fix did not apply"

  multiarch=$(gcc -print-multiarch)
  cmake -G Ninja -S "$qtsrc" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
    -DCMAKE_INSTALL_PREFIX="$work/$qt_name" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    >"$work/configure.log" || die "configuring Qt failed; see $work/configure.log"
  cmake --build "$work/build" --parallel "$(nproc)"
  cmake --install "$work/build" >/dev/null

  # The prefix carries its toolchain, as the shared archive does, so it can be used alone.
  cp "$src/cmake/mingw-w64-x86_64.cmake" "$work/$qt_name/lib/cmake/Qt6/mingw-w64-x86_64.cmake"
  sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")$|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")|' \
    "$work/$qt_name/lib/cmake/Qt6/qt.toolchain.cmake"
  rm -rf "$work/$qt_name/doc" "$cache/$qt_name"
  mv "$work/$qt_name" "$cache/$qt_name"
  rm -rf "$qtsrc" "$work/build"
  qt=$cache/$qt_name
}

find_qt() {
  given=${TAVIMO_QT_WINDOWS:-}
  if [ -n "$given" ]; then
    if [ -d "$given" ]; then
      is_qt_prefix "$given" || die "TAVIMO_QT_WINDOWS=$given is no static Qt prefix for MinGW with Qt Test"
      qt=$(cd "$given" && pwd)
    elif [ -f "$given" ]; then
      install_missing xz-utils
      unpack_qt "$(cd "$(dirname "$given")" && pwd)/$(basename "$given")"
    else
      die "TAVIMO_QT_WINDOWS=$given: no such file or folder"
    fi
  elif is_qt_prefix "$cache/$qt_name"; then
    qt=$cache/$qt_name
  else
    build_qt
  fi
}

mkdir -p "$cache"
if [ "${1:-}" = qt ]; then
  find_qt
  echo "$qt"
  exit 0
fi
[ $# -eq 0 ] || die "usage: sh scripts/windows.sh [qt]"

# The build's tools; Wine (with its own faces) and GoogleTest's source for its tests
install_missing g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build \
  qt6-base-dev qt6-base-dev-tools nsis zip wine wine64 fonts-wine googletest
find_qt
say "Qt for Windows: $qt"

# The icon is drawn on this machine, by the icon tool of the native build (build/, which
# scripts/setup.sh makes), brought up to date; where there is none, by one built for it alone.
if [ -n "${TAVIMO_ICON_TOOL:-}" ]; then
  icon_tool=$TAVIMO_ICON_TOOL
else
  native=$src/build
  if [ ! -f "$native/CMakeCache.txt" ]; then
    native=$src/build-windows-host
    cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  fi
  cmake --build "$native" --target tavimo-icons --parallel "$(nproc)" >/dev/null
  icon_tool=$native/data/tavimo-icons
fi

# --- Tavimo. A build folder set up with another Qt starts afresh: CMake keeps its first toolchain.
toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
if [ -f "$build/CMakeCache.txt" ] &&
  ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
  -DTAVIMO_ICON_TOOL="$icon_tool" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
cmake --build "$build" --target windows-release
say "made $build/tavimo.exe,"
say "     $build/tavimo-$(sed -n 's/^project(tavimo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-windows-x86_64.zip and the installer beside it"
