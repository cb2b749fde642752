#!/bin/sh
# SPDX-License-Identifier: MIT
# The source release holds exactly the files git tracks at HEAD and the date of HEAD's commit,
# and what it holds unpacks and builds with no git about it (taking that date), into a program
# that starts. Its tests are those of the checkout (CI's clone has only the tracked files too), so
# they are not built again. Skipped outside a git checkout (an unpacked release).
# Usage: tarball.sh SOURCE_DIR
set -eu
src=$(cd "$1" && pwd)
if ! command -v git >/dev/null 2>&1 ||
  [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" != "$src" ]; then
  echo "skipped: $src is not a git checkout" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tarball=$(sh "$src/scripts/release.sh" "$work")
top=$(basename "$tarball" .tar.gz)
tar -tzf "$tarball" | grep -v '/$' | sed "s|^$top/||" | sort >"$work/packed"
{ git -C "$src" ls-tree -r --name-only HEAD && echo .tarball-date; } | sort >"$work/tracked"
if ! cmp -s "$work/packed" "$work/tracked"; then
  echo "FAIL the tarball does not hold exactly the tracked files and the date (< packed, > tracked):"
  diff "$work/packed" "$work/tracked" | grep '^[<>]' | head -n 20
  exit 1
fi
echo "ok   $(wc -l <"$work/packed") files, exactly those tracked and the date, under $top/"

tar -xzf "$tarball" -C "$work"
date=$(git -C "$src" log -1 --format=%ct HEAD)
configured=$(env -u SOURCE_DATE_EPOCH cmake -S "$work/$top" -B "$work/build" -DBUILD_TESTING=OFF)
if ! echo "$configured" | grep -qxF -- "-- Source date: $date, from .tarball-date"; then
  echo "FAIL the unpacked release does not build with HEAD's date $date:"
  echo "$configured" | grep "Source date" || echo "(no source date said)"
  exit 1
fi
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log"
  echo "FAIL the unpacked release does not build"
  exit 1
}
"$work/build/tavimo" --version | head -n 1 | grep -qx "tavimo ${top#tavimo-}" || {
  echo "FAIL the unpacked release's program does not say its version"
  exit 1
}
echo "ok   the unpacked release builds with HEAD's date, and its program says its version"
