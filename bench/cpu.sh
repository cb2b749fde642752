#!/bin/sh
# SPDX-License-Identifier: MIT
# CPU time per minute of the program and of the X server (and of the window manager, with one),
# side by side under one Xvfb: the floor (nothing moving), Tavimo animating, Tavimo wandering, and
# a straightforward Qt program doing the same, for scale. With BASELINE set to another build of
# Tavimo, that one is measured beside it, animating and wandering, in the same rounds, the two
# taking turns to go first. The cases take turns for ROUNDS rounds and each figure is the median of
# its rounds: a virtual machine's slow spells come in bursts, which a mean would spread over
# whichever case they fell on. Against a baseline, each round's pair is also compared on its own,
# since a slow spell falls on both halves of a pair far more often than on only one.
# Usage: [BASELINE=OTHER_TAVIMO] [WM=openbox] bench/cpu.sh [BUILD_DIR] [SECONDS_PER_ROUND] [ROUNDS]
set -eu
build=${1:-build}
seconds=${2:-10}
rounds=${3:-6}
. "$(dirname "$0")/../scripts/xvfb.sh"

# CPU time of every thread of a process, in ms, from the scheduler's nanosecond counts
cpu_ms() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print int(s / 1e6) }'; }

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
rates=$(mktemp -d)
wm=""
trap 'rm -rf "$rates"; [ -z "$wm" ] || kill "$wm"; stop_xvfb' EXIT
if [ -n "${WM:-}" ]; then
  "$WM" >/dev/null 2>&1 &
  wm=$!
  sleep 1
fi

# measure KEY TITLE WANDER COMMAND...: one round's CPU-ms per minute of the program, of Xvfb and
# of the window manager, added to the case's lists
measure() {
  key=$1 title=$2 wander=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  pid=$!
  wid=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
  sleep 2
  # a run of wandering lasts 50 s, longer than a round
  [ "$wander" = no ] || xdotool mousemove --window "$wid" 28 276 click 1
  p0=$(cpu_ms "$pid") x0=$(cpu_ms "$xvfb") w0=$([ -z "$wm" ] && echo 0 || cpu_ms "$wm")
  sleep "$seconds"
  p1=$(cpu_ms "$pid") x1=$(cpu_ms "$xvfb") w1=$([ -z "$wm" ] && echo 0 || cpu_ms "$wm")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((p1 - p0) * 60 / seconds)) >>"$rates/$key.program"
  echo $(((x1 - x0) * 60 / seconds)) >>"$rates/$key.x"
  echo $(((w1 - w0) * 60 / seconds)) >>"$rates/$key.wm"
}

keys="floor tavimo naive tavimo_wandering naive_wandering"
[ -z "${BASELINE:-}" ] || keys="floor tavimo baseline naive tavimo_wandering baseline_wandering naive_wandering"
round=1
while [ "$round" -le "$rounds" ]; do
  order=$keys
  [ $((round % 2)) = 1 ] || order=$(echo "$keys" | sed 's/tavimo baseline/baseline tavimo/; s/tavimo_wandering baseline_wandering/baseline_wandering tavimo_wandering/')
  for key in $order; do
    case $key in
      floor) measure floor Floor no "$build/bench/tavimo_floor" ;;
      tavimo) measure tavimo Tavimo no "$build/tavimo" ;;
      baseline) measure baseline Tavimo no "$BASELINE" ;;
      naive) measure naive Naive no "$build/bench/tavimo_naive" ;;
      tavimo_wandering) measure tavimo_wandering Tavimo yes "$build/tavimo" ;;
      baseline_wandering) measure baseline_wandering Tavimo yes "$BASELINE" ;;
      naive_wandering) measure naive_wandering Naive no "$build/bench/tavimo_naive" wander ;;
    esac
  done
  round=$((round + 1))
done

printf '%-20s %14s %12s %12s   (medians of %d rounds of %d s%s)\n' case "program ms/min" \
  "X ms/min" "WM ms/min" "$rounds" "$seconds" "${WM:+, under $WM}"
for key in $keys; do
  printf '%-20s %14d %12d %12d\n' "$(echo "$key" | tr _ ' ')" "$(median <"$rates/$key.program")" \
    "$(median <"$rates/$key.x")" "$(median <"$rates/$key.wm")"
done

# ratio CASE FIELDS...: the median over the rounds of this build's CPU over the baseline's, in the
# fields named added up, and in how many rounds this build took more
ratio() {
  case=$1
  shift
  mine="" theirs=""
  for field in "$@"; do
    mine="$mine $rates/tavimo$case.$field" theirs="$theirs $rates/baseline$case.$field"
  done
  # shellcheck disable=SC2086 # the lists are file names without spaces
  paste $mine $theirs | awk -v n=$# '{ m = 0; t = 0; for (i = 1; i <= n; i++) { m += $i; t += $(i + n) }
    print m / t }' | sort -n | awk '{ a[NR] = $1; w += ($1 > 1) }
    END { printf "%.3f, more in %d of %d rounds\n", (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2, w, NR }'
}
if [ -n "${BASELINE:-}" ]; then
  echo "this build over the baseline, round by round (median):"
  echo "  animating, program + X:      $(ratio "" program x)"
  echo "  wandering, program + X + WM: $(ratio _wandering program x wm)"
fi
