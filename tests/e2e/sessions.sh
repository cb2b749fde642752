# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts: starts and stops the desktops the program is tried under, on
# the X server in DISPLAY, one at a time. A start returns 1 when something it needs is not
# installed and 2 when it is but would not start; either way $why says what.

session_dir=$(mktemp -d)
session_pids=""
bus_pid=""
why=""

have() {
  for c; do
    command -v "$c" >/dev/null 2>&1 || { why="$c is not installed"; return 1; }
  done
}
# Waits up to 5 s for a shell condition to hold
await() {
  n=0
  until eval "$1" >/dev/null 2>&1; do
    n=$((n + 1))
    [ "$n" -lt 100 ] || return 1
    sleep 0.05
  done
}
background() {
  "$@" >>"$session_dir/desktop.log" 2>&1 &
  session_pids="$! $session_pids"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
compositing() { [ "$(compositor)" != 0x0 ]; }

# A private session bus for desktops whose settings travel over D-Bus
start_bus() {
  have dbus-daemon || return 1
  set -- $(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  [ $# -eq 2 ] || { why="dbus-daemon did not start"; return 2; }
  export DBUS_SESSION_BUS_ADDRESS="$1"
  bus_pid=$2
}

# mutter, as GNOME runs it on Xorg, replacing whichever window manager runs (it restarts only so)
start_mutter() {
  background env NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$session_dir/config" \
    mutter --x11 --replace --sm-disable
}

# none, openbox, i3, mutter, xfwm4 (with its compositor) or picom (beside openbox)
start_desktop() {
  why=""
  # A window manager that went leaves its check property behind.
  xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null
  case $1 in
    none) return 0 ;;
    openbox)
      have openbox || return 1
      background openbox --sm-disable
      ;;
    i3)
      have i3 i3-msg || return 1
      printf "# i3 config file (v4)\nfont pango:DejaVu Sans 8\n" >"$session_dir/i3.conf"
      background i3 -a -c "$session_dir/i3.conf"
      ;;
    mutter)
      have mutter python3 || return 1
      start_bus || return $?
      mkdir -p "$session_dir/config"
      start_mutter
      ;;
    xfwm4)
      have xfwm4 python3 || return 1
      start_bus || return $?
      mkdir -p "$session_dir/config"
      background env NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$session_dir/config" \
        xfwm4 --compositor=on --vblank=off --sm-client-disable
      ;;
    picom)
      have openbox picom python3 || return 1
      background openbox --sm-disable
      background picom --backend xrender --no-fading-openclose
      ;;
  esac
  await wm_ready || { why="$1 did not start: $(tail -n 3 "$session_dir/desktop.log")"; return 2; }
  case $1 in
    xfwm4 | picom) await compositing || { why="$1 does not composite"; return 2; } ;;
  esac
  sleep 0.3  # a window manager goes on setting up after it announces itself
}

# Weston nested in the X server: "xwayland" starts its X server too (xw_display), "native" is
# Wayland alone. Clients use wl_runtime and wl_socket.
start_weston() {
  why=""
  have weston || return 1
  if [ "$1" = xwayland ]; then
    have Xwayland || return 1
  elif ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    why="Qt's Wayland platform (qt6-wayland) is not installed"
    return 1
  fi
  wl_runtime="$session_dir/runtime"
  wl_socket=tavimo-test
  [ -d "$wl_runtime" ] || mkdir -m 700 "$wl_runtime"
  rm -f "$session_dir/weston.log"
  xwayland=""
  [ "$1" = native ] || xwayland=--xwayland
  background env XDG_RUNTIME_DIR="$wl_runtime" weston --backend=x11-backend.so --use-pixman \
    --width=1024 --height=768 --socket="$wl_socket" --idle-time=0 --no-config \
    --log="$session_dir/weston.log" $xwayland
  await '[ -S "$wl_runtime/$wl_socket" ]' || { why="weston did not start"; return 2; }
  [ "$1" = xwayland ] || { sleep 0.5; return 0; }
  await 'grep -q "xserver listening on display" "$session_dir/weston.log"' ||
    { why="weston started no X server"; return 2; }
  xw_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' \
    "$session_dir/weston.log" | head -n 1)
  # Its X server starts when the first client knocks.
  await 'DISPLAY=$xw_display xdpyinfo' || { why="weston's X server did not start"; return 2; }
}

stop_desktop() {
  for p in $session_pids; do kill "$p" 2>/dev/null; done
  for p in $session_pids; do wait "$p" 2>/dev/null; done
  session_pids=""
  if [ -n "$bus_pid" ]; then
    kill "$bus_pid" 2>/dev/null
    bus_pid=""
    unset DBUS_SESSION_BUS_ADDRESS
  fi
}
