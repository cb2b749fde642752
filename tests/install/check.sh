#!/bin/sh
# SPDX-License-Identifier: MIT
# The install tree: everything a desktop needs lands where it looks, and the validators agree.
# Usage: check.sh BUILD_DIR BINDIR DATADIR MANDIR   (the full install directories)
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" >/dev/null
bin=$root$2 data=$root$3 man=$root$4

passed=0 failures=0
check() {
  if eval "$2"; then
    echo "ok   $1"
    passed=$((passed + 1))
  else
    echo "FAIL $1"
    failures=$((failures + 1))
  fi
}

id=org.tavimo.Tavimo
check "binary" '[ -x "$bin/tavimo" ]'
check "desktop entry validates" 'desktop-file-validate "$data/applications/$id.desktop"'
check "desktop entry in Japanese, German and French" \
  '[ "$(grep -cE "^(GenericName|Comment|Keywords)\[(ja|de|fr)\]=" "$data/applications/$id.desktop")" = 9 ]'
check "metainfo summary in Japanese, German and French" \
  '[ "$(grep -cE "<summary xml:lang=\"(ja|de|fr)\">" "$data/metainfo/$id.metainfo.xml")" = 3 ]'
check "metainfo validates" \
  'appstreamcli validate --no-net --pedantic "$data/metainfo/$id.metainfo.xml" >/dev/null'
for size in 16 32 48 64 128 256; do
  check "icon ${size}x$size" \
    'file "$data/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size"'
done
check "scalable icon" 'grep -q "<circle" "$data/icons/hicolor/scalable/apps/$id.svg"'
check "manual page in section 6" 'zcat "$man/man6/tavimo.6.gz" | grep -q "^.TH TAVIMO 6"'
check "installed binary answers" '"$bin/tavimo" --version | grep -q "^tavimo "'

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
