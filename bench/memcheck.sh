#!/bin/sh
# SPDX-License-Identifier: MIT
# valgrind memcheck over a 5-second run of the real program under Xvfb, ended by its "end" button.
# Leaks in system libraries that cache for the life of the process (fontconfig, Qt's platform
# plugin, glib) are suppressed by bench/memcheck.supp; anything definitely lost in our own code
# fails. Usage: bench/memcheck.sh [BUILD_DIR]
set -eu
build=${1:-build}
supp="$(dirname "$0")/memcheck.supp"
. "$(dirname "$0")/../scripts/xvfb.sh"
log=$(mktemp)

valgrind --tool=memcheck --child-silent-after-fork=yes --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --suppressions="$supp" --error-exitcode=3 --log-file="$log" "$build/tavimo" &
pid=$!
wid=$(xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1)
sleep 5
xdotool mousemove --window "$wid" 140 276 click 1
status=0
wait "$pid" || status=$?
grep -E "definitely lost|ERROR SUMMARY|suppressed:" "$log"
if [ "$status" -ne 0 ]; then
  echo "memcheck: status $status; see $log"
  exit 1
fi
rm -f "$log"
echo "memcheck: no definite leak, no error"
