#!/bin/sh
# CPU time per minute of the program and of the X server, side by side under one Xvfb:
# the floor (nothing moving), Tavimo animating, Tavimo wandering, and a straightforward Qt
# program doing the same, for scale. Usage: bench/cpu.sh [BUILD_DIR] [SECONDS]
set -eu
build=${1:-build}
seconds=${2:-60}
. "$(dirname "$0")/../scripts/xvfb.sh"

# CPU time of every thread of a process, in ms, from the scheduler's nanosecond counts
cpu_ms() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print int(s / 1e6) }'; }

# measure NAME TITLE WANDER COMMAND...: CPU-ms per minute of the program and of Xvfb
measure() {
  name=$1 title=$2 wander=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  pid=$!
  wid=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
  sleep 2
  clicker=""
  if [ "$wander" = yes ]; then
    # a run of wandering lasts 1000 ticks (50 s); click again to keep it going
    xdotool mousemove --window "$wid" 28 276 click 1
    ( sleep 50.5; xdotool mousemove --window "$wid" 28 276 click 1 ) &
    clicker=$!
  fi
  p0=$(cpu_ms "$pid") x0=$(cpu_ms "$xvfb")
  sleep "$seconds"
  p1=$(cpu_ms "$pid") x1=$(cpu_ms "$xvfb")
  [ -z "$clicker" ] || kill "$clicker" 2>/dev/null || true
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  printf '%-18s %12d %12d\n' "$name" $(((p1 - p0) * 60 / seconds)) $(((x1 - x0) * 60 / seconds))
}

printf '%-18s %12s %12s\n' "case" "program ms/min" "X ms/min"
measure floor Floor no "$build/bench/tavimo_floor"
measure tavimo Tavimo no "$build/tavimo"
measure naive Naive no "$build/bench/tavimo_naive"
measure "tavimo wandering" Tavimo yes "$build/tavimo"
measure "naive wandering" Naive no "$build/bench/tavimo_naive" wander
