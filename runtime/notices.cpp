// SPDX-License-Identifier: MIT
#include "runtime/notices.h"

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
  if (argv0.size() > 4 && (argv0.ends_with(".exe") || argv0.ends_with(".EXE")))
    argv0.remove_suffix(4);
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
