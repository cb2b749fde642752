// SPDX-License-Identifier: MIT
// A Windows GUI program has no console of its own. Started from one (cmd, PowerShell), it writes
// what it has to say (--help, --version, a usage error, notices) to that console; streams the
// starter redirected to a file or a pipe stay as they are.
#include <windows.h>

#include <cstdio>

namespace {

bool leadsSomewhere(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

// Before main, so that nothing is written before the streams lead where the user looks.
[[maybe_unused]] const bool attached = [] {
  const bool out = leadsSomewhere(STD_OUTPUT_HANDLE);
  const bool err = leadsSomewhere(STD_ERROR_HANDLE);
  if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  SetConsoleOutputCP(CP_UTF8);  // what it prints is UTF-8 (see the manifest)
  if (!out) std::freopen("CONOUT$", "w", stdout);
  if (!err) std::freopen("CONOUT$", "w", stderr);
  return true;
}();

}  // namespace
