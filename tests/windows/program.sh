#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows program under Wine on Xvfb, driven as a user drives it: it appears with its size and
# place, animates, wanders and halts, shows the date and ends at "end". Then the installer: a
# silent install, the installed program started from where the installer put it, and the silent
# uninstall. Wine runs in a prefix of its own, made afresh.
# Usage: program.sh TAVIMO.EXE SETUP.EXE ARTIFACT_DIR   (WINEPREFIX: the prefix to use)
set -u
here=$(dirname "$0")
exe=$1 setup=$2
set -- "$1" "$3"
. "$here/wine.sh"
. "$here/../e2e/lib.sh"
command -v xdotool >/dev/null 2>&1 && command -v import >/dev/null 2>&1 ||
  { echo "skipped: xdotool and ImageMagick are needed" >&2; exit 77; }
. "$here/../../scripts/xvfb.sh"
wm=""
cleanup() {
  [ -z "$wm" ] || kill "$wm" 2>/dev/null
  end_wine
  stop_xvfb
}
trap cleanup EXIT
new_prefix

# Starts a Windows program; sets pid, and wid once its window shows (empty if not).
start_exe() {  # name, program
  wine "$2" 2>"$artifacts/$1.stderr" &
  pid=$!
  wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Tavimo$' 2>/dev/null | head -n 1)
}
# Button centres within the client area, and the play area's inside
move_x=28 move_y=276 date_x=84 end_x=140
play_area() { echo $(($1 + 10)) $(($2 + 10)) 261 245; }
# The window's own pixels, wherever it is: a crop of them as raw RGB, with a checksum
window_crop() {  # window, x y width height within it
  import -window "$1" png:- 2>/dev/null | convert png:- -crop "$4x$5+$2+$3" +repage rgb:- | cksum
}
# Pixels of the date's pale blue (192, 192, 255), drawn smoothly onto black: blue well above red,
# red and green close (Windows' subpixel smoothing tints the glyphs' edges).
pale_blue() {  # x y width height on the screen
  import -window root png:- 2>/dev/null |
    convert png:- -crop "$3x$4+$1+$2" +repage -depth 8 -format %c histogram:info:- |
    awk '{ n = $1; sub(":", "", n); c = $2; gsub("[()]", "", c); split(c, v, ",")
      r = v[1]; g = v[2]; b = v[3]
      if (b > 96 && b > r + 24 && r - g <= 32 && g - r <= 32) count += n } END { print count + 0 }'
}

# --- started from a console (cmd on a terminal), the program answers there, though it is a
# GUI program; spaces are cursor moves on Wine's console, so the text is compared without them
if command -v script >/dev/null 2>&1; then
  win_exe=$(winepath -w "$exe" 2>/dev/null)
  on_console() {
    script -qc "wine cmd /c '$win_exe $1'" /dev/null </dev/null 2>/dev/null |
      sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1b\][^\x07]*\x07//g' | tr -d '\r '
  }
  out=$(on_console --version)
  check "--version answers on the console it was started from" \
    'echo "$out" | grep -q "^tavimo[0-9]*\.[0-9]*\.[0-9]*$"' "$out"
  out=$(on_console --bogus)
  check "a bad argument is told on that console" \
    'echo "$out" | grep -qF "tavimo:unknownoption'"'"'--bogus'"'"'"' "$out"
  out=$(LANG=de_DE.UTF-8 on_console --bogus)
  check "in the user's language: German where LANG says so" \
    'echo "$out" | grep -q "^tavimo:unbekannteOption" && echo "$out" | grep -q "liefertweitereInformationen"' \
    "$out"
else
  skip "the console: script (util-linux) is not installed"
fi

# --- start-up: title, size, place, the first frame
t0=$(now_ms)
start_exe startup "$exe"
check "a window titled \"Tavimo\" appears" '[ -n "$wid" ]' "none within 10 s"
if [ -z "$wid" ]; then
  finish
  exit
fi
echo "     (the window showed $(($(now_ms) - t0)) ms after the start)"
sleep 1
set -- $(geometry "$wid")
x=$1 y=$2 size="$3 x $4"
check "client area is 279 x 294 px at 96 DPI" '[ "$size" = "279 x 294" ]' "got $size"
check "client area placed at 219, 202" '[ "$x $y" = "219 202" ]' "got $x, $y"
import -window "$wid" "$artifacts/window.png"

# --- the dots move and change colour
set -- $(play_area "$x" "$y")
a=$(snapshot "$@")
sleep 0.35
b=$(snapshot "$@")
check "the play area changes from one moment to the next" '[ "$a" != "$b" ]' "two screenshots alike"
colours=$(import -window root png:- 2>/dev/null | convert png:- -crop "$3x$4+$1+$2" +repage \
  -format %c histogram:info:- | grep -vic ' #000000 ')
check "dots of several colours on black" '[ "$colours" -ge 3 ]' "$colours colours besides black"

# --- the date: pale blue in the play area's lower right, and gone again
click "$wid" $date_x $move_y
sleep 1.2
n=$(pale_blue $((x + 168)) $((y + 223)) 105 34)
import -window "$wid" "$artifacts/window-date.png"
check "\"date\" shows pale-blue text" '[ "$n" -gt 20 ]' "$n pixels"
click "$wid" $date_x $move_y
sleep 0.4
n=$(pale_blue $((x + 168)) $((y + 223)) 105 34)
check "another click on \"date\" hides it" '[ "$n" -eq 0 ]' "$n pixels"

# --- wandering: left at about 66 px/s, the button reads "stop", and "stop" halts it
caption() { window_crop "$wid" 12 268 33 17; }
before=$(caption)
click "$wid" $move_x $move_y
follow_travel "$wid"
check "\"move\": the window travels left at about 66 px/s" \
  '[ "$speed" -ge 50 ] && [ "$speed" -le 80 ] && [ "$y1" = "$y0" ]' \
  "$speed px/s, from $x0,$y0 to $x1,$y1"
echo "     (from $x0,$y0 to $x1,$y1 in $((t1 - t0)) ms: $speed px/s)"
stop=$(caption)
import -window "$wid" "$artifacts/window-wandering.png"
check "the button's caption changes" '[ "$stop" != "$before" ]' "the same pixels"
click "$wid" $move_x $move_y
sleep 0.3
p2=$(place "$wid")
sleep 0.7
p3=$(place "$wid")
check "\"stop\" halts the window" '[ "$p2" = "$p3" ]' "$p2, then $p3"
check "the caption changes back" '[ "$(caption)" != "$stop" ]' "still the caption it had while moving"

# --- "end" on a bare X server: Wine waits up to 2 s for a window manager that never confirms
# that the window was shown before it takes the window away; the process then ends with 0.
click "$wid" $end_x $move_y
clicked=$(now_ms)
while xwininfo -id "$wid" 2>/dev/null | grep -q IsViewable && [ $(($(now_ms) - clicked)) -lt 5000 ]; do
  sleep 0.01
done
unmapped=$(($(now_ms) - clicked))
wait_exit 5
check "\"end\" without a window manager: status 0" '[ "$status" = 0 ]' "$status"
echo "     (the window went $unmapped ms after the click, the process $(($(now_ms) - clicked)) ms)"

if [ ! -f "$setup" ]; then
  skip "the installer: $setup is not made (the build's target windows-release makes it)"
  finish
  exit
fi

# --- the installer: silent, per user, with its Start menu entry and its Apps & features entry
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavimo'
status=0
wine "$setup" /S || status=$?
wineserver -w
folder() { winepath -u "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')\\$2" 2>/dev/null; }
installed=$(folder LOCALAPPDATA 'Programs\Tavimo')
menu=$(folder APPDATA 'Microsoft\Windows\Start Menu\Programs\Tavimo.lnk')
check "the installer runs silently with status 0" '[ "$status" = 0 ]' "status $status"
check "it installs tavimo.exe into %LOCALAPPDATA%\\Programs\\Tavimo" \
  'cmp -s "$exe" "$installed/tavimo.exe" && [ -f "$installed/uninstall.exe" ]' "$installed"
check "a Start menu entry" '[ -f "$menu" ]' "no $menu"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
check "Apps & features lists it for this user" \
  'echo "$entry" | grep -q "DisplayName *REG_SZ *Tavimo$" &&
   echo "$entry" | grep -q "UninstallString *REG_SZ .*uninstall.exe"' "$entry"

# --- the installed program, under a window manager, as on any desktop: "end" takes the window
# away at once and the process ends with status 0
if command -v openbox >/dev/null 2>&1; then
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  start_exe installed "$installed/tavimo.exe"
  check "the installed program starts" '[ -n "$wid" ]' "no window within 10 s"
  if [ -n "$wid" ]; then
    sleep 1
    size=$(geometry "$wid" | cut -d' ' -f3,4)
    check "framed by a window manager, the client area is 279 x 294 px" '[ "$size" = "279 294" ]' \
      "got $size"
    import -window root "$artifacts/installed.png"
    click "$wid" $end_x $move_y
    clicked=$(now_ms)
    while xwininfo -id "$wid" 2>/dev/null | grep -q IsViewable && [ $(($(now_ms) - clicked)) -lt 5000 ]; do
      sleep 0.01
    done
    gone=$(($(now_ms) - clicked))
    check "\"end\" takes the window away at once" '[ "$gone" -le 300 ]' "$gone ms"
    wait_exit 5
    check "and the process ends with status 0" '[ "$status" = 0 ]' "$status"
    echo "     (the window went $gone ms after the click, the process $(($(now_ms) - clicked)) ms)"
  fi
  kill "$wm" 2>/dev/null
  wm=""
else
  skip "the installed program under a window manager: openbox is not installed"
fi

# --- the uninstaller, silent, removes the program, its menu entry and its Apps & features entry
status=0
wine "$installed/uninstall.exe" /S || status=$?
wineserver -w
check "the uninstaller runs silently with status 0" '[ "$status" = 0 ]' "status $status"
check "it removes the program and its folder" '[ ! -e "$installed" ]' "$(ls "$installed" 2>&1)"
check "and the Start menu entry" '[ ! -e "$menu" ]' "still there"
check "and the Apps & features entry" '! wine reg query "$key" >/dev/null 2>&1' "still there"

finish
