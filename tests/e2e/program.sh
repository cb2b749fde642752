#!/bin/sh
# SPDX-License-Identifier: MIT
# The real program under a real X server, driven by a real X client: start-up, colours, the date,
# wandering, "end", closing through a window manager, and no display at all.
# Usage: program.sh TAVIMO ARTIFACT_DIR
set -eu
tavimo=$1
artifacts=$2
mkdir -p "$artifacts"
. "$(dirname "$0")/../../scripts/xvfb.sh"

passed=0 failures=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
check() { if eval "$2"; then pass "$1"; else fail "$1 ($3)"; fi; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# x y width height of a window's client area on the screen
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
# Colours inside a rectangle of the screen, "count RRGGBB" per line, most frequent first
colours() {
  import -window root "$artifacts/$1.png"
  convert "$artifacts/$1.png" -crop "$4x$5+$2+$3" +repage -format %c histogram:info:- |
    awk '{ n = $1; sub(":", "", n); hex = $3; sub("#", "", hex); print n, substr(hex, 1, 6) }' |
    sort -rn
}
click() {  # window, x, y within the client area
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
start() {
  "$tavimo" 2>"$artifacts/stderr.txt" &
  pid=$!
  wid=$(xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1)
}

# --- start-up, size, place, colours
start
set -- $(geometry "$wid")
x=$1 y=$2 size="$3 x $4"
check "client area is 279 x 294 px" '[ "$size" = "279 x 294" ]' "got $size"
check "client area placed at 219, 202" '[ "$x $y" = "219 202" ]' "got $x, $y"
sleep 1.2
colours startup $((x + 2)) $((y + 2)) 4 4 >"$artifacts/c.txt"
check "teal background" 'head -n 1 "$artifacts/c.txt" | grep -q " 00C0C0$"' "$(head -n 1 "$artifacts/c.txt")"
colours startup $((x + 10)) $((y + 10)) 261 245 >"$artifacts/c.txt"
check "black play area" 'head -n 1 "$artifacts/c.txt" | grep -q " 000000$"' "$(head -n 1 "$artifacts/c.txt")"
# Each dot's inside is one flat colour of the head's sequence 11720800 + 9200 k.
dots=$(awk 'function hex(s,  i, v) {
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1
    return v
  }
  $1 >= 12 && $2 != "000000" && $2 != "C0C0FF" {
    v = hex(substr($2, 5, 2)) * 65536 + hex(substr($2, 3, 2)) * 256 + hex(substr($2, 1, 2))
    k = (v - 11720800) / 9200
    if (k == int(k) && k >= 0 && k <= 600) good++; else bad = bad " " $2
  } END { print good + 0, bad }' "$artifacts/c.txt")
check "dots show the head's colour sequence" '[ "${dots%% *}" -ge 3 ] && [ "${dots#* }" = "" ]' "$dots"

# --- the date appears and goes: pale blue drawn smoothly on black keeps red equal to green
pale_blue() {
  awk 'function hex(s,  i, v) {
      for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1
      return v
    }
    { r = hex(substr($2, 1, 2)); g = hex(substr($2, 3, 2)); b = hex(substr($2, 5, 2))
      if (b > 64 && b > r && r - g <= 2 && g - r <= 2) n += $1 }
    END { print n + 0 }' "$1"
}
click "$wid" 84 276
sleep 1.2
colours date-shown $((x + 168)) $((y + 223)) 105 34 >"$artifacts/c.txt"
n=$(pale_blue "$artifacts/c.txt")
check "date shows pale blue" '[ "$n" -gt 20 ]' "$n pixels"
click "$wid" 84 276
sleep 0.3
colours date-hidden $((x + 168)) $((y + 223)) 105 34 >"$artifacts/c.txt"
n=$(pale_blue "$artifacts/c.txt")
check "date goes again" '[ "$n" -eq 0 ]' "$n pixels"

# --- wandering: left at about 66 px/s, then halt
click "$wid" 28 276
sleep 0.5
x0=$(geometry "$wid" | cut -d' ' -f1)
t0=$(now_ms)
sleep 1.5
x1=$(geometry "$wid" | cut -d' ' -f1)
t1=$(now_ms)
speed=$(( (x0 - x1) * 1000 / (t1 - t0) ))
check "window travels left at about 66 px/s" '[ "$speed" -ge 40 ] && [ "$speed" -le 80 ]' "$speed px/s"
click "$wid" 28 276
sleep 0.3
x2=$(geometry "$wid" | cut -d' ' -f1)
sleep 0.7
x3=$(geometry "$wid" | cut -d' ' -f1)
check "stop halts the window" '[ "$x2" = "$x3" ]' "$x2 then $x3"

# --- "end": exit 0 soon after the click
click "$wid" 140 276
clicked=$(now_ms)
while kill -0 "$pid" 2>/dev/null && [ $(($(now_ms) - clicked)) -lt 3000 ]; do sleep 0.005; done
gone=$(( $(now_ms) - clicked ))
status=0
wait "$pid" || status=$?
check "end exits with status 0" '[ "$status" -eq 0 ]' "status $status"
check "end exits within 100 ms of the click" '[ "$gone" -le 100 ]' "$gone ms"

# --- closed through a window manager
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
start
sleep 0.5
set -- $(geometry "$wid")
x0=$1 y0=$2
click "$wid" 28 276
sleep 1
set -- $(geometry "$wid")
x1=$1 y1=$2
check "framed by a window manager, it wanders from where it was put" \
  '[ "$y1" = "$y0" ] && [ "$x1" -lt "$x0" ]' "from $x0,$y0 to $x1,$y1"
wmctrl -c Tavimo
status=0
wait "$pid" || status=$?
check "closing through the window manager exits 0" '[ "$status" -eq 0 ]' "status $status"
kill "$wm" 2>/dev/null || true

# --- Qt's own options are taken: the window opens, and "end" ends it with status 0
# (-display=NAME with DISPLAY unset: the joined value must reach Qt)
for args in "-platform xcb" "-style=fusion" "--platform xcb -reverse" "-display=$DISPLAY"; do
  unset_display=""
  case $args in -display=*) unset_display="-u DISPLAY" ;; esac
  env -u QT_QPA_PLATFORM $unset_display "$tavimo" $args 2>"$artifacts/options.txt" &
  pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavimo$' | head -n 1) || true
  [ -z "$wid" ] || click "$wid" 140 276
  n=0
  while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 60 ]; do sleep 0.05; n=$((n + 1)); done
  kill "$pid" 2>/dev/null || true
  status=0
  wait "$pid" || status=$?
  check "with $args the window opens and \"end\" ends it with status 0" \
    '[ -n "$wid" ] && [ "$status" -eq 0 ]' "window ${wid:-none}, status $status"
done

# --- no display
status=0
msg=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tavimo" 2>&1 >/dev/null) || status=$?
check "no display: status 1 and one line" '[ "$status" -eq 1 ] && [ "$(echo "$msg" | wc -l)" -eq 1 ]' \
  "status $status: $msg"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
