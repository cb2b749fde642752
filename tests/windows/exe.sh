#!/bin/sh
# SPDX-License-Identifier: MIT
# What Windows reads from tavimo.exe before it runs: a GUI program that needs no DLL beyond
# Windows' own, dated with the source rather than when it was linked, with its version
# information, its manifest and its icon in 16 to 256 px.
# Usage: exe.sh TAVIMO.EXE TAVIMO.ICO VERSION SOURCE_DATE
set -u
exe=$1 ico=$2 version=$3 date=$4
objdump=x86_64-w64-mingw32-objdump
command -v $objdump >/dev/null 2>&1 || { echo "skipped: $objdump is not installed" >&2; exit 77; }
passed=0 failed=0
check() {
  if eval "$2"; then echo "ok   $1"; passed=$((passed + 1)); else echo "FAIL $1 ($3)"; failed=$((failed + 1)); fi
}

headers=$($objdump -p "$exe")
subsystem=$(echo "$headers" | sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*//p')
check "a Windows GUI program" '[ "$subsystem" = "(Windows GUI)" ]' "$subsystem"
# Windows' own DLLs and API sets; the MinGW runtime and Qt are linked in
foreign=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' |
  grep -viE '^(advapi32|authz|comdlg32|d3d11|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32)\.dll$|^api-ms-win-' |
  tr '\n' ' ')
check "it needs no DLL beside it" '[ -z "$foreign" ]' "imports $foreign"
stamp=$(echo "$headers" | sed -n 's/^Time\/Date stamp[[:space:]]*//p')
check "its header dated with the source" '[ "$((0x$stamp))" = "$date" ]' "stamp $stamp"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
strings -el "$exe" >"$work/wide"
strings "$exe" | tr -d '\r' >"$work/narrow"
for field in "ProductName Tavimo" "ProductVersion $version" "FileVersion $version" \
  "CompanyName The Tavimo authors" "LegalCopyright Copyright (C) 2026 The Tavimo authors. MIT License."; do
  name=${field%% *} value=${field#* }
  got=$(grep -A1 -x "$name" "$work/wide" | sed -n 2p)
  check "version information: $name" '[ "$got" = "$value" ]' "got '$got'"
done
check "manifest: per-monitor DPI awareness" 'grep -q ">PerMonitorV2</dpiAwareness>" "$work/narrow"' \
  "none"
check "manifest: UTF-8 code page" 'grep -q ">UTF-8</activeCodePage>" "$work/narrow"' "none"
check "manifest: no elevation" 'grep -q "level=\"asInvoker\"" "$work/narrow"' "none"

# The icon file the resource holds: 16, 32, 48, 64, 128 and 256 px, 32-bit
sizes=$(od -An -tu1 -v "$ico" | tr -s ' \n' '  ' | awk '{
    n = $5 + 256 * $6
    for (i = 0; i < n; i++) { w = $(7 + 16 * i); if (w == 0) w = 256; s = s w "x" $(13 + 16 * i) " " }
    print s }')
check "the icon holds 16 to 256 px in 32 bits" '[ "$sizes" = "16x32 32x32 48x32 64x32 128x32 256x32 " ]' \
  "$sizes"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
