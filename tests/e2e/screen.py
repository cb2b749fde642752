# SPDX-License-Identifier: MIT
# Seeing and driving the program's window as a user's tools would: the X server's own answers
# (through Xlib), screenshots (ImageMagick) and the pointer (xdotool).
import os
import subprocess
import time
from collections import Counter

from Xlib import display as Xlib_display, ext as Xlib_ext

# Button centres and the regions the checks read, within the client area
MOVE, DATE, END = (28, 276), (84, 276), (140, 276)
PLAY = (12, 12, 255, 240)
DATE_BOX = (168, 223, 105, 34)
CAPTION = (12, 268, 33, 17)  # the inside of "move"
SIZE = (279, 294)
TEAL = "#00C0C0"


class Image:
    def __init__(self, w, h, data):
        self.w, self.h, self.data = w, h, data

    def crop(self, x, y, w, h):
        rows = (self.data[3 * ((y + r) * self.w + x):3 * ((y + r) * self.w + x + w)]
                for r in range(h))
        return Image(w, h, b"".join(rows))

    def colours(self):
        d = self.data
        return Counter(zip(d[0::3], d[1::3], d[2::3]))


def pale_blue(image, loose=False):
    """Pixels of the date's pale blue (192, 192, 255) drawn smoothly onto black: red and green
    alike, blue above them; Windows' subpixel smoothing tints the edges, hence loose."""
    n = 0
    for (r, g, b), count in image.colours().items():
        if loose:
            n += count * (b > 96 and b > r + 24 and abs(r - g) <= 32)
        else:
            n += count * (b > 64 and b > r and abs(r - g) <= 2)
    return n


def off_sequence(image):
    """The dots' flat colours that are not of the head's sequence (B, G, R read as one number:
    11720800 + 9200 k), and how many of them there are: ([wrong colours], right)."""
    wrong, right = [], 0
    for (r, g, b), count in image.colours().items():
        if count < 12 or (r, g, b) in ((0, 0, 0), (192, 192, 255)):
            continue
        k, rest = divmod(b * 65536 + g * 256 + r - 11720800, 9200)
        if rest == 0 and 0 <= k <= 600:
            right += 1
        else:
            wrong.append(f"{r:02X}{g:02X}{b:02X}")
    return wrong, right


def _run(env, *cmd, **kw):
    return subprocess.run(cmd, env=env, capture_output=True, timeout=30, **kw)


def grab(env, window="root", crop=None):
    """A window's pixels (the whole screen by default), cropped to (x, y, w, h)."""
    args = ["-crop", "{2}x{3}+{0}+{1}".format(*crop), "+repage"] if crop else []
    out = _run(env, "sh", "-c", 'import -window "$0" png:- | convert png:- "$@" -depth 8 rgb:-',
               window, *args).stdout
    w, h = crop[2:] if crop else (0, 0)
    if not crop:
        size = _run(env, "sh", "-c", 'import -window "$0" png:- | identify -format "%w %h" -',
                    window).stdout.split()
        w, h = int(size[0]), int(size[1])
    return Image(w, h, out) if len(out) == 3 * w * h else None


class Xlib:
    """A connection of its own to one X server, for what the server and the window manager
    say about a window; a window gone, or a server gone, is answered with None."""

    def __init__(self, env):
        # The core protocol is all it asks for; python-xlib's RandR fails on XWayland.
        Xlib_ext.__extensions__ = []
        old = os.environ.get("XAUTHORITY")
        os.environ["XAUTHORITY"] = env.get("XAUTHORITY", old or "")  # read from here only
        try:
            self.d = Xlib_display.Display(env["DISPLAY"])
        finally:
            os.environ.pop("XAUTHORITY")
            if old is not None:
                os.environ["XAUTHORITY"] = old
        self.root = self.d.screen().root

    def close(self):
        try:
            self.d.close()
        except Exception:
            pass

    def owner(self, selection):
        owner = self.d.get_selection_owner(self.d.intern_atom(selection))
        return getattr(owner, "id", owner)  # 0 for nobody

    def geometry(self, wid):
        """x, y, w, h of a window on the screen."""
        try:
            w = self.d.create_resource_object("window", wid)
            g = w.get_geometry()
            at = self.root.translate_coords(w, 0, 0)
            return at.x, at.y, g.width, g.height
        except Exception:
            return None

    def toplevel(self, wid):
        """The window manager's frame around a window (the window itself if none)."""
        w = self.d.create_resource_object("window", wid)
        while (parent := w.query_tree().parent).id not in (0, self.root.id):
            w = parent
        return w.id


class X11View:
    """The program as an X11 client, seen and driven on its own X server."""

    loose = False

    def __init__(self, env):
        self.env = env
        self.wid = None
        self.xlib = Xlib(env)

    def find(self, seconds=20):
        out = _run(self.env, "timeout", str(seconds), "xdotool", "search", "--sync",
                   "--onlyvisible", "--name", "^Tavimo$").stdout.split()
        self.wid = int(out[0]) if out else None
        return self.wid

    def rect(self):
        return self.xlib.geometry(self.wid)

    def place(self):
        r = self.rect()
        return r and r[:2]

    def grab(self, region=None):
        return grab(self.env, str(self.wid), region or (0, 0) + SIZE)

    def click(self, at):
        _run(self.env, "xdotool", "mousemove", "--window", str(self.wid), str(at[0]), str(at[1]),
             "click", "1")

    def close_by_wm(self):
        _run(self.env, "wmctrl", "-i", "-c", hex(self.wid))

    def gone(self):
        return self.rect() is None

    def close(self):
        self.xlib.close()


class NestedView(X11View):
    """The program inside a compositor that draws into a window of an outer X server: found
    there by its teal background, clicked there with the pointer."""

    def __init__(self, outer_env):
        super().__init__(outer_env)
        self.area = None

    def _teal_area(self):
        out = _run(self.env, "sh", "-c", "import -window root png:- | convert png:- -fill black "
                   f"+opaque '{TEAL}' -fill white -opaque '{TEAL}' -trim -format '%X %Y %w %h' "
                   "info:-", text=True).stdout.replace("+", "").split()
        return tuple(map(int, out)) if len(out) == 4 and int(out[3]) > 1 else None

    def find(self, seconds=20):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.area = self._teal_area()
            if self.area and self.area[2:] == SIZE:
                return True
            time.sleep(0.2)
        return False

    def rect(self):
        return self._teal_area()

    def grab(self, region=None):
        x, y, w, h = region or (0, 0) + SIZE
        return grab(self.env, "root", (self.area[0] + x, self.area[1] + y, w, h))

    def click(self, at):
        # A nested compositor takes a press where it last heard of the pointer, so the pointer
        # comes in from outside and rests a moment first.
        x, y = self.area[0] + at[0], self.area[1] + at[1]
        _run(self.env, "xdotool", "mousemove", "1279", "1023", "sleep", "0.1", "mousemove",
             str(x), str(y), "sleep", "0.2", "click", "1")

    def gone(self):
        return self._teal_area() is None
