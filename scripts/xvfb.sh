# SPDX-License-Identifier: MIT
# Sourced: starts an Xvfb on a free display (its screen XVFB_SCREEN, else 1280x1024x24), exports
# DISPLAY, and stops it on exit (waiting for it to go, so that the next user of a display number
# never meets a dying server). It never
# resets: a server resetting as its last client leaves turns the next one away for a moment.
# Without Xvfb it ends the script with 77, which ctest counts as a skipped test.
command -v Xvfb >/dev/null 2>&1 || { echo "skipped: Xvfb is not installed" >&2; exit 77; }

start_xvfb() {
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb=$!
  number=""
  read -r number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || return 1
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    kill -0 "$xvfb" 2>/dev/null || return 1
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
stop_xvfb() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}

for attempt in 1 2 3; do
  start_xvfb && break
  stop_xvfb
  [ "$attempt" -lt 3 ] || { echo "cannot start Xvfb" >&2; exit 1; }
  sleep 0.5
done
trap stop_xvfb EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
