#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the source release tavimo-VERSION.tar.gz from what git tracks at HEAD, and nothing else:
# no build folders, no .git, no stray files. The version is the one CMakeLists.txt sets. Beside
# them, .tarball-date holds HEAD's commit date, which a build of the release, having no git to ask,
# writes wherever a file time goes (cmake/sourcedate.cmake).
# Usage: release.sh [OUTPUT_DIR]   (default: the current folder); prints the tarball's path.
set -eu
out=$(cd "${1:-.}" && pwd)
cd "$(dirname "$0")/.."

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "release.sh: not a git checkout; a source release is made from one" >&2
  exit 1
fi
version=$(git show HEAD:CMakeLists.txt |
  sed -n 's/^project(tavimo VERSION \([0-9][0-9.]*\).*/\1/p')
if [ -z "$version" ]; then
  echo "release.sh: no project(tavimo VERSION ...) in CMakeLists.txt at HEAD" >&2
  exit 1
fi
if ! git diff --quiet HEAD -- 2>/dev/null; then
  echo "release.sh: note: uncommitted changes are not in the release, which holds HEAD" >&2
fi

tarball=$out/tavimo-$version.tar.gz
dated=$(mktemp -d)
trap 'rm -rf "$dated"' EXIT
git log -1 --format=%ct HEAD >"$dated/.tarball-date"
git archive --format=tar.gz --prefix="tavimo-$version/" --add-file="$dated/.tarball-date" \
  -o "$tarball" HEAD
echo "$tarball"
