# SPDX-License-Identifier: MIT
# The program as a screen reader meets it, through AT-SPI in a private session: what the tree
# holds and in which order, where focus opens, the buttons pressed by name, and the date read back
# as it is drawn. The tests run in order, on one run of the program.
import datetime
import os
import subprocess
import time

import pytest

import desktops
import servers
from conftest import start

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi
except (ImportError, ValueError) as error:
    pytest.skip(f"python3-pyatspi is not installed ({error})", allow_module_level=True)

pytestmark = pytest.mark.filterwarnings("ignore::DeprecationWarning")  # pyatspi's own calls
SHOWN = {"showing", "visible"}
# Qt's short date for the C locale, which the program runs in here.
MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()
NAMES = {"ja_JP.UTF-8": "\u30d7\u30ec\u30a4\u30a8\u30ea\u30a2", "de_DE.UTF-8": "Spielfl\u00e4che",
         "fr_FR.UTF-8": "Zone de jeu", "C.UTF-8": "Play area"}


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        value = condition()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def role_and_name(acc):
    return (acc.getRoleName(), acc.name)


def walk(acc, depth=0):
    yield depth, acc
    for c in children(acc):
        yield from walk(c, depth + 1)


def describe(depth, acc):
    about = f' description="{acc.description}"' if acc.description else ""
    shown = ", ".join(sorted(states(acc)))
    return "  " * depth + f'{acc.getRoleName()} "{acc.name}"{about} [{shown}]'


def button(frame, name):
    return next((c for c in children(frame) if role_and_name(c) == ("push button", name)), None)


def press(frame, name):
    action = button(frame, name).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, f'"{name}" has no Press action, only {names}'
    action.doAction(names.index("Press"))


events = []


def heard(event):
    # events sent as the program ends can arrive after it has gone, when their source cannot answer
    try:
        events.append((event.type, event.source.getRoleName(), event.detail1))
    except GLib.GError:
        pass


@pytest.fixture(scope="module")
def session(request, artifacts):
    d = start(desktops.Row("reader", lambda s: servers.atspi(s) or {}), request, artifacts)
    # This process reads the program as a reader would, through the session's buses.
    with pytest.MonkeyPatch.context() as env:
        env.delenv("AT_SPI_BUS_ADDRESS", raising=False)
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            env.setenv(name, d.env[name])
        yield d
    d.close()


def launch(session, lang=None):
    """The program, with LANG alone naming its locale if given, and its accessible application."""
    env = {"LC_ALL": None, "LC_MESSAGES": None, "LANGUAGE": None, "LANG": lang} if lang else {}
    p = desktops.Program(session, env=env, name=lang or "program")
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a is not None and a.get_process_id() == p.proc.pid), None), 20)
    if app is None:
        p.kill()
        pytest.fail(f"the program does not show on the accessibility desktop: {p.stderr()}")
    # Read what the program answers now, never a copy kept from earlier.
    app.set_cache_mask(Atspi.Cache.NONE)
    return p, app


@pytest.fixture(scope="module")
def run(session):
    """The program in the C locale, its window found, with the events a reader speaks from."""
    p, app = launch(session)
    assert p.view.find(), "no window titled Tavimo"
    kinds = ("object:state-changed:showing", "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(heard, *kinds)
    p.app, p.frame = app, children(app)[0]
    yield p
    pyatspi.Registry.deregisterEventListener(heard, *kinds)
    p.kill()


def test_the_tree_holds_the_window_in_tab_order(run):
    assert run.app.name == "tavimo"
    assert [role_and_name(f) for f in children(run.app)] == [("frame", "Tavimo")]
    order = children(run.frame)
    assert [role_and_name(c) for c in order] == [("animation", "Play area")] + [
        ("push button", b) for b in ("date", "end", "move")]
    assert all(c.getIndexInParent() == i and c.parent == run.frame for i, c in enumerate(order))
    area = order[0]
    assert len(area.description) > 20 and "dots" in area.description, area.description
    # the date as static text, and no dot
    assert [c.getRoleName() for c in children(area)] == ["label"]
    date = children(area)[0]
    assert date.description == "Today's date"
    assert not SHOWN & states(date), "the date label shows at start"
    assert date.parent == area and date.getIndexInParent() == 0


def test_focus_opens_on_the_play_area_once_the_window_has_the_keyboard(run):
    subprocess.run(["xdotool", "windowfocus", "--sync", str(run.view.wid)], env=run.view.env,
                   timeout=20)
    focused = lambda: [role_and_name(a) for _, a in walk(run.app) if "focused" in states(a)]
    assert wait_for(focused, 5) == [("animation", "Play area")]


def test_move_pressed_by_name_becomes_stop_and_says_so(run):
    run.start = run.view.place()
    press(run.frame, "move")
    assert wait_for(lambda: button(run.frame, "stop"), 5), '"move" did not become "stop"'
    renamed = ("object:property-change:accessible-name", "push button", 0)
    assert wait_for(lambda: renamed in events, 5), events


def test_the_extents_follow_the_window_after_a_wander(run):
    # A magnifier that follows focus, and a reader pointing at what it reads, go by the extents:
    # after a wander they must be where the window now stands.
    assert wait_for(lambda: abs(run.view.place()[0] - run.start[0]) > 100, 30), "no wander"
    press(run.frame, "stop")
    assert wait_for(lambda: button(run.frame, "move"), 5), '"stop" did not become "move"'
    parts = ((children(run.frame)[0], (8, 8)), (button(run.frame, "move"), (8, 264)))

    def off():
        x, y = run.view.place()
        at = [(a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), o) for a, o in parts]
        return [(e.x - x - o[0], e.y - y - o[1]) for e, o in at]
    assert wait_for(lambda: all(max(map(abs, d)) <= 2 for d in off()), 5), \
        f"the play area's and \"move\"'s extents stand {off()} px off the window"


def test_the_date_shows_as_today_inside_the_play_area_and_says_so(run, artifacts):
    area = children(run.frame)[0]
    date = children(area)[0]
    events.clear()
    press(run.frame, "date")
    assert wait_for(lambda: SHOWN <= states(date), 5), states(date)
    short = lambda day: f"{day.day} {MONTHS[day.month - 1]} {day.year}"
    before = datetime.date.today()
    text = wait_for(lambda: date.name, 3)
    assert text in {short(before), short(datetime.date.today())}
    o, i = (a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for a in (area, date))
    assert i.width > 0 and o.x <= i.x and i.x + i.width <= o.x + o.width and o.y <= i.y and \
        i.y + i.height <= o.y + o.height, f"the date at {i} is not inside the play area at {o}"
    assert wait_for(lambda: ("object:state-changed:showing", "label", 1) in events, 5), events
    with open(os.path.join(artifacts, "reader.tree.txt"), "w") as out:
        out.writelines(describe(*at) + "\n" for at in walk(run.app))
    events.clear()
    press(run.frame, "date")
    assert wait_for(lambda: not SHOWN & states(date), 5), states(date)
    assert wait_for(lambda: ("object:state-changed:showing", "label", 0) in events, 5), events


def test_end_pressed_by_name_ends_the_program(run):
    press(run.frame, "end")  # with what status: the desktops' table
    assert run.status(10) is not None, '"end" did not end the program within 10 s'


@pytest.mark.parametrize("lang", NAMES)
def test_the_play_area_is_named_in_the_users_language(session, lang):
    p, app = launch(session, lang)
    try:
        assert wait_for(lambda: children(children(app)[0])[0].name, 5) == NAMES[lang]
    finally:
        p.kill()
