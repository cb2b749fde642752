#!/bin/sh
# SPDX-License-Identifier: MIT
# The real program on the desktops its users run: no window manager, openbox, i3 (tiling), two
# compositing setups, weston with XWayland (which never honours a client's move) and weston
# without it (native Wayland). On each: it appears, "move" does what it can there, and it ends
# with status 0. A desktop whose parts are not installed is skipped with the reason.
# Usage: desktops.sh TAVIMO ARTIFACT_DIR
set -u
here=$(dirname "$0")
. "$here/lib.sh"
. "$here/sessions.sh"
. "$here/../../scripts/xvfb.sh"
trap 'stop_desktop; stop_xvfb' EXIT
screen=$DISPLAY

# Button centres and areas within the client area
move_x=28 move_y=276 end_x=140 end_y=276
button_area() { echo $(($1 + 6)) $(($2 + 262)) 45 29; }  # around "move", focus frame included
play_area() { echo $(($1 + 12)) $(($2 + 12)) 255 240; }

started() {  # desktop name, start status
  case $2 in
    0) return 0 ;;
    1) skip "$1: $why" ;;
    *) fail "$1 starts ($why)" ;;
  esac
  stop_desktop
  return 1
}

# On an X server where a client's moves are honoured: it travels left at about 66 px/s.
x11_desktop() {
  d=$1
  start_desktop "$d"
  started "$d" $? || return
  [ "$d" = xfwm4 ] || [ "$d" = picom ] && pass "$d: a compositing manager runs"
  start_program "$d"
  check "$d: the window appears" '[ -n "$wid" ]' "none within 10 s"
  if [ -z "$wid" ]; then
    kill "$pid" 2>/dev/null
    stop_desktop
    return
  fi
  sleep 0.5
  size=$(geometry "$wid" | cut -d' ' -f3,4)
  check "$d: client area is 279 x 294 px" '[ "$size" = "279 294" ]' "got $size"
  click "$wid" $move_x $move_y
  follow_travel "$wid"
  check "$d: \"move\": the window travels left at about 66 px/s" \
    '[ "$speed" -ge 40 ] && [ "$speed" -le 80 ] && [ "$y1" = "$y0" ]' \
    "$speed px/s, from $x0,$y0 to $x1,$y1"
  click "$wid" $move_x $move_y
  sleep 0.3
  p2=$(place "$wid")
  sleep 0.5
  p3=$(place "$wid")
  check "$d: \"stop\" halts it" '[ "$p2" = "$p3" ]' "$p2 then $p3"
  e="$artifacts/$d.stderr"
  check "$d: no notice that moves are not honoured" \
    '! grep -qxF -e "$notice_platform" -e "$notice_ignored" "$e"' "$(head -n 3 "$e")"
  if [ "$d" = none ]; then
    how="\"end\""
    click "$wid" $end_x $end_y
  else
    how="closing through $d"
    wmctrl -i -c "$wid"
  fi
  wait_exit 5
  check "$d: $how ends it with status 0" '[ "$status" = 0 ]' "$status"
  stop_desktop
}

# Where moves cannot take effect: one notice, and everything else as usual. The window is found
# and clicked on the screen weston draws into.
weston_desktop() {
  d=weston-$1
  start_weston "$1"
  started "$d" $? || return
  wl="XDG_RUNTIME_DIR=$wl_runtime WAYLAND_DISPLAY=$wl_socket"
  if [ "$1" = xwayland ]; then
    notice=$notice_ignored other=$notice_platform
    DISPLAY=$xw_display start_program "$d" $wl DISPLAY="$xw_display"
    DISPLAY=$screen
  else
    notice=$notice_platform other=$notice_ignored
    wayland_start "$d" -u DISPLAY -u QT_QPA_PLATFORM $wl
    check "$d: with no X server it opens on Wayland by itself" '[ -n "$area" ]' \
      "$status: $(head -c 300 "$artifacts/$d.stderr")"
    if [ -z "$area" ]; then
      echo "     (the checks below run with QT_QPA_PLATFORM=wayland)"
      wayland_start "$d" -u DISPLAY QT_QPA_PLATFORM=wayland $wl
    fi
  fi
  kill -0 "$pid" 2>/dev/null && await 'area=$(teal_area); [ "${area##* }" -gt 1 ]'
  size=$(echo "$area" | cut -d' ' -f3,4)
  check "$d: the window appears, client area 279 x 294 px" '[ "$size" = "279 294" ]' \
    "found ${area:-nothing}"
  if [ "$size" != "279 294" ]; then
    kill "$pid" 2>/dev/null
    stop_desktop
    return
  fi
  x=${area%% *} y=$(echo "$area" | cut -d' ' -f2)
  click_at $((x + move_x)) $((y + move_y))
  sleep 2.5
  stop1=$(snapshot $(button_area $x $y))
  p1=$(snapshot $(play_area $x $y))
  sleep 0.3
  p2=$(snapshot $(play_area $x $y))
  check "$d: it goes on animating" '[ "$p1" != "$p2" ]' "the play area stood still"
  click_at $((x + move_x)) $((y + move_y))
  sleep 0.3
  move=$(snapshot $(button_area $x $y))
  click_at $((x + move_x)) $((y + move_y))
  sleep 1.5
  stop2=$(snapshot $(button_area $x $y))
  check "$d: \"move\" reads \"stop\" while it wanders, \"move\" again after" \
    '[ "$stop1" = "$stop2" ] && [ "$stop1" != "$move" ]' "the button did not change as it should"
  area2=$(teal_area)
  check "$d: the window stands where it was" '[ "$area2" = "$area" ]' "$area, then $area2"
  e="$artifacts/$d.stderr"
  n=$(lines_equal "$notice" "$e")
  check "$d: the notice \"$notice\", once" '[ "$n" = 1 ] && ! grep -qxF -- "$other" "$e"' \
    "$n times; stderr: $(head -n 3 "$e")"
  click_at $((x + end_x)) $((y + end_y))
  wait_exit 5
  check "$d: \"end\" ends it with status 0" '[ "$status" = 0 ]' "$status"
  stop_desktop
}
# Starts the program on Wayland; area is where its client area shows, empty if it does not.
wayland_start() {
  d=$1
  shift
  env "$@" "$tavimo" 2>"$artifacts/$d.stderr" &
  pid=$!
  wid="" area=""
  n=0
  while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 40 ]; do
    area=$(teal_area)
    [ "${area##* }" -gt 1 ] 2>/dev/null && return
    area=""
    sleep 0.2
    n=$((n + 1))
  done
  wait_exit 1
}

for d in none openbox i3 xfwm4 picom; do x11_desktop $d; done
weston_desktop xwayland
weston_desktop native
finish
