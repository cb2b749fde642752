# SPDX-License-Identifier: MIT
# Display servers and the processes of a desktop, started headless and ended together. A start
# raises Missing when something it needs is not installed, and Failed when it is but would not
# start.
import os
import shutil
import signal
import subprocess
import tempfile
import time

# What a parent session would hand down and must not reach the desktops started here.
FOREIGN = ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
           "QT_SCREEN_SCALE_FACTORS", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
           "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "XDG_RUNTIME_DIR")


class Missing(Exception):
    pass


class Failed(Exception):
    pass


def need(*commands):
    for c in commands:
        if not (shutil.which(c) or c.startswith("/") and os.path.exists(c)):
            raise Missing(f"{c} is not installed")


def await_(condition, seconds=10, what="it"):
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failed(f"{what} did not happen within {seconds} s")
        time.sleep(0.05)


class Session:
    """The processes of one desktop, each in a process group of its own, and a private
    XDG_RUNTIME_DIR; env is what its clients run with."""

    def __init__(self, name, logs):
        self.name = name
        self.dir = tempfile.mkdtemp(prefix=f"tavimo-{name}-")
        os.chmod(self.dir, 0o700)
        os.makedirs(logs, exist_ok=True)
        self.log_path = os.path.join(logs, f"{name}.desktop.log")
        self.log = open(self.log_path, "w")
        self.procs = []
        self.env = {k: v for k, v in os.environ.items() if k not in FOREIGN}
        self.env.update(XDG_RUNTIME_DIR=self.dir, LC_ALL="C.UTF-8", NO_AT_BRIDGE="1")

    def spawn(self, *cmd, env=None, **kw):
        kw.setdefault("stdout", self.log)
        kw.setdefault("stderr", subprocess.STDOUT)
        p = subprocess.Popen(cmd, env=dict(self.env, **(env or {})), start_new_session=True,
                             stdin=subprocess.DEVNULL, **kw)
        self.procs.append(p)
        return p

    def log_tail(self, lines=5):
        self.log.flush()
        with open(self.log_path, errors="replace") as f:
            return " | ".join(f.read().splitlines()[-lines:])

    def close(self):
        for p in reversed(self.procs):
            stop(p)
        self.procs = []
        self.log.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def stop(p, seconds=5):
    """Ends a process and its group, asking first."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(p.pid, sig)
        except (ProcessLookupError, PermissionError):
            pass
        try:
            p.wait(seconds)
            return
        except subprocess.TimeoutExpired:
            pass


def _displayfd(session, cmd):
    """Starts an X server that tells its display number on a pipe; returns ":N"."""
    r, w = os.pipe()
    p = session.spawn(*cmd, "-displayfd", str(w), pass_fds=(w,))
    os.close(w)
    with os.fdopen(r) as f:
        number = f.readline().strip()
    if not number:
        raise Failed(f"{cmd[0]} did not start: {session.log_tail()}")
    display = f":{number}"
    await_(lambda: subprocess.run(["xdpyinfo"], env=dict(session.env, DISPLAY=display),
                                  capture_output=True).returncode == 0 or p.poll() is not None)
    if p.poll() is not None:
        raise Failed(f"{cmd[0]} ended: {session.log_tail()}")
    return display


def xvfb(session, size="1280x1024"):
    need("Xvfb", "xdpyinfo")
    # -noreset: a server resetting as its last client leaves turns the next one away a moment
    display = _displayfd(session, ["Xvfb", "-screen", "0", f"{size}x24", "-nolisten", "tcp",
                                   "-noreset"])
    session.env["DISPLAY"] = display
    return display


XORG_CONF = """Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
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
  Modeline "1280x720" 74.25 1280 1390 1430 1650 720 725 730 750
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x720"
  EndSubSection
EndSection
"""


def xorg_two_monitors(session):
    """A real Xorg on the dummy driver (Xvfb has no RandR monitors), its 1280 x 720 screen split
    into M0 and M1, 640 px each at 96 DPI; Qt names its screens after them."""
    need("Xorg", "xrandr", "/usr/lib/xorg/modules/drivers/dummy_drv.so")
    if os.geteuid() != 0:
        raise Missing("Xorg on the dummy driver runs as root here")
    conf = os.path.join(session.dir, "xorg.conf")
    with open(conf, "w") as f:
        f.write(XORG_CONF)
    os.mkdir(os.path.join(session.dir, "conf.d"))
    display = _displayfd(session, [
        "Xorg", "-config", conf, "-configdir", os.path.join(session.dir, "conf.d"), "-noreset",
        "-nolisten", "tcp", "-novtswitch", "-sharevts",
        "-logfile", os.path.join(session.dir, "Xorg.log")])
    session.env["DISPLAY"] = display
    run = lambda *a: subprocess.run(["xrandr", *a], env=session.env, capture_output=True,
                                    text=True)
    output = next(line.split()[0] for line in run().stdout.splitlines() if " connected" in line)
    if run("--setmonitor", "M0", "640/169x720/190+0+0", output).returncode or \
            run("--setmonitor", "M1", "640/169x720/190+640+0", "none").returncode:
        raise Failed("this Xorg cannot split its screen into monitors")
    return display


def dbus(session):
    """A session bus of the desktop's own."""
    need("dbus-daemon")
    path = os.path.join(session.dir, "bus")
    session.spawn("dbus-daemon", "--session", "--nofork", "--nopidfile", f"--address=unix:path={path}")
    await_(lambda: os.path.exists(path), what="the session bus")
    session.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={path}"


def atspi(session):
    """The AT-SPI bus and its registry on a session bus of the desktop's own, as a screen reader
    user's desktop has them; Qt programs on the X server in DISPLAY then talk AT-SPI."""
    launcher = "/usr/libexec/at-spi-bus-launcher"
    need(launcher, "/usr/libexec/at-spi2-registryd", "dbus-send")
    dbus(session)
    session.spawn(launcher, "--launch-immediately")
    # Ready once it answers for the accessibility bus, which it starts first.
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
           "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"]
    await_(lambda: "true" in subprocess.run(ask, env=session.env, capture_output=True,
                                            text=True).stdout, what="the accessibility bus")
    session.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")


def main(mode, *command):
    """Runs a command on Qt's X11 platform against servers of its own: an Xvfb; the two-monitor
    Xorg, its monitors scaled by the factors given; or an Xvfb with a D-Bus session and AT-SPI.
    Status 77 where they cannot run here."""
    logs = tempfile.mkdtemp(prefix=f"tavimo-{mode}-logs-")
    s = Session(mode, logs)
    try:
        if mode == "xorg":
            xorg_two_monitors(s)
            m0, m1 = command[0].split(",")
            command = command[1:]
            s.env["QT_SCREEN_SCALE_FACTORS"] = f"M0={m0};M1={m1}"
        else:
            xvfb(s)
        if mode == "atspi":
            atspi(s)
        # The caller's locale and Qt settings stand (a test's language, its scale); its servers
        # do not.
        env = {k: v for k, v in os.environ.items() if k not in FOREIGN or k.startswith("QT_")}
        env.update({k: v for k, v in s.env.items() if k in FOREIGN or k.startswith("QT_")},
                   QT_QPA_PLATFORM="xcb")
        return subprocess.run(command, env=env).returncode
    except Missing as why:
        print(f"skipped: {why}")
        return 77
    except Failed as why:
        print(why)
        return 1
    finally:
        s.close()
        shutil.rmtree(logs, ignore_errors=True)


if __name__ == "__main__":
    import sys
    if len(sys.argv) < 3 or sys.argv[1] not in ("xvfb", "xorg", "atspi"):
        sys.exit("usage: servers.py xvfb|atspi COMMAND [ARGUMENT...]\n"
                 "       servers.py xorg SCALE_M0,SCALE_M1 COMMAND [ARGUMENT...]")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # the servers end with it
    sys.exit(main(*sys.argv[1:]))
