#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds HEAD's source release (scripts/release.sh) twice, in two temporary folders of different
# depth, one after the other, with another umask, locale and time zone, and compares what the two
# made: the install tree of `cmake --install`, the .deb files, and the Windows program, its zip
# and its installer. Names every file that differs; diffoscope shows how. Installs what it needs.
# It builds everything twice (about 5 minutes on 2 cores), so it is no part of the test command.
#
# The Windows build's Qt is the one scripts/windows.sh takes (TAVIMO_QT_WINDOWS, or its cache).
# TAVIMO_REPRODUCE_WINDOWS=0 leaves the Windows files out.
# Usage: sh scripts/reproduce.sh [OUTPUT_DIR]   (keeps both builds' files there; default: none)
set -eu
cd "$(dirname "$0")/.."
windows=${TAVIMO_REPRODUCE_WINDOWS:-1}
say() { echo "reproduce.sh: $*" >&2; }

packages="g++ cmake make qt6-base-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n \
  libxcb1-dev git dpkg-dev debhelper locales"
[ "$windows" = 0 ] || packages="$packages g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  ninja-build qt6-base-dev-tools nsis zip xz-utils"
. scripts/packages.sh
install_missing $packages

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tarball=$(sh scripts/release.sh "$work")
top=$(basename "$tarball" .tar.gz)
[ "$windows" = 0 ] || qt=$(sh scripts/windows.sh qt)

# A locale other than the usual C.UTF-8, made here so that nothing of the system's changes.
other_locale=C.UTF-8
mkdir "$work/locale"
localedef -i fr_FR -f UTF-8 "$work/locale/fr_FR.UTF-8" 2>/dev/null || true
if [ -d "$work/locale/fr_FR.UTF-8" ]; then
  other_locale=fr_FR.UTF-8
else
  say "note: no fr_FR locale could be made; both builds run in C.UTF-8"
fi

# logged LOG COMMAND...: runs COMMAND with its output added to LOG, shown when it fails.
logged() {
  log=$1
  shift
  "$@" >>"$log" 2>&1 || { tail -n 40 "$log"; say "failed: $*"; exit 1; }
}

# build NAME FOLDER: unpacks the release into FOLDER and builds it there, its results in
# $work/NAME. Run in a subshell, with the umask, locale and time zone already set.
build() {
  out=$work/$1 dir=$2
  mkdir -p "$out/deb" "$dir/deb"
  say "$1: building in $dir (umask $(umask), LC_ALL=$LC_ALL, TZ=$TZ)"
  # Where there is no git the release's own date is taken, as anyone building it gets it.
  unset SOURCE_DATE_EPOCH

  tar -xzf "$tarball" -C "$dir"
  logged "$out/linux.log" cmake -S "$dir/$top" -B "$dir/linux" -DBUILD_TESTING=OFF
  logged "$out/linux.log" cmake --build "$dir/linux" -j"$(nproc)"
  logged "$out/linux.log" env DESTDIR="$out/install" cmake --install "$dir/linux"

  # dpkg-buildpackage takes the date from debian/changelog, as for any Debian package.
  tar -xzf "$tarball" -C "$dir/deb"
  (cd "$dir/deb/$top" && logged "$out/deb.log" env DEB_BUILD_OPTIONS=nocheck \
    dpkg-buildpackage -us -uc -b -Pnocheck -j"$(nproc)")
  mv "$dir"/deb/*.deb "$out/deb/"

  [ "$windows" != 0 ] || return 0
  logged "$out/windows.log" cmake -S "$dir/$top" -B "$dir/windows" -G Ninja -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$dir/$top/cmake/mingw-w64-x86_64.cmake" \
    -DTAVIMO_ICON_TOOL="$dir/linux/data/tavimo-icons"
  logged "$out/windows.log" cmake --build "$dir/windows" -j"$(nproc)"
  logged "$out/windows.log" cmake --build "$dir/windows" --target windows-release
  mkdir "$out/windows"
  cp "$dir/windows/tavimo.exe" "$dir/windows/$top"-*.zip "$dir/windows/$top"-setup.exe \
    "$out/windows/"
}

(
  umask 022
  export LC_ALL=C.UTF-8 TZ=UTC0
  build first "$work/a"
)
# The second starts when the first is done, minutes later on the clock.
(
  umask 002
  export LOCPATH="$work/locale" LC_ALL="$other_locale" TZ=XST-13
  build second "$work/second/build-folder"
)

# Every file either made, in the order of their names.
(cd "$work/first" && find install deb windows -type f 2>/dev/null) >"$work/files.first"
(cd "$work/second" && find install deb windows -type f 2>/dev/null) >"$work/files.second"
LC_ALL=C sort -u "$work/files.first" "$work/files.second" >"$work/files"
same=0 differ=0
while read -r f; do
  if [ ! -f "$work/first/$f" ] || [ ! -f "$work/second/$f" ]; then
    echo "ONLY IN ONE $f"
    differ=$((differ + 1))
  elif cmp -s "$work/first/$f" "$work/second/$f"; then
    echo "same   $(sha256sum <"$work/first/$f" | cut -c1-64)  $f"
    same=$((same + 1))
  else
    echo "DIFFER $f"
    echo "       $(sha256sum <"$work/first/$f" | cut -c1-64)  first"
    echo "       $(sha256sum <"$work/second/$f" | cut -c1-64)  second"
    differ=$((differ + 1))
  fi
done <"$work/files"

if [ -n "${1:-}" ]; then
  mkdir -p "$1"
  rm -rf "$1/first" "$1/second"
  cp -r "$work/first" "$work/second" "$1/"
  kept=$(cd "$1" && pwd)
fi
if [ "$differ" -gt 0 ]; then
  echo "$differ of $((same + differ)) files differ; diffoscope FIRST SECOND shows how" \
    "${kept:+(both builds are in $kept)}"
  exit 1
fi
echo "all $same files the same in both builds"
