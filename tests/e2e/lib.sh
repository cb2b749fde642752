# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts: counting checks, and reading and driving the program's window
# on an X server with the ordinary X tools. The sourcing script's arguments: TAVIMO ARTIFACT_DIR.

tavimo=$1
artifacts=$2
mkdir -p "$artifacts"

passed=0
failed=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
skip() { echo "skip $1"; }
check() { if eval "$2"; then pass "$1"; else fail "$1 ($3)"; fi; }
# The closing line; status 77 when nothing could be checked at all.
finish() {
  echo "$passed passed, $failed failed"
  [ $((passed + failed)) -gt 0 ] || exit 77
  [ "$failed" -eq 0 ]
}

# The lines the program writes when its moves cannot take effect.
notice_platform="tavimo: this session does not let programs move their windows"
notice_ignored="tavimo: the window manager ignores this program's moves"
# How often FILE holds LINE as a whole line
lines_equal() { grep -cxF -- "$1" "$2"; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }
near() { [ "$1" -ge $(($2 - $3)) ] && [ "$1" -le $(($2 + $3)) ]; }  # value, target, tolerance
# x y width height of a window's client area on the screen
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { if (w) print x, y, w, h }'
}
place() { geometry "$1" | cut -d' ' -f1,2; }
# How far the client area sits inside the window manager's frame: "dx dy"
frame_offset() {
  client=$1
  w=$1
  while :; do
    set -- $(xwininfo -children -id "$w" 2>/dev/null |
      awk '/Root window id:/ { r = $4 } /Parent window id:/ { p = $4 } END { print r, p }')
    [ $# -eq 2 ] && [ "$1" != "$2" ] || break
    w=$2
  done
  set -- $(place "$client") $(place "$w")
  echo $(($1 - $3)) $(($2 - $4))
}
# The place WM_NORMAL_HINTS gives a window manager, "x y", empty when it gives none
hinted_place() {
  xprop -id "$1" WM_NORMAL_HINTS 2>/dev/null |
    awk -F': ' '/specified location/ { gsub(",", "", $2); print $2; exit }'
}
# How far a window that has just been set wandering goes in 1.5 s: sets x0 y0 (where it was),
# x1 y1 (where it went), t0 t1 and speed (px/s to the left)
follow_travel() {
  traveller=$1
  sleep 0.5
  set -- $(place "$traveller")
  x0=$1 y0=$2 t0=$(now_ms)
  sleep 1.5
  set -- $(place "$traveller")
  x1=$1 y1=$2 t1=$(now_ms)
  speed=$(((x0 - x1) * 1000 / (t1 - t0)))
}
click() {  # window, x, y within its client area
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
# x, y on the screen. A nested compositor takes a press at the pointer's place as it last heard
# it, so the pointer comes in from outside and rests a moment first.
click_at() {
  xdotool mousemove 1279 1023 sleep 0.1 mousemove "$1" "$2" sleep 0.2 click 1
}
# Who owns a selection, such as a manager's on screen 0 (0x0 for nobody)
selection_owner() {
  python3 -c 'import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
print(hex(x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[1].encode(), 0))) if d else "0x0")' "$1"
}
compositor() { selection_owner _NET_WM_CM_S0; }

# Starts the program with the environment assignments given (and the words of $program_args as
# its arguments), its stderr into $artifacts/NAME.stderr; sets pid, and wid once its window shows
# (empty if not).
start_program() {
  name=$1
  shift
  env "$@" "$tavimo" ${program_args-} 2>"$artifacts/$name.stderr" &
  pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavimo$' 2>/dev/null | head -n 1)
}
# Waits up to SECONDS for the program to end; sets status ("still running" if it had to be ended).
wait_exit() {
  n=0
  while kill -0 "$pid" 2>/dev/null && [ "$n" -lt $(($1 * 20)) ]; do
    sleep 0.05
    n=$((n + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    status="still running after $1 s"
  else
    status=0
    wait "$pid" || status=$?
  fi
}

# A checksum of a rectangle of the screen, to tell whether what it shows changed
snapshot() {  # x y width height
  import -window root png:- 2>/dev/null | convert png:- -crop "$3x$4+$1+$2" +repage rgb:- | cksum
}
# Where the client area is, found by its teal background: "x y width height"
teal_area() {
  import -window root png:- 2>/dev/null |
    convert png:- -fill black +opaque '#00C0C0' -fill white -opaque '#00C0C0' -trim \
      -format '%X %Y %w %h' info:- 2>/dev/null | tr -d '+'
}
