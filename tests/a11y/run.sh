#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a command in a private accessibility session, as a screen reader user's desktop has one: a
# D-Bus session bus of its own, the AT-SPI bus with its registry, and an Xvfb. Qt programs started
# from the command talk AT-SPI. Needs no session of the caller's: it runs as root, as CI does.
# Usage: run.sh COMMAND [ARGUMENT...]    Status 77: a part of the session is not installed.
set -u
launcher=/usr/libexec/at-spi-bus-launcher
for need in dbus-daemon dbus-send Xvfb "$launcher" /usr/libexec/at-spi2-registryd; do
  if ! command -v "$need" >/dev/null 2>&1; then
    echo "skipped: $need is not installed (Debian: dbus-daemon, xvfb, at-spi2-core)"
    exit 77
  fi
done

# A system program that is missing (the python3 of python3-pyatspi) is skipped like the rest;
# a program of the build must be there.
case ${1:?a command to run} in
  /usr/*) [ -x "$1" ] || { echo "skipped: $1 is not installed"; exit 77; } ;;
esac

work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
. "$(dirname "$0")/../../scripts/xvfb.sh"

bus="" spi=""
# Ends a daemon we started, asking again while it lingers: the bus launcher takes its bus and the
# registry down with it when it ends of its own accord.
end_daemon() {
  for _ in $(seq 20); do
    kill "$1" 2>/dev/null || break
    sleep 0.25
    kill -0 "$1" 2>/dev/null || break
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
finish() {
  for pid in $spi $bus; do end_daemon "$pid"; done
  stop_xvfb
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT

# The daemons' chatter goes to files: nothing of theirs may hold the caller's output open.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" \
  >"$work/dbus.log" 2>&1 </dev/null &
bus=$!
for _ in $(seq 50); do
  [ -S "$work/bus" ] && break
  sleep 0.1
done
[ -S "$work/bus" ] || { echo "the session bus did not start" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 </dev/null &
spi=$!
# Ready once it answers for the accessibility bus, which it starts first.
launched() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
for _ in $(seq 100); do
  launched && break
  sleep 0.1
done
launched || { echo "the accessibility bus did not start: $(cat "$work/launcher.log")" >&2; exit 1; }

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
"$@"
exit $?
