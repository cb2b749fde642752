// SPDX-License-Identifier: MIT
#include "app/commandline.h"

#include <QString>
#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/notices.h"
#include "runtime/translations.h"

#ifndef TAVIMO_VERSION
#define TAVIMO_VERSION "unknown"
#endif

namespace {

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

void print(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
}

}  // namespace

std::optional<int> answerOwnOptions(int argc, char** argv) {
  const QString name = QString::fromStdString(rt::programName());
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      // The first line is what scripts read: as it is in every language.
      print(name + QStringLiteral(" " TAVIMO_VERSION "\n") +
            QStringLiteral("Copyright (C) 2026 The Tavimo authors\n") +
            rt::translate("CommandLine",
                          "License: MIT\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n"));
      return 0;
    }
    if (arg == "--help" || arg == "-h") {
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
      return 0;
    }
  }
  return std::nullopt;
}

int usageError(const char* argument) {
  const std::string_view arg = argument;
  const char* message = arg.starts_with('-')
                            ? QT_TRANSLATE_NOOP("CommandLine", "unknown option '%1'")
                            : QT_TRANSLATE_NOOP("CommandLine", "unexpected argument '%1'");
  rt::say(rt::translate("CommandLine", message).arg(QString::fromStdString(shown(arg))));
  std::fprintf(stderr, "%s\n",
               rt::translate("CommandLine", "Try '%1 --help' for more information.")
                   .arg(QString::fromStdString(rt::programName()))
                   .toUtf8()
                   .constData());
  return 2;
}
