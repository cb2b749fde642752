#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the README's pictures from the real program under Xvfb and openbox: docs/screenshot.png
# (the window a few seconds in), docs/trail.gif (the trail, 3 s) and docs/wander.gif (the window
# wandering across a 1024 x 768 screen, 6 s, at half size). Needs build/tavimo (scripts/setup.sh)
# and openbox, xdotool and ImageMagick (scripts/setup.sh tests).
set -eu
cd "$(dirname "$0")/.."
tavimo=$(pwd)/build/tavimo
docs=$(pwd)/docs
frames=$(mktemp -d)
XVFB_SCREEN=1024x768x24
. scripts/xvfb.sh
program="" wm=""
trap 'kill $program $wm 2>/dev/null || true; rm -rf "$frames"; stop_xvfb' EXIT

xsetroot -solid "#4a5a6a"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
LC_ALL=C "$tavimo" &
program=$!
wid=$(xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1)
sleep 3
import -frame -window "$wid" "$docs/screenshot.png"

# The trail, a frame every 100 ms, as it ticks
for i in $(seq -w 1 30); do
  import -frame -window "$wid" "$frames/trail-$i.png"
  sleep 0.1
done
convert -delay 10 -loop 0 "$frames"/trail-*.png -layers Optimize "$docs/trail.gif"

# A wander, from the "move" button; the "date" shows on the way
xdotool mousemove --window "$wid" 28 276 click 1
xdotool mousemove --window "$wid" 84 276 click 1
for i in $(seq -w 1 30); do
  import -window root -resize 50% "$frames/wander-$i.png"
  sleep 0.2
done
convert -delay 20 -loop 0 "$frames"/wander-*.png -layers Optimize "$docs/wander.gif"
ls -l "$docs/screenshot.png" "$docs/trail.gif" "$docs/wander.gif"
