# SPDX-License-Identifier: MIT
# What is the Windows program's alone: what Windows reads from the file before it runs, its
# answers on the console it was started from, and its installer. Its window is a row of the
# desktops' table (wine, wine-framed).
import os
import re
import subprocess

import pytest

import desktops
import screen

pytestmark = pytest.mark.windows


@pytest.fixture(scope="module")
def exe(request):
    return os.path.abspath(request.config.getoption("--tavimo-exe"))


def run(*cmd, env=None, **kw):
    return subprocess.run(cmd, env=env, capture_output=True, text=True, errors="replace",
                          timeout=120, **kw)


# Windows' own DLLs and API sets: the MinGW runtime and Qt are linked in.
SYSTEM_DLLS = re.compile(r"(advapi32|authz|comdlg32|d3d11|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|"
                         r"kernel32|msvcrt|netapi32|ole32|oleaut32|shcore|shell32|shlwapi|user32|"
                         r"userenv|uxtheme|version|winmm|ws2_32|wtsapi32)\.dll|api-ms-win-.*", re.I)


def test_windows_reads_a_gui_program_of_one_file(exe):
    objdump = "x86_64-w64-mingw32-objdump"
    if not run("sh", "-c", f"command -v {objdump}").stdout:
        pytest.skip(f"{objdump} is not installed")
    headers = run(objdump, "-p", exe).stdout
    assert re.search(r"^Subsystem\s+\S+\s+\(Windows GUI\)", headers, re.M)
    dlls = re.findall(r"^\s*DLL Name: (\S+)", headers, re.M)
    assert dlls and [d for d in dlls if not SYSTEM_DLLS.fullmatch(d)] == []
    wide = run("strings", "-el", exe).stdout.splitlines()
    fields = {k: v for k, v in zip(wide, wide[1:])}
    version = re.search(r"project\(\w+ VERSION (\S+)", open(os.path.join(
        os.path.dirname(__file__), "..", "..", "CMakeLists.txt")).read()).group(1)
    assert {k: fields.get(k) for k in ("ProductName", "ProductVersion", "FileVersion",
                                       "CompanyName", "LegalCopyright")} == {
        "ProductName": "Tavimo", "ProductVersion": version, "FileVersion": version,
        "CompanyName": "The Tavimo authors",
        "LegalCopyright": "Copyright (C) 2026 The Tavimo authors. MIT License."}
    # Dated with the source it was built from, not when it was linked (ctest says the date).
    head = open(exe, "rb").read(4096)
    pe = int.from_bytes(head[0x3C:0x40], "little")
    stamp = int.from_bytes(head[pe + 8:pe + 12], "little")
    assert stamp == int(os.environ.get("TAVIMO_SOURCE_DATE", stamp))
    narrow = run("strings", exe).stdout
    for manifest in (">PerMonitorV2</dpiAwareness>", ">UTF-8</activeCodePage>",
                     'level="asInvoker"'):
        assert manifest in narrow


def icon_sizes(ico):
    data = open(ico, "rb").read()
    return [(data[6 + 16 * i] or 256, data[12 + 16 * i]) for i in range(data[4] + 256 * data[5])]


def test_windows_icon_holds_16_to_256_px(exe):
    ico = os.path.join(os.path.dirname(exe), "tavimo.ico")
    assert icon_sizes(ico) == [(s, 32) for s in (16, 32, 48, 64, 128, 256)]


@pytest.fixture(scope="module")
def wine(wineprefix):
    env = dict(os.environ, **desktops.wine_env(wineprefix))
    for k in ("DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(k, None)
    yield env
    desktops.end_wine(env)


# Started from a console (cmd on a terminal) the GUI program answers there; spaces are cursor
# moves on Wine's console, so the text is compared without them.
@pytest.mark.parametrize("args, lang, says", [
    ("--version", "C.UTF-8", r"^tavimo\d+\.\d+\.\d+$"),
    ("--bogus", "C.UTF-8", r"tavimo:unknownoption'--bogus'"),
    ("--bogus", "de_DE.UTF-8", r"^tavimo:unbekannteOption(.|\n)*liefertweitereInformationen"),
])
def test_windows_console_answers(exe, wine, args, lang, says):
    win = run("winepath", "-w", exe, env=wine).stdout.strip()
    out = run("script", "-qc", f"wine cmd /c '{win} {args}'", "/dev/null", env=dict(
        wine, LANG=lang), stdin=subprocess.DEVNULL).stdout
    text = re.sub(r"\x1b\[[0-9;?]*[a-zA-Z]|\x1b\][^\x07]*\x07|[\r ]", "", out)
    assert re.search(says, text, re.M), text


def test_windows_installer_installs_and_uninstalls(request, exe, wine, artifacts):
    setup = request.config.getoption("--setup-exe")
    if not setup or not os.path.exists(setup):
        pytest.skip("no installer given (the build's target windows-release makes it)")
    key = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavimo"

    def folder(variable, rest):
        win = run("wine", "cmd", "/c", f"echo %{variable}%", env=wine).stdout.strip()
        return run("winepath", "-u", f"{win}\\{rest}", env=wine).stdout.strip()

    assert run("wine", setup, "/S", env=wine).returncode == 0
    run("wineserver", "-w", env=wine)
    installed = folder("LOCALAPPDATA", r"Programs\Tavimo")
    menu = folder("APPDATA", r"Microsoft\Windows\Start Menu\Programs\Tavimo.lnk")
    assert open(exe, "rb").read() == open(os.path.join(installed, "tavimo.exe"), "rb").read()
    assert os.path.exists(os.path.join(installed, "uninstall.exe")) and os.path.exists(menu)
    entry = run("wine", "reg", "query", key, env=wine).stdout
    assert re.search(r"DisplayName\s+REG_SZ\s+Tavimo\s*$", entry, re.M), entry
    assert re.search(r"UninstallString\s+REG_SZ\s+.*uninstall\.exe", entry), entry

    # The installed program starts from where the installer put it.
    d = desktops.Desktop(desktops.BY_NAME["wine"], os.path.join(installed, "tavimo.exe"),
                         artifacts, wine["WINEPREFIX"])
    try:
        p = desktops.Program(d, name="installed")
        assert p.view.find(), p.stderr()
        p.view.click(screen.END)
        assert p.status(10) == 0
        p.kill()
    finally:
        d.close()

    assert run("wine", os.path.join(installed, "uninstall.exe"), "/S", env=wine).returncode == 0
    run("wineserver", "-w", env=wine)
    assert not os.path.exists(installed) and not os.path.exists(menu)
    assert run("wine", "reg", "query", key, env=wine).returncode != 0
