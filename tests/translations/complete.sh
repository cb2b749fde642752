#!/bin/sh
# SPDX-License-Identifier: MIT
# Every text the program shows is translated in every language, and no translation is left over
# from a text that is gone: lupdate, run on a copy of the .ts files, must find nothing to add and
# nothing to drop. So a new string cannot ship untranslated.
# Usage: complete.sh LUPDATE SOURCE_DIR TS_FILE...
set -eu
lupdate=$1 src=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  (cd "$src" && "$lupdate" -silent -locations none app runtime mainform trail wander datebox \
    lifecycle -ts "$copy") >/dev/null
  for kind in unfinished vanished obsolete; do
    n=$(grep -c "type=\"$kind\"" "$copy" || true)
    if [ "$n" -gt 0 ]; then
      echo "FAIL $(basename "$ts"): $n $kind"
      grep -B3 "type=\"$kind\"" "$copy" | grep '<source>' | sed 's/^ */     /'
      status=1
    fi
  done
  [ "$status" -ne 0 ] || echo "ok   $(basename "$ts"): $(grep -c '<message>' "$copy") texts, all translated"
done
exit $status
