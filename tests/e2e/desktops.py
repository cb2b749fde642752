# SPDX-License-Identifier: MIT
# The desktops the program is tried on, headless, and what each of them lets it do. Shared by
# the end-to-end tests and the benchmarks.
import os
import subprocess
from dataclasses import dataclass

import compositors
import screen
import servers
from servers import await_, need

IGNORED = "tavimo: the window manager ignores this program's moves"
NO_MOVES = "tavimo: this session does not let programs move their windows"
HERE = os.path.dirname(os.path.abspath(__file__))


def wm_ready(env):
    out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                         capture_output=True, text=True).stdout
    return "window id" in out


def _wm(s, *cmd, env=None):
    """Starts a window manager on the X server in DISPLAY, clearing the check property that a
    window manager gone before leaves behind; returns once it has announced itself."""
    need(cmd[0], "xprop")
    subprocess.run(["xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"], env=s.env)
    s.spawn(*cmd, env=env)
    await_(lambda: wm_ready(s.env), what=f"{cmd[0]} announcing itself")


def _compositing(s):
    x = screen.Xlib(s.env)
    try:
        await_(lambda: x.owner("_NET_WM_CM_S0"), what="compositing")
    finally:
        x.close()


def _i3_conf(s):
    conf = os.path.join(s.dir, "i3.conf")
    with open(conf, "w") as f:
        f.write("# i3 config file (v4)\nfont pango:DejaVu Sans 8\n")
    return conf


# Each starter gets a session with its X server (if any) running; it returns what the program
# runs with beyond the session's environment, and where it is seen from: the session's own X
# server unless it says otherwise.
def bare(s):
    return {}


def openbox(s):
    _wm(s, "openbox", "--sm-disable")
    return {}


def i3(s):
    _wm(s, "i3", "-a", "-c", _i3_conf(s))
    return {}


def xfwm4(s):
    servers.dbus(s)
    _wm(s, "xfwm4", "--compositor=on", "--vblank=off", "--sm-client-disable",
        env={"XDG_CONFIG_HOME": s.dir})
    _compositing(s)
    return {}


def picom(s):
    need("picom")
    _wm(s, "openbox", "--sm-disable")
    s.spawn("picom", "--backend", "xrender", "--no-fading-openclose")
    _compositing(s)
    return {}


def mutter_x11(s):
    servers.dbus(s)
    _wm(s, "mutter", "--x11", "--replace", "--sm-disable", env={"XDG_CONFIG_HOME": s.dir})
    return {}


def weston_xwayland(s):
    return {"DISPLAY": compositors.weston(s, xwayland=True)}, "nested"


def weston_wayland(s):
    compositors.weston(s, xwayland=False)
    return {"DISPLAY": None, "QT_QPA_PLATFORM": "wayland"}, "nested"


def xorg_mixed(s):
    return {"QT_SCREEN_SCALE_FACTORS": "M0=1;M1=1.5"}


# Under GNOME and Plasma the program is an X11 client of the session's XWayland, though the
# session is a Wayland one, as a user's is.
def gnome(s):
    display, auth = compositors.mutter_wayland(s)
    s.env.update(DISPLAY=display, XAUTHORITY=auth)
    return {"XDG_SESSION_TYPE": "wayland"}


def kde(s):
    s.env["DISPLAY"] = compositors.kwin_wayland(s)
    return {"XDG_SESSION_TYPE": "wayland"}


@dataclass
class Row:
    name: str
    start: object
    server: str = "xvfb"        # what the starter runs on: xvfb, xorg, or none of its own
    moves: bool = True          # moves honoured; else the window stands and says so
    notice: str = ""            # what it then says
    placed: tuple = None        # where the client area shows where no window manager places it
    wm: bool = True             # a window manager that can close the window
    restarts: tuple = ()        # how its window manager is taken over again
    windows: bool = False       # tavimo.exe under Wine
    crossing: bool = False      # two monitors of different scale side by side


ROWS = [
    Row("bare", bare, placed=(219, 202), wm=False),
    Row("openbox", openbox, restarts=("restart", "replace")),
    Row("i3", i3, restarts=("restart", "replace")),
    Row("xfwm4", xfwm4),
    Row("picom", picom),
    Row("mutter", mutter_x11, restarts=("replace",)),
    Row("weston-xwayland", weston_xwayland, moves=False, notice=IGNORED, wm=False),
    Row("weston-wayland", weston_wayland, moves=False, notice=NO_MOVES, wm=False),
    Row("xorg-mixed", xorg_mixed, server="xorg", placed=(219, 202), wm=False, crossing=True),
    Row("gnome", gnome, server="none"),
    Row("kde", kde, server="none"),
    Row("wine", bare, placed=(219, 202), wm=False, windows=True),
    Row("wine-framed", openbox, windows=True),
]
BY_NAME = {r.name: r for r in ROWS}


def wine_env(prefix):
    return {"WINEPREFIX": prefix, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def end_wine(env):
    """No Wine process of the prefix left to hold on to a display about to go."""
    for flag in ("-k", "-w"):
        subprocess.run(["wineserver", flag], env=env, capture_output=True)


class Program:
    """One run of the program, its stderr kept in a file."""

    def __init__(self, desktop, args=(), env=None, name="program"):
        self.desktop = desktop
        self.stderr_path = os.path.join(desktop.artifacts, f"{desktop.row.name}.{name}.stderr")
        env = {k: v for k, v in dict(desktop.env, **(env or {})).items() if v is not None}
        with open(self.stderr_path, "w") as err:
            self.proc = subprocess.Popen(desktop.argv + list(args), env=env, stderr=err,
                                         stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.view = desktop.view()

    def status(self, seconds):
        """Its exit status once it has ended, None if it is still running after SECONDS."""
        try:
            return self.proc.wait(seconds)
        except subprocess.TimeoutExpired:
            return None

    def stderr(self):
        """What the program said; Wine's own word on a wineserver going is not the program's."""
        with open(self.stderr_path, errors="replace") as f:
            return [l for l in f.read().splitlines() if not l.startswith("wine client error:")]

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.view.close()


class Desktop:
    """A row's desktop, started: it runs the program and says where to see it."""

    def __init__(self, row, program, artifacts, wineprefix=None):
        self.row, self.artifacts = row, artifacts
        self.session = s = servers.Session(row.name, artifacts)
        self.main = None
        self.wineprefix = wineprefix
        try:
            if row.windows:
                need("wine")
                s.env.update(wine_env(wineprefix))
                end_wine(s.env)
            outer = {"xvfb": servers.xvfb, "xorg": servers.xorg_two_monitors}.get(row.server)
            if outer:
                outer(s)
            got = row.start(s)
            extra, self.seen = got if isinstance(got, tuple) else (got, "x11")
        except BaseException:
            self.close()
            raise
        self.env = dict(s.env, **extra)
        self.argv = (["wine"] if row.windows else []) + [program]

    def view(self):
        if self.seen == "nested":
            return screen.NestedView(self.session.env)
        v = screen.X11View(self.session.env)
        v.loose = self.row.windows
        return v

    def restart_wm(self, how):
        """Takes the window over with a new window manager, as a restart or a crash does;
        returns once the new one has announced itself."""
        s, wm = self.session, self.row.name
        x = screen.Xlib(s.env)
        owner = x.owner("WM_S0")
        subprocess.run(["xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"], env=s.env)
        if how == "restart":
            cmd = ["i3-msg", "restart"] if wm == "i3" else ["openbox", "--restart"]
            subprocess.run(cmd, env=s.env, capture_output=True)
        elif wm == "i3":
            s.spawn("i3", "--replace", "-a", "-c", _i3_conf(s))
        elif wm == "openbox":
            s.spawn("openbox", "--replace", "--sm-disable")
        else:
            s.spawn("mutter", "--x11", "--replace", "--sm-disable", env={"XDG_CONFIG_HOME": s.dir})
        try:
            if wm == "mutter":
                # The mutter replaced takes the check property away as it goes, after its
                # successor has set it: the successor announces itself by taking the selection.
                await_(lambda: x.owner("WM_S0") not in (0, owner), what="a new mutter")
            else:
                await_(lambda: wm_ready(s.env), what=f"{wm} {how}")
        finally:
            x.close()

    def close(self):
        if self.row.windows:
            end_wine(self.session.env)
        self.session.close()

    def end_main(self):
        """Ends the row's first program, so that the next is the only window of its name."""
        if self.main:
            self.main.kill()
