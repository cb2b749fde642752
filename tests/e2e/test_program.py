# SPDX-License-Identifier: MIT
# What the program makes of its options and of the display servers it finds, where that needs
# a real display: an X server, and a Wayland compositor (weston) drawing into it. The command line
# without a display is the unit tests' (commandline_test.cpp).
import subprocess

import pytest

import desktops
import screen
from conftest import start

UNREACHABLE = ":4711"


@pytest.fixture(scope="module")
def both(request, artifacts):
    """An X server, and weston drawing into it: the program can reach either."""
    d = start(desktops.BY_NAME["weston-wayland"], request, artifacts)
    yield d
    d.close()


def icon(env, wid):
    return subprocess.run(["xprop", "-id", str(wid), "_NET_WM_ICON"], env=env,
                          capture_output=True).stdout


# Which display server it opens on: the one the user named, else X11 where a reachable X server
# lets it place its window, else Wayland, without a word about an X server it could not open.
@pytest.mark.parametrize("args, env, seen", [
    ([], {"DISPLAY": None}, "wayland"),
    ([], {"DISPLAY": UNREACHABLE}, "wayland"),
    ([], {}, "x11"),
    ([], {"QT_QPA_PLATFORM": "wayland"}, "wayland"),
    # Qt's own options are Qt's; the display named on the command line is the one opened
    (["-platform", "xcb"], {}, "x11"),
    (["-style=fusion"], {}, "x11"),
    (["--platform", "xcb", "-reverse"], {}, "x11"),
    (["-display", "DISPLAY"], {"DISPLAY": None}, "x11"),
    (["-icon", "ICON"], {}, "x11"),
    (["-qwindowicon", "ICON"], {}, "x11"),
], ids=lambda v: " ".join(v) if isinstance(v, list) else None)
def test_opens_where_it_should(both, args, env, seen, tmp_path):
    outer = both.session.env
    red = tmp_path / "red.png"
    subprocess.run(["convert", "-size", "16x16", "xc:red", str(red)], check=True)
    args = [a.replace("DISPLAY", outer["DISPLAY"]).replace("ICON", str(red)) for a in args]
    p = desktops.Program(both, args, dict({"DISPLAY": outer["DISPLAY"], "QT_QPA_PLATFORM": None},
                                          **env), name="platform")
    try:
        view = screen.X11View(outer)
        x11 = view.find(10 if seen == "x11" else 3)
        assert bool(x11) == (seen == "x11"), f"an X11 window: {x11}; stderr {p.stderr()}"
        if seen == "wayland":
            view = screen.NestedView(outer)
            assert view.find(), f"a window in weston; stderr {p.stderr()}"
        elif str(red) in args:
            assert b"16 x 16" in icon(outer, view.wid) and b"Icon (256 x 256)" not in icon(
                outer, view.wid), "the icon given, and none of the program's own"
        view.click(screen.END)
        assert p.status(10) == 0
        assert p.stderr() == []
    finally:
        view.close()
        p.kill()
