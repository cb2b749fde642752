# SPDX-License-Identifier: MIT
# The desktops as fixtures: one started per row, the program on it, everything ended after.
# Usage: pytest tests/e2e --tavimo build/tavimo [--tavimo-exe build-windows/tavimo.exe]
import os
import subprocess

import pytest

import desktops
import servers


def pytest_addoption(parser):
    add = parser.addoption
    add("--tavimo", help="the Linux program; without it its tests are left out")
    add("--tavimo-exe", help="the Windows program, run under Wine; without it its tests are left out")
    add("--setup-exe", help="the Windows installer")
    add("--artifacts", default="artifacts/e2e", help="where screenshots and logs go")


def pytest_configure(config):
    config.addinivalue_line("markers", "where(attribute): only on rows where it is true")
    config.addinivalue_line("markers", "windows: the Windows program")


def _row(item):
    call = getattr(item, "callspec", None)
    return call and call.params.get("row")


def pytest_collection_modifyitems(config, items):
    """Leaves out a column where its row has nothing to check, and the programs not given."""
    keep, drop = [], []
    for item in items:
        row = _row(item)
        windows = row.windows if row else item.get_closest_marker("windows") is not None
        wanted = config.getoption("--tavimo-exe" if windows else "--tavimo")
        where = item.get_closest_marker("where")
        how = getattr(item, "callspec", None) and item.callspec.params.get("how")
        applies = not (row and where and not getattr(row, where.args[0]))
        applies = applies and not (row and how and how not in row.restarts)
        (keep if wanted and applies else drop).append(item)
    if drop:
        config.hook.pytest_deselected(items=drop)
        items[:] = keep


@pytest.fixture(scope="session")
def artifacts(request):
    path = os.path.abspath(request.config.getoption("--artifacts"))
    os.makedirs(path, exist_ok=True)
    return path


@pytest.fixture(scope="session")
def wineprefix(artifacts):
    """One Wine prefix for every Windows test, the Windows unit tests' own where ctest made it."""
    prefix = os.environ.get("WINEPREFIX") or os.path.join(artifacts, "wine")
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        here = os.path.dirname(os.path.abspath(__file__))
        made = subprocess.run(["sh", os.path.join(here, "..", "windows", "run.sh"), "--new-prefix"],
                              env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
        if made.returncode == 77:
            pytest.skip(made.stdout.decode() + made.stderr.decode())
    return prefix


def start(row, request, artifacts):
    """A row's desktop, skipped with the reason when its parts are not installed."""
    program = os.path.abspath(request.config.getoption("--tavimo-exe" if row.windows
                                                       else "--tavimo"))
    prefix = request.getfixturevalue("wineprefix") if row.windows else None
    try:
        return desktops.Desktop(row, program, artifacts, prefix)
    except servers.Missing as why:
        pytest.skip(f"{row.name}: {why}")
    except servers.Failed as why:
        pytest.fail(f"{row.name} does not start: {why}")


@pytest.fixture(scope="module", params=desktops.ROWS, ids=lambda r: r.name)
def row(request):
    return request.param


@pytest.fixture(scope="module")
def desktop(row, request, artifacts):
    d = start(row, request, artifacts)
    yield d
    if d.main:
        d.main.kill()
    d.close()


@pytest.fixture(scope="module")
def tavimo(desktop):
    """The program on the row's desktop, its window found."""
    p = desktop.main = desktops.Program(desktop)
    if not p.view.find():
        pytest.fail(f"no window titled Tavimo within 20 s; stderr: {p.stderr()}")
    return p
