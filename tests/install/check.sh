#!/bin/sh
# The install tree: everything a desktop needs lands where it looks, and the validators agree.
# Usage: check.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; }

id=org.tavimo.Tavimo
check "binary" '[ -x "$prefix/bin/tavimo" ]'
check "desktop entry validates" 'desktop-file-validate "$prefix/share/applications/$id.desktop"'
check "metainfo validates" \
  'appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null'
for size in 16 32 48 64 128 256; do
  check "icon ${size}x$size" \
    'file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size"'
done
check "scalable icon" 'grep -q "<circle" "$prefix/share/icons/hicolor/scalable/apps/$id.svg"'
check "manual page in section 6" 'zcat "$prefix/share/man/man6/tavimo.6.gz" | grep -q "^.TH TAVIMO 6"'
check "installed binary answers" '"$prefix/bin/tavimo" --version | grep -q "^tavimo "'

echo "$((12 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
