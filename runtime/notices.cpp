// SPDX-License-Identifier: MIT
#include "runtime/notices.h"

#include <cstdio>

#include "runtime/translations.h"

namespace rt {
namespace {

std::string name = "tavimo";
bool told[2] = {};
constexpr const char* kNotices[] = {
    QT_TRANSLATE_NOOP("Notices", "this session does not let programs move their windows"),
    QT_TRANSLATE_NOOP("Notices", "the window manager ignores this program's moves"),
};

}  // namespace

void setProgramName(std::string_view argv0) {
  // Windows separates folders with either slash.
  argv0.remove_prefix(argv0.find_last_of("/\\") + 1);
  QString file = QString::fromLocal8Bit(argv0.data(), qsizetype(argv0.size()));
  // Windows names a program with its extension; what it says names it without, as usage does.
  if (file.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) file.chop(4);
  if (!file.isEmpty()) name = file.toStdString();
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
  say(translate("Notices", kNotices[static_cast<int>(notice)]));
}

}  // namespace rt
