# SPDX-License-Identifier: MIT
# Sourced: Wine as the Windows tests use it, quiet and without the Mono and Gecko installers'
# prompts, in the prefix WINEPREFIX (a folder under the build folder). Without wine, or without
# a 64-bit wine, the sourcing script ends with 77, which ctest counts as skipped.
command -v wine >/dev/null 2>&1 || { echo "skipped: wine is not installed (Debian: wine wine64)" >&2; exit 77; }
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1 ||
  { echo "skipped: no 64-bit wine (Debian: wine64)" >&2; exit 77; }
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix the tests use}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A prefix of its own for this run; its wineserver gone before the first window.
new_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  # Debian's Wine does not load its own faces (Tahoma, the one Windows' dialogs name) from its
  # data folder; from the prefix's font folder it does.
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -f "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  wineserver -w
}
# No wine process of this prefix left, so that none holds on to a display about to go.
end_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
