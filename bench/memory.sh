#!/bin/sh
# SPDX-License-Identifier: MIT
# Resident and proportional set size of Tavimo, animating and wandering, sampled every minute
# over a long run: memory must not grow. Usage: bench/memory.sh [BUILD_DIR] [MINUTES]
set -eu
build=${1:-build}
minutes=${2:-10}
. "$(dirname "$0")/../scripts/xvfb.sh"
kb() { awk -v k="$2" '$1 == k ":" { print $2 }' "$1"; }

"$build/tavimo" >/dev/null 2>&1 &
pid=$!
wid=$(xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1)
sleep 5
printf '%8s %10s %10s\n' minute "RSS kB" "PSS kB"
printf '%8s %10s %10s\n' 0 "$(kb /proc/$pid/status VmRSS)" "$(kb /proc/$pid/smaps_rollup Pss)"
m=1
while [ "$m" -le "$minutes" ]; do
  # keep it wandering: a run lasts 50 s, so start one each minute
  xdotool mousemove --window "$wid" 28 276 click 1
  sleep 60
  printf '%8s %10s %10s\n' "$m" "$(kb /proc/$pid/status VmRSS)" "$(kb /proc/$pid/smaps_rollup Pss)"
  m=$((m + 1))
done
kill "$pid"
