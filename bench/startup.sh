#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up time (exec to window mapped, median of N) and memory after 5 s: Tavimo against the
# floor program, side by side under one Xvfb. Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-10}
tavimo=$build/tavimo
floor=$build/bench/tavimo_floor
mapwait=$build/bench/mapwait

. "$(dirname "$0")/../scripts/xvfb.sh"

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
kb() { awk -v k="$2" '$1 == k ":" { print $2 }' "$1"; }

: >/tmp/startup.$$.tavimo
: >/tmp/startup.$$.floor
i=0
while [ "$i" -lt "$runs" ]; do
  for prog in tavimo floor; do
    eval exe=\$$prog
    set -- $("$mapwait" "$exe")
    echo "$1" >>/tmp/startup.$$.$prog
    kill "$2"
    sleep 0.3  # let it go before the next one starts
  done
  i=$((i + 1))
done

printf '%-8s %14s %10s %10s\n' program "start-up ms" "RSS kB" "PSS kB"
for prog in tavimo floor; do
  eval exe=\$$prog
  set -- $("$mapwait" "$exe")
  pid=$2
  sleep 5
  rss=$(kb /proc/$pid/status VmRSS)
  pss=$(kb /proc/$pid/smaps_rollup Pss)
  kill "$pid"
  printf '%-8s %14s %10s %10s\n' "$prog" "$(median </tmp/startup.$$.$prog)" "$rss" "$pss"
done
rm -f /tmp/startup.$$.*
