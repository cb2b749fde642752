// SPDX-License-Identifier: MIT
#include "app/commandline.h"

#include <cstdio>
#include <string>
#include <string_view>

#include <QString>

#include "runtime/notices.h"
#include "runtime/translations.h"

#ifndef TAVIMO_VERSION
#define TAVIMO_VERSION "unknown"
#endif

namespace {

// Qt's standard options for every application, and those of its X11 platform.
constexpr std::string_view kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title",   "visual"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

enum class Kind { Ours, QtFlag, QtWithValue, QtJoinedValue, Unknown };

Kind kindOf(std::string_view arg) {
  if (arg == "-h" || arg == "--help" || arg == "--version") return Kind::Ours;
  if (arg.size() < 2 || arg[0] != '-') return Kind::Unknown;
  std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
  if (name.starts_with("qmljsdebugger=")) return Kind::QtJoinedValue;
  const auto eq = name.find('=');
  const bool joined = eq != std::string_view::npos;
  if (joined) name = name.substr(0, eq);
  for (std::string_view option : kQtOptionsWithValue)
    if (name == option) return joined ? Kind::QtJoinedValue : Kind::QtWithValue;
  for (std::string_view flag : kQtFlags)
    if (name == flag && !joined) return Kind::QtFlag;
  return Kind::Unknown;
}

// An argument as an error message shows it: its first 80 characters, with anything that would
// steer the terminal shown as "?".
std::string shown(std::string_view arg) {
  constexpr int kMost = 80;
  std::string text;
  int characters = 0;
  for (const char c : arg) {
    const auto byte = static_cast<unsigned char>(c);
    const bool starts = (byte & 0xC0) != 0x80;  // not a UTF-8 continuation byte
    if (starts && ++characters > kMost) return text + "...";
    text += byte < 0x20 || byte == 0x7F ? '?' : c;
  }
  return text;
}

int usageError(const char* message, std::string_view arg) {
  const QString name = QString::fromStdString(rt::programName());
  rt::say(rt::translate("CommandLine", message).arg(QString::fromStdString(shown(arg))));
  std::fprintf(stderr, "%s\n",
               rt::translate("CommandLine", "Try '%1 --help' for more information.")
                   .arg(name)
                   .toUtf8()
                   .constData());
  return 2;
}

void print(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
  const QString name = QString::fromStdString(rt::programName());
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    switch (kindOf(arg)) {
      case Kind::Ours:
        if (arg == "--version") {
          // The first line is what scripts read: as it is in every language.
          print(name + QStringLiteral(" " TAVIMO_VERSION "\n") +
                QStringLiteral("Copyright (C) 2026 The Tavimo authors\n") +
                rt::translate("CommandLine",
                              "License: MIT\n"
                              "This is free software: you are free to change and redistribute it.\n"
                              "There is NO WARRANTY, to the extent permitted by law.\n"));
        } else {
          print(rt::translate(
                    "CommandLine",
                    "Usage: %1 [QT-OPTION...]\n"
                    "A desktop ornament: a trail of seven coloured dots bounces about in a small\n"
                    "window; \"move\" sends the window wandering, \"date\" shows today's date, "
                    "\"end\"\n"
                    "quits.\n"
                    "\n"
                    "  -h, --help     show this help and exit\n"
                    "      --version  show the version and exit\n"
                    "\n"
                    "Qt's standard options, such as -platform NAME, -display NAME or -style NAME,\n"
                    "are accepted.\n")
                    .arg(name));
        }
        return 0;
      case Kind::QtWithValue:
        if (++i == argc)
          return usageError(QT_TRANSLATE_NOOP("CommandLine", "option needs a value: '%1'"), arg);
        break;
      case Kind::QtJoinedValue:
        if (arg.ends_with('='))
          return usageError(QT_TRANSLATE_NOOP("CommandLine", "option needs a value: '%1'"), arg);
        break;
      case Kind::QtFlag:
        break;
      case Kind::Unknown:
        return usageError(arg.starts_with('-')
                              ? QT_TRANSLATE_NOOP("CommandLine", "unknown option '%1'")
                              : QT_TRANSLATE_NOOP("CommandLine", "unexpected argument '%1'"),
                          arg);
    }
  }
  return std::nullopt;
}

std::vector<std::string> argumentsForQt(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const auto eq = arg.find('=');
    if (kindOf(arg) != Kind::QtJoinedValue || arg.find("qmljsdebugger=") != std::string::npos)
      continue;
    std::string value(arg.substr(eq + 1));
    args[i].resize(eq);
    args.insert(args.begin() + static_cast<std::ptrdiff_t>(++i), std::move(value));
  }
  return args;
}
