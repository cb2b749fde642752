#!/bin/sh
# SPDX-License-Identifier: MIT
# The real program under a Wayland compositor (weston, headless): natively on Wayland, and quietly,
# where no X server can be reached; through X11 where one can; on Wayland when the user says so.
# Usage: wayland.sh TAVIMO ARTIFACT_DIR
set -eu
tavimo=$1
artifacts=$(mkdir -p "$2" && cd "$2" && pwd)
command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "skipped: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
. "$(dirname "$0")/../../scripts/xvfb.sh"
x11=$DISPLAY

failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
check() { if eval "$2"; then pass "$1"; else fail "$1 ($3)"; fi; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
weston --backend=headless-backend.so --use-pixman --debug --no-config --idle-time=0 \
  --socket=tavimo-e2e --width=1024 --height=768 >"$artifacts/weston.log" 2>&1 &
weston=$!
program=""
finish() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  kill "$weston" 2>/dev/null || true
  wait "$weston" 2>/dev/null || true
  rm -rf "$runtime"
  stop_xvfb
}
trap finish EXIT
for _ in $(seq 50); do
  [ -S "$runtime/tavimo-e2e" ] && break
  sleep 0.1
done
[ -S "$runtime/tavimo-e2e" ] || { echo "FAIL weston did not start"; cat "$artifacts/weston.log"; exit 1; }

# start VARIABLE=value...: the program in this environment, in the background
start() {
  env -u QT_QPA_PLATFORM -u DISPLAY -u XDG_SESSION_TYPE WAYLAND_DISPLAY=tavimo-e2e "$@" \
    "$tavimo" 2>"$artifacts/stderr.txt" &
  program=$!
  sleep 1.5
}
running() { kill -0 "$program" 2>/dev/null; }
end() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=""
}
# The compositor's screen; teal pixels in it, and pixels that differ between two of them
screenshot() {
  rm -f "$artifacts"/wayland-screenshot-*.png
  (cd "$artifacts" && WAYLAND_DISPLAY=tavimo-e2e weston-screenshooter >/dev/null 2>&1)
  mv "$artifacts"/wayland-screenshot-*.png "$artifacts/$1.png"
}
teal() { convert "$artifacts/$1.png" -fill black +opaque '#00C0C0' -fill white -opaque '#00C0C0' \
  -format '%[fx:int(mean*w*h)]' info:; }
changed() { compare -metric AE "$artifacts/$1.png" "$artifacts/$2.png" null: 2>&1 || true; }

# --- no X server at all: native Wayland
start
check "without DISPLAY it runs on Wayland" running "it ended: $(cat "$artifacts/stderr.txt")"
check "and says nothing" '[ ! -s "$artifacts/stderr.txt" ]' "$(cat "$artifacts/stderr.txt")"
screenshot native-1
sleep 1
screenshot native-2
n=$(teal native-1)
check "the window shows" '[ "$n" -gt 5000 ]' "$n teal pixels"
n=$(changed native-1 native-2)
check "the dots move" '[ "$n" -gt 20 ]' "$n pixels changed in a second"
end

# --- an X server named but not there: native Wayland, without Qt's word about X11
start DISPLAY=:4711
check "with an unreachable DISPLAY it runs on Wayland" running \
  "it ended: $(cat "$artifacts/stderr.txt")"
check "and says nothing" '[ ! -s "$artifacts/stderr.txt" ]' "$(cat "$artifacts/stderr.txt")"
end

# --- an X server there: X11, where the window can place itself
start DISPLAY="$x11"
found=$(DISPLAY="$x11" xdotool search --onlyvisible --name '^Tavimo$' 2>/dev/null | head -n 1)
check "with an X server it runs on X11" '[ -n "$found" ]' "no window on $x11"
end

# --- the user's choice stands
start DISPLAY="$x11" QT_QPA_PLATFORM=wayland
found=$(DISPLAY="$x11" xdotool search --onlyvisible --name '^Tavimo$' 2>/dev/null | head -n 1)
check "QT_QPA_PLATFORM=wayland keeps it on Wayland" 'running && [ -z "$found" ]' \
  "window $found on $x11"
end

echo "$((8 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
