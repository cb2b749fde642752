# SPDX-License-Identifier: MIT
# Wayland compositors, started headless into a session of servers.py: weston drawing into an X
# server, and the compositors of GNOME and Plasma with their XWayland.
import glob
import os
import shutil
import subprocess
import time

from servers import await_, dbus, need, Missing

def wayland_platform():
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        raise Missing("Qt's Wayland platform (qt6-wayland) is not installed")


def weston(session, xwayland):
    """Weston drawing into a window of the X server in DISPLAY (so that the ordinary X tools see
    and click what it shows); with xwayland, its X server too, whose display it returns."""
    need("weston", *(["Xwayland"] if xwayland else []))
    wayland_platform()
    log = os.path.join(session.dir, "weston.log")
    session.spawn("weston", "--backend=x11-backend.so", "--use-pixman", "--width=1024",
                  "--height=768", "--socket=tavimo", "--idle-time=0", "--no-config",
                  f"--log={log}", *(["--xwayland"] if xwayland else []))
    await_(lambda: os.path.exists(os.path.join(session.dir, "tavimo")), what="weston's socket")
    session.env["WAYLAND_DISPLAY"] = "tavimo"
    if not xwayland:
        time.sleep(0.5)
        return None
    line = await_(lambda: [l for l in open(log) if "xserver listening on display" in l],
                  what="weston's X server")[0]
    display = line.split("display")[-1].split()[0]
    # Its X server starts when the first client knocks.
    await_(lambda: subprocess.run(["xdpyinfo"], env=dict(session.env, DISPLAY=display),
                                  capture_output=True).returncode == 0, what="XWayland")
    return display


def _x11_unix():
    # mutter makes the sockets' folder itself if it is missing, under the umask, then refuses it
    os.makedirs("/tmp/.X11-unix", exist_ok=True)
    if os.stat("/tmp/.X11-unix").st_uid == os.geteuid():
        os.chmod("/tmp/.X11-unix", 0o1777)


def _reachable(session, display, auth=None):
    env = dict(session.env, DISPLAY=display, **({"XAUTHORITY": auth} if auth else {}))
    return subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0


def mutter_wayland(session):
    """mutter as GNOME Shell runs it, headless, in a D-Bus session of its own; returns its
    XWayland's display and the cookie it wants."""
    need("mutter", "Xwayland")
    dbus(session)
    _x11_unix()
    session.spawn("mutter", "--headless", "--wayland", "--virtual-monitor", "1280x1024",
                  "--wayland-display", "tavimo", env={"XDG_CONFIG_HOME": session.dir})

    def announced():
        for line in open(session.log_path, errors="replace"):
            if "Using public X11 display" in line:
                return line.split("display ")[1].split(",")[0]
    display = await_(announced, what="mutter's XWayland")
    auth = await_(lambda: glob.glob(os.path.join(session.dir, ".mutter-Xwaylandauth.*")),
                  what="mutter's XWayland cookie")[0]
    await_(lambda: _reachable(session, display, auth), what="mutter's XWayland answering")
    return display, auth


def kwin_wayland(session):
    """KWin as Plasma runs it, on a virtual screen, with its XWayland; returns that display.
    The installed binary carries a file capability that a restricted bounding set refuses to
    run, and a plain copy of it runs."""
    need("kwin_wayland", "Xwayland")
    dbus(session)
    _x11_unix()
    kwin = os.path.join(session.dir, "kwin_wayland")
    shutil.copy(shutil.which("kwin_wayland"), kwin)
    # KWin tells its clients their environment only: one of them writes it down.
    told = os.path.join(session.dir, "told")
    tell = os.path.join(session.dir, "tell")
    with open(tell, "w") as f:
        f.write(f'#!/bin/sh\necho "$DISPLAY" >{told}.part && mv {told}.part {told}\n')
    os.chmod(tell, 0o755)
    session.spawn(kwin, "--virtual", "--xwayland", "--socket", "tavimo", "--width", "1280",
                  "--height", "1024", tell, env={"XDG_CONFIG_HOME": session.dir})
    display = await_(lambda: os.path.exists(told) and open(told).read().strip(), 20,
                     what="KWin's XWayland")
    await_(lambda: _reachable(session, display), what="KWin's XWayland answering")
    return display
