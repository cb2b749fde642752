#!/bin/sh
# SPDX-License-Identifier: MIT
# CPU time per minute of the program and of the X server, side by side under one Xvfb:
# the floor (nothing moving), Tavimo animating, Tavimo wandering, and a straightforward Qt
# program doing the same, for scale. The cases take turns for ROUNDS rounds and each figure is
# the median of its rounds: a virtual machine's slow spells come in bursts, which a mean would
# spread over whichever case they fell on.
# Usage: bench/cpu.sh [BUILD_DIR] [SECONDS_PER_ROUND] [ROUNDS]
set -eu
build=${1:-build}
seconds=${2:-10}
rounds=${3:-6}
. "$(dirname "$0")/../scripts/xvfb.sh"

# CPU time of every thread of a process, in ms, from the scheduler's nanosecond counts
cpu_ms() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print int(s / 1e6) }'; }

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
rates=$(mktemp -d)
trap 'rm -rf "$rates"; stop_xvfb' EXIT

# measure KEY TITLE WANDER COMMAND...: one round's CPU-ms per minute of the program and of Xvfb,
# added to the case's lists
measure() {
  key=$1 title=$2 wander=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  pid=$!
  wid=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
  sleep 2
  # a run of wandering lasts 50 s, longer than a round
  [ "$wander" = no ] || xdotool mousemove --window "$wid" 28 276 click 1
  p0=$(cpu_ms "$pid") x0=$(cpu_ms "$xvfb")
  sleep "$seconds"
  p1=$(cpu_ms "$pid") x1=$(cpu_ms "$xvfb")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((p1 - p0) * 60 / seconds)) >>"$rates/$key.program"
  echo $(((x1 - x0) * 60 / seconds)) >>"$rates/$key.x"
}

round=1
while [ "$round" -le "$rounds" ]; do
  measure floor Floor no "$build/bench/tavimo_floor"
  measure tavimo Tavimo no "$build/tavimo"
  measure naive Naive no "$build/bench/tavimo_naive"
  measure tavimo_wandering Tavimo yes "$build/tavimo"
  measure naive_wandering Naive no "$build/bench/tavimo_naive" wander
  round=$((round + 1))
done

printf '%-18s %14s %12s   (medians of %d rounds of %d s)\n' case "program ms/min" "X ms/min" \
  "$rounds" "$seconds"
for key in floor tavimo naive tavimo_wandering naive_wandering; do
  printf '%-18s %14d %12d\n' "$(echo "$key" | tr _ ' ')" "$(median <"$rates/$key.program")" \
    "$(median <"$rates/$key.x")"
done
