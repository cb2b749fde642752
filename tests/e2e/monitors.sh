#!/bin/sh
# SPDX-License-Identifier: MIT
# Two monitors of different scale side by side: wandering from one onto the other must go on from
# where the window stands, never throwing it across the screen. Xvfb ignores RandR monitors, so
# this runs a real Xorg on the dummy video driver (as root) with two 640 px monitors, M0 and M1;
# Qt names its screens after them and scales each by QT_SCREEN_SCALE_FACTORS. Each run follows
# the window's place as fast as xwininfo answers and checks every change of place.
# Usage: monitors.sh TAVIMO ARTIFACT_DIR
set -u
here=$(dirname "$0")
. "$here/lib.sh"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

xorg=/usr/lib/xorg/Xorg
reason=""
if [ "$(id -u)" -ne 0 ]; then
  reason="Xorg with the dummy driver is run as root here, and this is not root"
elif [ ! -x "$xorg" ] || [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
  reason="Xorg's dummy video driver (xserver-xorg-video-dummy) is not installed"
elif ! command -v xrandr >/dev/null 2>&1; then
  reason="xrandr (x11-xserver-utils) is not installed"
fi
if [ -n "$reason" ]; then
  skip "monitors: $reason"
  finish
fi

dir=$(mktemp -d)
mkdir "$dir/conf.d"
cat >"$dir/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 16384
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1280x720" 74.25 1280 1390 1430 1650 720 725 730 750
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x720"
    Virtual 1280 720
  EndSubSection
EndSection
EOF
mkfifo "$dir/fifo"
"$xorg" -displayfd 3 -config "$dir/xorg.conf" -configdir "$dir/conf.d" -noreset -nolisten tcp \
  -novtswitch -sharevts -logfile "$dir/Xorg.log" 3>"$dir/fifo" >"$dir/out.txt" 2>&1 &
server=$!
stop_server() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  cp "$dir/Xorg.log" "$artifacts/" 2>/dev/null
  rm -rf "$dir"
}
trap stop_server EXIT
number=""
read -r number <"$dir/fifo"
export DISPLAY=":$number"
if [ -z "$number" ] || ! xdpyinfo >/dev/null 2>&1; then
  fail "Xorg with the dummy driver starts ($(grep -m 3 EE "$dir/Xorg.log" "$dir/out.txt"))"
  finish
  exit
fi
# 96 DPI on both: 640 px is 169 mm
xrandr --setmonitor M0 640/169x720/190+0+0 DUMMY0 >/dev/null &&
  xrandr --setmonitor M1 640/169x720/190+640+0 none >/dev/null
monitors=$(xrandr --listmonitors | awk 'NR > 1 { printf "%s %s; ", $2, $3 }')
check "two RandR monitors of 640 px side by side" \
  '[ "$monitors" = "M0 640/169x720/190+0+0; M1 640/169x720/190+640+0; " ]' "$monitors"

# Starts on M0 near its left edge and wanders until it has stood on M1 for a second (16 s at
# most), following its place; then checks each change of place against two steps at the larger
# scale (5 px), more where the poll missed ticks of 50 ms.
crossing() {  # file name, label, scale factors, -geometry, "move" in the client area, width on M1
  f=$1 label=$2 width=$7
  program_args="-geometry $4"
  start_program "$f" QT_SCREEN_SCALE_FACTORS="$3"
  program_args=""
  [ -n "$wid" ] || { fail "$label: the window appears"; kill "$pid" 2>/dev/null; return; }
  sleep 0.5
  click "$wid" "$5" "$6"
  t0=$(now_ms)
  on_m1=0
  while [ $(($(now_ms) - t0)) -lt 16000 ]; do
    set -- $(geometry "$wid")
    echo "$(now_ms) $1 $2 $3 $4"
    if [ $(($1 + $3 / 2)) -lt 640 ]; then on_m1=0; elif [ "$on_m1" -eq 0 ]; then on_m1=$(now_ms); fi
    [ "$on_m1" -eq 0 ] || [ $(($(now_ms) - on_m1)) -lt 1000 ] || break
  done >"$artifacts/$f.track"
  running=no
  kill -0 "$pid" 2>/dev/null && running=yes
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  # ms x y width height per line; prints: changes of place, of width, the last x and width, the
  # lowest bottom edge before the first change of width, the worst excess over the allowance and
  # where it was
  set -- $(awk 'NR > 1 && ($2 != x || $3 != y) {
      dx = $2 - x; dy = $3 - y; d = dx < 0 ? -dx : dx; if (dy > d) d = dy; if (-dy > d) d = -dy
      allowed = 10 + 5 * int(($1 - t) / 50)
      if (d - allowed > worst) { worst = d - allowed; at = x "," y " -> " $2 "," $3 " in " $1 - t " ms" }
      moves++
    }
    NR > 1 && $4 != w { scalings++ }
    !scalings && $3 + $5 > bottom { bottom = $3 + $5 }
    NR == 1 || $2 != x || $3 != y { x = $2; y = $3; t = $1 }
    { w = $4 }
    END { print moves + 0, scalings + 0, x + 0, w + 0, bottom + 0, worst + 0, at }' \
    "$artifacts/$f.track")
  # The wander's bounds are fixed distances, not the screen's edges: on a screen scaled up the
  # window may well leave the bottom, as it would on any small screen.
  moves=$1 scalings=$2 last="$3 $4" worst=$6
  shift 6
  at=$*
  check "$label: the window wanders onto M1 and takes its scale, once" \
    '[ "${last#* }" = "$width" ] && [ $((${last% *} + width / 2)) -ge 640 ] && [ "$scalings" = 1 ]' \
    "$moves changes of place, $scalings of size; ends at x ${last% *}, $((${last#* })) px wide"
  check "$label: no step throws the window" '[ "$worst" -le 0 ]' \
    "$worst px beyond two steps: $at"
  check "$label: it is still running" '[ "$running" = yes ]' "it ended"
}
crossing scale-up "M0 at 1x onto M1 at 1.5x" "M0=1;M1=1.5" +20+400 28 276 419
crossing scale-down "M0 at 1.5x onto M1 at 1x" "M0=1.5;M1=1" +10+150 42 414 279
finish
