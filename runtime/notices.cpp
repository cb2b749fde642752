// SPDX-License-Identifier: MIT
#include "runtime/notices.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "runtime/translations.h"

namespace rt {
namespace {

std::string name = "tavimo";
bool told[2] = {};

QString text(Notice notice) {
  switch (notice) {
    case Notice::CannotMoveWindows:
      return translate("Notices", "this session does not let programs move their windows");
    case Notice::MovesIgnored:
      return translate("Notices", "the window manager ignores this program's moves");
  }
  return {};
}

}  // namespace

void setProgramName(std::string_view argv0) {
  const auto slash = argv0.find_last_of("/\\");
  if (slash != std::string_view::npos) argv0.remove_prefix(slash + 1);
  // Windows names a program with its extension; what it says names it without, as usage does.
  constexpr std::string_view kExe = ".exe";
  if (argv0.size() > kExe.size() &&
      std::equal(kExe.begin(), kExe.end(), argv0.end() - kExe.size(),
                 [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
    argv0.remove_suffix(kExe.size());
  if (!argv0.empty()) name = argv0;
}

const std::string& programName() {
  return name;
}

void say(const QString& line) {
  std::fprintf(stderr, "%s: %s\n", name.c_str(), line.toUtf8().constData());
  std::fflush(stderr);
}

void tellOnce(Notice notice) {
  bool& done = told[static_cast<int>(notice)];
  if (done) return;
  done = true;
  say(text(notice));
}

}  // namespace rt
