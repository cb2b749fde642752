#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a command on Qt's X11 platform against its own Xorg, on the dummy video driver, whose
# 1280 x 640 screen is two RandR monitors side by side: M0 on the left, M1 on the right, 640 px
# each (Xvfb has no way to split its screen), which Qt scales by the factors given. Status 77,
# with the reason, where no such server can start here.
# Usage: xorg-run.sh SCALE_M0,SCALE_M1 COMMAND [ARGUMENT...]
set -u
scales=$1
shift
skip() {
  echo "skipped: $1"
  exit 77
}
command -v Xorg >/dev/null 2>&1 || skip "Xorg is not installed (xserver-xorg-core)"
command -v xrandr >/dev/null 2>&1 || skip "xrandr is not installed (x11-xserver-utils)"
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 ||
  skip "the dummy video driver is not installed (xserver-xorg-video-dummy)"

dir=$(mktemp -d)
mkdir "$dir/conf.d"
cat >"$dir/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "card"
  Driver "dummy"
  VideoRam 32768
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1280x640" 67.25 1280 1312 1440 1600 640 643 653 665
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x640"
  EndSubSection
EndSection
CONF

mkfifo "$dir/display"
Xorg -displayfd 3 -config "$dir/xorg.conf" -configdir "$dir/conf.d" -logfile "$dir/log" \
  -noreset -nolisten tcp -novtswitch -sharevts 3>"$dir/display" >/dev/null 2>&1 &
xorg=$!
stop() {
  kill "$xorg" 2>/dev/null
  wait "$xorg" 2>/dev/null
  rm -rf "$dir"
}
trap stop EXIT
number=""
read -r number <"$dir/display" || true
if [ -z "$number" ]; then
  reason=$(grep -m 1 '(EE)' "$dir/log" 2>/dev/null)
  [ "$(id -u)" -eq 0 ] || skip "Xorg would not start for this user ${reason:-}"
  echo "Xorg would not start: ${reason:-see its log}" >&2
  exit 1
fi
export DISPLAY=":$number"
for _ in $(seq 50); do
  xrandr >/dev/null 2>&1 && break
  sleep 0.1
done
output=$(xrandr | awk '/ connected/ { print $1; exit }')
# 640 px in 169 mm: 96 DPI
xrandr --setmonitor M0 640/169x640/169+0+0 "$output" >/dev/null &&
  xrandr --setmonitor M1 640/169x640/169+640+0 none >/dev/null ||
  skip "this Xorg cannot split its screen into monitors"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$dir}"
export QT_QPA_PLATFORM=xcb
export QT_SCREEN_SCALE_FACTORS="M0=${scales%,*};M1=${scales#*,}"
unset WAYLAND_DISPLAY
"$@"
