#!/bin/sh
# SPDX-License-Identifier: MIT
# A window manager that takes the window over again (restarted in place, or replaced by a new
# instance, as after a crash) puts it where WM_NORMAL_HINTS says. So the hints must name where
# the window stands once it has stopped, and lag it by no more than a second of travel while it
# wanders. Under i3, openbox and mutter: the hints after a wander, then each kind of restart once
# while the window stands and once while it wanders. A standing window may pass through its
# frame's corner while it is handed over, but must end where it stood: mutter lets go of it at
# that corner whatever the hints say, and the next mutter leaves a window whose hints name its
# client area (Qt's static gravity) there, lifted by the title bar.
# Usage: wmrestart.sh TAVIMO ARTIFACT_DIR
set -u
here=$(dirname "$0")
. "$here/lib.sh"
. "$here/sessions.sh"
. "$here/../../scripts/xvfb.sh"
trap 'stop_desktop; stop_xvfb' EXIT

travel=66  # px in a second of wandering
abs() { [ "$1" -lt 0 ] && echo $((-$1)) || echo "$1"; }
# The larger of the two distances between "x y" places
apart() {
  set -- $1 $2
  dx=$(abs $(($1 - $3)))
  dy=$(abs $(($2 - $4)))
  [ "$dx" -gt "$dy" ] && echo "$dx" || echo "$dy"
}
toggle_move() { click "$wid" 28 276; }

restart_wm() {  # window manager, restart or replace
  xprop -root -remove _NET_SUPPORTING_WM_CHECK
  owner=$(selection_owner WM_S0)
  case $1-$2 in
    i3-restart) i3-msg restart >/dev/null ;;
    openbox-restart) openbox --restart ;;
    i3-replace) background i3 --replace -a -c "$session_dir/i3.conf" ;;
    openbox-replace) background openbox --replace --sm-disable ;;
    mutter-replace) start_mutter ;;
  esac
  if [ "$1" = mutter ]; then
    # A mutter that is replaced takes the check property away as it goes, after its successor
    # has set it: the successor announces itself by taking the selection.
    await '[ "$(selection_owner WM_S0)" != "$owner" ]'
  else
    await wm_ready
  fi
}
# Restarts the window manager and follows the window for 1.5 s from when the new instance has
# announced itself. Sets before (its place just before), after (its place at the end) and worst:
# the largest distance from before of any place seen, less the distance the wander itself covered
# by then, with the place and time it was seen.
follow_restart() {
  before=$(place "$wid")
  t0=$(now_ms)
  restart_wm "$@"
  worst=-99999 worst_at="" after="" last=""
  until=$(($(now_ms) + 1500))
  while [ "$(now_ms)" -lt "$until" ]; do
    p=$(place "$wid")
    t=$(($(now_ms) - t0))
    # A place counts once read twice running: while a window manager hands the window over, a
    # single read can catch it between two parents.
    [ -n "$p" ] && [ "$p" = "$last" ] || { last=$p; continue; }
    if [ "$moving" = yes ]; then
      d=$(($(apart "$p" "$before") - travel * t / 1000))
    else
      d=$(apart "$p" "$before")
    fi
    [ "$d" -le "$worst" ] || { worst=$d worst_at="$p after $t ms"; }
    after=$p
  done
  echo "     $1 $2: at $before before, $after after; farthest: $worst px, $worst_at"
}

one_wm() {
  wm=$1
  start_desktop "$wm"
  case $? in
    0) ;;
    1) skip "$wm: $why"; return ;;
    *) fail "$wm starts ($why)"; stop_desktop; return ;;
  esac
  start_program "$wm"
  check "$wm: the window appears" '[ -n "$wid" ]' "none within 10 s"
  [ -n "$wid" ] || { kill "$pid" 2>/dev/null; stop_desktop; return; }
  sleep 0.5
  set -- $(frame_offset "$wid")
  frame=$(($1 > $2 ? $1 : $2))
  echo "     $wm frames the client area at $1, $2"

  toggle_move
  sleep 2
  toggle_move
  sleep 0.3
  p=$(place "$wid")
  h=$(hinted_place "$wid")
  check "$wm: stopped after a wander, the hints name where the window stands" \
    '[ -n "$h" ] && [ "$(apart "$h" "$p")" -le 2 ]' "hints ${h:-none}, window at $p"

  hows="restart replace"
  [ "$wm" != mutter ] || hows=replace  # mutter restarts by being replaced, as GNOME Shell does
  moving=no
  for how in $hows; do
    follow_restart "$wm" "$how"
    # i3 taking over from another i3 puts the frame where the client area stood.
    settle=0
    [ "$wm-$how" != i3-replace ] || settle=$frame
    check "$wm: $how while the window stands: it stays (within 2 px, frame aside on the way)" \
      '[ -n "$after" ] && [ "$worst" -le $((2 + frame)) ] &&
        [ "$(apart "$after" "$before")" -le $((2 + settle)) ]' \
      "from $before to $worst_at, and $after at the end"
  done

  # Long enough that hints left at the wander's start would be well over a second behind
  toggle_move
  moving=yes
  sleep 2
  p=$(place "$wid")
  h=$(hinted_place "$wid")
  check "$wm: while it wanders, the hints lag the window by a second's travel at most" \
    '[ -n "$h" ] && [ "$(apart "$h" "$p")" -le $((travel + 2)) ]' "hints ${h:-none}, window at $p"
  for how in $hows; do
    follow_restart "$wm" "$how"
    sleep 0.3
    went_on=$(place "$wid")
    check "$wm: $how mid-wander: it goes on from within a second's travel" \
      '[ -n "$after" ] && [ "$worst" -le $((travel + 2 + frame)) ] && [ "$went_on" != "$after" ]' \
      "from $before, $worst px beyond its own travel at $worst_at; then $after, $went_on"
  done

  click "$wid" 140 276
  wait_exit 5
  check "$wm: \"end\" ends it with status 0" '[ "$status" = 0 ]' "$status"
  stop_desktop
}

one_wm i3
one_wm openbox
one_wm mutter
finish
