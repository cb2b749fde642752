#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The program as a screen reader meets it, through AT-SPI: what the tree holds and in which order,
# where focus opens, the buttons pressed by name, and the date read back as it is drawn.
# Run inside tests/a11y/run.sh. Usage: atspi.py TAVIMO ARTIFACT_DIR    Status 77: no pyatspi.
import datetime
import os
import subprocess
import sys
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi
except (ImportError, ValueError) as error:
    print(f"skipped: python3-pyatspi is not installed ({error})")
    sys.exit(77)

tavimo, artifacts = sys.argv[1], sys.argv[2]
os.makedirs(artifacts, exist_ok=True)
passed = failed = 0


def check(what, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok   {what}")
    else:
        failed += 1
        print(f"FAIL {what}" + (f" ({detail})" if detail else ""))
    return ok


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while True:
        pump()
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


def describe(acc, depth=0):
    line = "  " * depth + f'{acc.getRoleName()} "{acc.name}"'
    if acc.description:
        line += f' description="{acc.description}"'
    line += " [" + ", ".join(sorted(states(acc))) + "]"
    return [line] + [l for c in children(acc) for l in describe(c, depth + 1)]


def walk(acc):
    yield acc
    for c in children(acc):
        yield from walk(c)


def client_area(window):
    """Where the X server has a window's client area: x, y."""
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                          timeout=10).stdout
    place = {}
    for line in info.splitlines():
        if "Absolute upper-left" in line:
            place[line.split()[2].rstrip(":")] = int(line.split(":")[1])
    return place["X"], place["Y"]


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise AssertionError(f'"{acc.name}" has no Press action, only {names}')
    action.doAction(names.index("Press"))


# Qt's short date for the C locale, which the program runs in here.
MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()


def short_date(day):
    return f"{day.day} {MONTHS[day.month - 1]} {day.year}"


events = []


def heard(event):
    # events sent as the program ends can arrive after it has gone, when their source cannot answer
    try:
        events.append((event.type, event.source.getRoleName(), event.detail1))
    except GLib.GError:
        pass


env = dict(os.environ, LC_ALL="C.UTF-8")
stderr = open(os.path.join(artifacts, "stderr.txt"), "w")
program = subprocess.Popen([tavimo], env=env, stderr=stderr)
try:
    def find_app():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == program.pid:
                return app
        return None

    app = wait_for(find_app, 20)
    if not check("the program shows on the accessibility desktop", app is not None):
        sys.exit(1)
    # Read what the program answers now, never a copy kept from earlier.
    app.set_cache_mask(Atspi.Cache.NONE)
    check('the application is called "tavimo"', app.name == "tavimo", app.name)
    # As a screen reader does: ask for the events it speaks from.
    pyatspi.Registry.registerEventListener(
        heard, "object:state-changed:showing", "object:property-change:accessible-name")

    # --- the tree and its order
    frames = children(app)
    check("one window, a frame called Tavimo",
          [role_and_name(f) for f in frames] == [("frame", "Tavimo")],
          [role_and_name(f) for f in frames])
    frame = frames[0]
    order = children(frame)
    check("the window reads play area, date, end, move: the tab order",
          [role_and_name(c) for c in order] == [("animation", "Play area"),
                                                 ("push button", "date"), ("push button", "end"),
                                                 ("push button", "move")],
          [role_and_name(c) for c in order])
    check("each child knows its place in the window",
          all(c.getIndexInParent() == i and c.parent == frame for i, c in enumerate(order)))
    area = order[0]
    check("the play area has a description",
          len(area.description) > 20 and "dots" in area.description, area.description)
    inside = children(area)
    check("the play area holds the date as static text and no dot",
          [c.getRoleName() for c in inside] == ["label"], [role_and_name(c) for c in inside])
    date = inside[0]
    check("the date label says what it is", date.description == "Today's date", date.description)
    check("the date label is hidden at start", not {"showing", "visible"} & states(date),
          states(date))
    check("the date label knows its parent", date.parent == area and date.getIndexInParent() == 0)

    # --- focus opens on the play area once the window has the keyboard
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tavimo$"],
                            capture_output=True, text=True, timeout=10).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], timeout=10)
    focused = wait_for(lambda: [a for a in walk(app) if "focused" in states(a)], 5)
    check("focus opens on the play area, named",
          [role_and_name(a) for a in focused] == [("animation", "Play area")],
          [role_and_name(a) for a in focused])

    # --- the buttons, found and pressed by name
    def button(name):
        found = [c for c in children(frame) if role_and_name(c) == ("push button", name)]
        return found[0] if found else None

    start_place = client_area(window[0])
    press(button("move"))
    check('"move" pressed becomes "stop"', wait_for(lambda: button("stop"), 5))
    check("its new name was announced", wait_for(
        lambda: ("object:property-change:accessible-name", "push button", 0) in events, 5),
        events)
    # A magnifier that follows focus, and a reader pointing at what it reads, go by the extents:
    # after a wander they must be where the window now stands.
    time.sleep(3)
    press(button("stop"))
    check('"stop" pressed becomes "move" again', wait_for(lambda: button("move"), 5))
    time.sleep(0.3)
    client = client_area(window[0])
    wandered = start_place[0] - client[0]
    for name, acc, offset in (("the play area", area, (8, 8)),
                              ('"move"', button("move"), (8, 264))):
        extents = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        off = (extents.x - client[0] - offset[0], extents.y - client[1] - offset[1])
        check(f"after a wander of {wandered} px, {name}'s extents follow the window within 2 px "
              f"(at {extents.x},{extents.y}: {off[0]:+d},{off[1]:+d} px off)",
              wandered > 100 and max(abs(off[0]), abs(off[1])) <= 2,
              f"the window's client area at {client[0]},{client[1]}")

    # --- the date, shown, read back as drawn, and hidden again
    events.clear()
    press(button("date"))
    check('"date" shows the date label',
          wait_for(lambda: {"showing", "visible"} <= states(date), 5), states(date))
    before = datetime.date.today()
    text = wait_for(lambda: date.name, 3)
    after = datetime.date.today()
    check("the date label reads today's date in the program's locale",
          text in {short_date(before), short_date(after)}, f"{text!r}, today {short_date(after)!r}")
    box, shown = area.queryComponent(), date.queryComponent()
    outer = box.getExtents(pyatspi.DESKTOP_COORDS)
    inner = shown.getExtents(pyatspi.DESKTOP_COORDS)
    check("the date label lies inside the play area",
          inner.width > 0 and outer.x <= inner.x and inner.x + inner.width <= outer.x + outer.width
          and outer.y <= inner.y and inner.y + inner.height <= outer.y + outer.height,
          f"{inner} in {outer}")
    check("its showing was announced", wait_for(
        lambda: ("object:state-changed:showing", "label", 1) in events, 5), events)
    tree = describe(app)
    with open(os.path.join(artifacts, "tree.txt"), "w") as out:
        out.write("\n".join(tree) + "\n")
    print("The tree as a screen reader sees it, the date shown:")
    print("\n".join("    " + l for l in tree))
    events.clear()
    press(button("date"))
    check('"date" again hides the date label',
          wait_for(lambda: not {"showing", "visible"} & states(date), 5), states(date))
    check("its hiding was announced", wait_for(
        lambda: ("object:state-changed:showing", "label", 0) in events, 5), events)

    # --- "end", pressed by name, ends the program (with what status: the desktops' table)
    press(button("end"))
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        pass
    check('"end" pressed ends the program', program.poll() is not None)
finally:
    if program.poll() is None:
        program.kill()
        program.wait()

# --- in the user's language: what a reader hears of the play area
NAMES = {"ja_JP.UTF-8": "\u30d7\u30ec\u30a4\u30a8\u30ea\u30a2", "de_DE.UTF-8": "Spielfl\u00e4che",
         "fr_FR.UTF-8": "Zone de jeu", "C.UTF-8": "Play area"}
for locale, name in NAMES.items():
    env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_MESSAGES", "LANGUAGE")}
    env["LANG"] = locale
    program = subprocess.Popen([tavimo], env=env, stderr=stderr)
    try:
        app = wait_for(find_app, 20)
        heard_name = None
        if app is not None:
            app.set_cache_mask(Atspi.Cache.NONE)
            frame = children(app)[0]
            heard_name = wait_for(lambda: children(frame)[0].name, 5)
        check(f"with LANG={locale} the play area is called {name!r}", heard_name == name,
              repr(heard_name))
    finally:
        program.kill()
        program.wait()

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
