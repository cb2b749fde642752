# SPDX-License-Identifier: MIT
# The real program on each desktop (the rows, in desktops.py), checked as a user sees it. The
# columns run in this order on one run of the program per row; each after "end" starts its own.
import subprocess
import time

import pytest

import desktops
from screen import CAPTION, DATE, DATE_BOX, END, MOVE, PLAY, SIZE, off_sequence, pale_blue
from servers import Failed, await_

TRAVEL = 66  # px in a second of wandering, for limits that must hold at any speed up to it


def within(seconds, condition):
    try:
        return await_(condition, seconds)
    except Failed:
        return condition()


def expected_stderr(row):
    return [] if row.moves else [row.notice]


def test_appears(row, tavimo):
    x, y, w, h = tavimo.view.rect()
    assert (w, h) == SIZE
    if row.placed:
        assert (x, y) == row.placed


def test_draws_its_colours(row, tavimo):
    time.sleep(1)  # a second of the trail's colours
    window = tavimo.view.grab()
    assert window.crop(2, 2, 4, 4).colours().most_common(1)[0][0] == (0, 0xC0, 0xC0)
    play = window.crop(10, 10, 261, 245)
    colours = play.colours()
    assert colours.most_common(1)[0][0] == (0, 0, 0)
    if tavimo.view.loose:  # Windows smooths the dots' edges into many shades
        assert len(colours) >= 4
    else:
        wrong, right = off_sequence(play)
        assert right >= 3 and not wrong


def test_animates(tavimo):
    first = tavimo.view.grab(PLAY).data
    assert within(3, lambda: tavimo.view.grab(PLAY).data != first)


def test_date_shows_and_hides(tavimo):
    view = tavimo.view
    view.click(DATE)
    assert within(5, lambda: pale_blue(view.grab(DATE_BOX), view.loose) > 20)
    view.click(DATE)
    assert within(5, lambda: pale_blue(view.grab(DATE_BOX), view.loose) == 0)


def follow(view, seconds):
    """The window's places as it wanders for SECONDS, as (ms, x, y) at each change."""
    t0, track = time.monotonic(), []
    while time.monotonic() - t0 < seconds:
        p = view.place()
        if p and (not track or track[-1][1:] != p):
            track.append((int(1000 * (time.monotonic() - t0)), *p))
    return track


def worst_step(track):
    """How far the largest change of place goes beyond two steps of 5 px and one per 50 ms
    missed between reads: over 0, the window was thrown."""
    moves = [t for i, t in enumerate(track) if i == 0 or t[1:] != track[i - 1][1:]]
    return max([max(abs(b[1] - a[1]), abs(b[2] - a[2])) - 10 - 5 * ((b[0] - a[0]) // 50)
                for a, b in zip(moves, moves[1:])], default=0)


def test_move(row, tavimo):
    view = tavimo.view
    caption = view.grab(CAPTION).data
    view.click(MOVE)
    assert within(5, lambda: view.grab(CAPTION).data != caption), '"move" reads "stop"'
    tavimo.wandering = True
    if row.moves:
        track = follow(view, 2)
        (_, x0, y0), (_, x1, y1) = track[0], track[-1]
        assert x1 <= x0 - 10 and y1 == y0, f"travels left along its row: {track}"
        assert worst_step(track) <= 0, track
    else:
        before = view.rect()
        # It gives up on the moves after 20 ticks of 50 ms that none was carried out.
        assert within(10, lambda: row.notice in tavimo.stderr()), tavimo.stderr()
        assert view.rect() == before


def test_stop_halts(row, tavimo):
    view = tavimo.view
    if not getattr(tavimo, "wandering", False):
        view.click(MOVE)
        time.sleep(1)
    stop = view.grab(CAPTION).data
    view.click(MOVE)
    # (the focus frame, drawn since the first click, keeps it from matching the first caption)
    assert within(5, lambda: view.grab(CAPTION).data != stop), '"stop" reads "move"'
    tavimo.wandering = False
    time.sleep(0.3)
    p = view.place()
    time.sleep(0.7)
    assert view.place() == p


def apart(p, q):
    return max(abs(p[0] - q[0]), abs(p[1] - q[1]))


def hinted_place(desktop, wid):
    """Where the size hints tell a window manager to put the window."""
    out = subprocess.run(["xprop", "-id", str(wid), "WM_NORMAL_HINTS"], env=desktop.session.env,
                         capture_output=True, text=True).stdout
    for line in out.splitlines():
        if "specified location" in line:
            return tuple(int(v) for v in line.split(":")[1].split(","))
    return None


def follow_restart(desktop, view, how, moving):
    """Has the window manager take the window over again and follows it for 1.5 s: where it
    was just before, where it ended, and how far it went from there beyond its own travel. A
    place counts once it has held for 20 ms: handed over, a window is caught between parents for
    a moment (openbox frames it at 0,0 for a millisecond, whatever program it is)."""
    before, t0 = view.place(), time.monotonic()
    desktop.restart_wm(how)
    worst, after, last, since, until = -99999, None, None, 0, time.monotonic() + 1.5
    while time.monotonic() < until:
        p, now = view.place(), time.monotonic()
        ms = int(1000 * (now - t0))
        if p is None or p != last:
            last, since = p, now
            continue
        if now - since < 0.02:
            continue
        worst = max(worst, apart(p, before) - (TRAVEL * ms // 1000 if moving else 0))
        after = p
    return before, after, worst


@pytest.mark.where("restarts")
@pytest.mark.parametrize("how", ["restart", "replace"])
def test_wm_takes_it_over(row, desktop, tavimo, how):
    """A new window manager puts the window where its hints say: where it stands once stopped,
    within a second's travel while it wanders."""
    view = tavimo.view
    frame = apart(view.place(), view.xlib.geometry(
        view.xlib.toplevel(view.wid))[:2])
    assert apart(hinted_place(desktop, view.wid), view.place()) <= 2 + frame  # framed where put
    before, after, worst = follow_restart(desktop, view, how, False)
    # mutter lets go of a window at its frame's corner; i3 taking over from an i3 puts the frame
    # where the client area stood.
    settle = frame if (row.name, how) == ("i3", "replace") else 0
    assert after and worst <= 2 + frame and apart(after, before) <= 2 + settle, (before, after)

    view.click(MOVE)
    time.sleep(2)
    assert apart(hinted_place(desktop, view.wid), view.place()) <= TRAVEL + 2
    before, after, worst = follow_restart(desktop, view, how, True)
    time.sleep(0.3)
    went_on = view.place()
    view.click(MOVE)
    assert after and worst <= TRAVEL + 2 + frame, (before, after, worst)
    assert went_on != after, "it goes on wandering"


@pytest.mark.where("restarts")
@pytest.mark.parametrize("after", ["minimise", "workspace"])
def test_a_users_move_stands(desktop, tavimo, after):
    """Minimised and restored, or left on its workspace and come back to, the window has not been
    taken over: a move the user makes straight afterwards stands."""
    env, wid = desktop.session.env, str(tavimo.view.wid)
    run = lambda *cmd: subprocess.run(cmd, env=env, capture_output=True)
    if after == "minimise":
        run("xdotool", "windowminimize", "--sync", wid)
        time.sleep(0.5)
        run("xdotool", "windowactivate", "--sync", wid)
    else:
        run("wmctrl", "-s", "1")
        time.sleep(0.5)
        run("wmctrl", "-s", "0")
    time.sleep(0.3)
    before = tavimo.view.place()
    run("wmctrl", "-i", "-r", wid, "-e", f"0,{before[0] + 150},{before[1] + 100},-1,-1")
    assert within(10, lambda: apart(tavimo.view.place(), before) >= 50), "the move was made"
    moved = tavimo.view.place()
    time.sleep(2)
    assert tavimo.view.place() == moved, (before, moved)


def test_end(row, tavimo):
    tavimo.view.click(END)
    assert tavimo.status(10) == 0
    assert tavimo.stderr() == expected_stderr(row)


@pytest.mark.where("wm")
def test_closed_by_the_window_manager(row, desktop):
    desktop.end_main()
    p = desktops.Program(desktop, name="closed")
    try:
        assert p.view.find(), p.stderr()
        p.view.close_by_wm()
        assert p.status(10) == 0
        assert p.stderr() == []
    finally:
        p.kill()


@pytest.mark.where("crossing")
@pytest.mark.parametrize("scales, geometry, move, width", [
    ("M0=1;M1=1.5", "+20+400", MOVE, 419), ("M0=1.5;M1=1", "+10+150", (42, 414), 279)],
    ids=["scale-up", "scale-down"])
def test_crossing_monitors(desktop, scales, geometry, move, width):
    """Onto a monitor of another scale, the window goes on from where it stands, at the new
    scale, without being thrown."""
    desktop.end_main()
    p = desktops.Program(desktop, ["-geometry", geometry], {"QT_SCREEN_SCALE_FACTORS": scales},
                         name=f"crossing-{width}")
    try:
        assert p.view.find(), p.stderr()
        time.sleep(0.5)
        p.view.click(move)
        t0, track, on_m1 = time.monotonic(), [], None
        while time.monotonic() - t0 < 16 and not (on_m1 and time.monotonic() - on_m1 > 1):
            r = p.view.rect()
            track.append((int(1000 * (time.monotonic() - t0)), *r))
            on_m1 = (on_m1 or time.monotonic()) if r[0] + r[2] // 2 >= 640 else None
        widths = [t[3] for t in track]
        scalings = sum(a != b for a, b in zip(widths, widths[1:]))
        assert widths[-1] == width and track[-1][1] + width // 2 >= 640 and scalings == 1
        assert worst_step([t[:3] for t in track]) <= 0, track
        assert p.status(0) is None, "still running"
    finally:
        p.kill()
