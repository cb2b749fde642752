#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# On each desktop of the end-to-end tests: how fast the window wanders (px/s over 2 s of a
# sweep) and how long "end" takes, from the click to the window gone and to the process gone
# (median of 5).
# Usage: bench/desktops.py TAVIMO [TAVIMO.EXE] [DESKTOP...]
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import desktops  # noqa: E402
import screen  # noqa: E402
import servers  # noqa: E402


def wander_speed(program):
    view = program.view
    view.click(screen.MOVE)
    time.sleep(0.5)
    (x0, _), t0 = view.place(), time.monotonic()
    time.sleep(2)  # within its first sweep, which runs 3 s from where it opens
    (x1, _), t1 = view.place(), time.monotonic()
    view.click(screen.MOVE)
    return (x0 - x1) / (t1 - t0)


def end_latency(program):
    """ms from the button's release, which clicks it, to the window gone and to the process gone
    (xdotool's click waits 100 ms after the release, so press and release are sent apart)."""
    view, env = program.view, program.view.env
    if isinstance(view, screen.NestedView):
        # The pointer comes in from outside and rests first, as the nested compositor needs.
        x, y = view.area[0] + screen.END[0], view.area[1] + screen.END[1]
        press = ["1279", "1023", "sleep", "0.1", "mousemove", str(x), str(y), "sleep", "0.2"]
    else:
        press = ["--window", str(view.wid), *(str(v) for v in screen.END)]
    subprocess.run(["xdotool", "mousemove", *press, "mousedown", "1"], env=env)
    t0 = time.monotonic()
    subprocess.run(["xdotool", "mouseup", "1"], env=env)
    gone = None
    while program.proc.poll() is None and time.monotonic() - t0 < 10:
        if gone is None and view.gone():
            gone = time.monotonic()
        time.sleep(0.002)
    ended = time.monotonic()
    return 1000 * ((gone or ended) - t0), 1000 * (ended - t0)


def bench(row, binary, prefix, logs):
    d = desktops.Desktop(row, binary, logs, prefix)
    try:
        speeds, gone, ended = [], [], []
        for i in range(5):
            p = desktops.Program(d, name=f"bench{i}")
            if not p.view.find():
                raise servers.Failed("no window")
            time.sleep(0.5)
            if i == 0 and row.moves:
                speeds.append(wander_speed(p))
                time.sleep(0.3)
            g, e = end_latency(p)
            gone.append(g)
            ended.append(e)
            p.kill()
        speed = f"{speeds[0]:5.1f}" if speeds else "stands"
        print(f"{row.name:16} {speed:>8} {statistics.median(gone):8.0f} "
              f"{statistics.median(ended):8.0f}", flush=True)
    finally:
        d.close()


def main():
    tavimo = os.path.abspath(sys.argv[1])
    exe = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[2].endswith(".exe") \
        else None
    wanted = [a for a in sys.argv[2:] if not a.endswith(".exe")]
    logs = tempfile.mkdtemp(prefix="tavimo-bench-")
    prefix = os.path.join(logs, "wine")
    if exe:
        os.system(f"WINEPREFIX={prefix} sh {desktops.HERE}/../windows/run.sh --new-prefix")
    print(f"{'desktop':16} {'px/s':>8} {'gone ms':>8} {'ended ms':>8}")
    for row in desktops.ROWS:
        if (wanted and row.name not in wanted) or (row.windows and not exe):
            continue
        try:
            bench(row, exe if row.windows else tavimo, prefix, logs)
        except (servers.Missing, servers.Failed) as why:
            print(f"{row.name:16} skipped: {why}", flush=True)


main()
