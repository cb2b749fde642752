// SPDX-License-Identifier: MIT
// The real program from outside: its command line, why it cannot start, and its fonts.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/support.h"

namespace {

const QStringList kOffscreen = {"QT_QPA_PLATFORM=offscreen"};
const QStringList kNoWindowSystem = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                     "XDG_SESSION_TYPE"};

}  // namespace

// The program's own options are answered wherever they stand, with or without a display, and
// after any of Qt's.
TEST(CommandLine, HelpAndVersionAnswerOnStdoutWithoutADisplay) {
  for (const QStringList& args :
       {QStringList{"--help"}, QStringList{"-h"}, QStringList{"-icon", "tavimo.png", "--help"}}) {
    const Outcome r = runProgram(args, kNoWindowSystem);
    EXPECT_EQ(r.status, 0) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.startsWith("Usage: tavimo")) << r.out.toStdString();
    EXPECT_EQ(r.err, "");
  }
  const Outcome v = runProgram({"-icon", "tavimo.png", "--version"}, kNoWindowSystem);
  EXPECT_EQ(v.status, 0);
  // The first line is what scripts read; the licence lines follow it.
  EXPECT_TRUE(
      v.out.contains(QRegularExpression("^tavimo \\d+\\.\\d+\\.\\d+\\nCopyright \\(C\\) \\d{4} The "
                                        "Tavimo authors\\nLicense: MIT\\n")))
      << v.out.toStdString();
}

// In the user's language, chosen on Unix as gettext chooses it (under Wine, Windows takes its
// language from LANG); English where the program has no translation, and in the C locale
// whatever LANGUAGE says.
TEST(CommandLine, HelpAndUsageErrorsSpeakTheUsersLanguage) {
  struct Case {
    QStringList locale;
    QString help, error;
  };
  const QStringList unset = kOffscreen + QStringList{"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
  const QString nb = QString(QChar(0x00A0));
  const Case cases[] = {
      {{"LANG=ja_JP.UTF-8"}, u8"使い方: tavimo", u8"tavimo: 不明なオプションです: '-x'"},
      {{"LANG=de_DE.UTF-8"}, "Aufruf: tavimo", u8"tavimo: unbekannte Option „-x“"},
      {{"LANG=fr_FR.UTF-8"},
       "Utilisation" + nb + ": tavimo",
       u8"tavimo: option inconnue" + nb + u8": «" + nb + "-x" + nb + u8"»"},
#ifdef Q_OS_UNIX  // the variables a Unix locale is made of; Windows has its own settings
      {{"LC_ALL=de_AT.UTF-8", "LANG=fr_FR.UTF-8"}, "Aufruf: tavimo", ""},
      {{"LC_MESSAGES=ja_JP.UTF-8", "LANG=de_DE.UTF-8"}, u8"使い方: tavimo", ""},
      {{"LANG=fr_FR.UTF-8", "LANGUAGE=de:ja"}, "Aufruf: tavimo", ""},
      {{"LANG=fr_FR.UTF-8", "LANGUAGE=en:ja"}, "Usage: tavimo", ""},
#endif
      {{"LANG=sw_KE.UTF-8"}, "Usage: tavimo", "tavimo: unknown option '-x'"},
      {{"LANG=C.UTF-8", "LANGUAGE=ja"}, "Usage: tavimo", "tavimo: unknown option '-x'"},
      {{}, "Usage: tavimo", "tavimo: unknown option '-x'"},
  };
  for (const Case& c : cases) {
    const QStringList vars = unset + c.locale;
    const std::string where = c.locale.join(' ').toStdString();
    EXPECT_TRUE(runProgram({"--help"}, vars).out.startsWith(c.help)) << where;
    if (c.error.isEmpty()) continue;
    const Outcome bad = runProgram({"-x"}, vars);
    EXPECT_EQ(bad.status, 2) << where;
    EXPECT_EQ(bad.err.section('\n', 0, 0), c.error) << where;
  }
}

// Qt takes its own options, whatever they are; what it leaves is a usage error, told short and
// harmless to the terminal.
TEST(CommandLine, WhatQtLeavesIsAShortUsageError) {
  struct Case {
    QStringList args;
    int status;
    QString firstLine;
  };
  const Case cases[] = {
      {{"-style", "fusion", "-reverse"}, -2, ""},  // Qt's: the window opens
      {{"--style=fusion"}, -2, ""},
      {{"foo"}, 2, "tavimo: unexpected argument 'foo'"},
      {{"--bar"}, 2, "tavimo: unknown option '--bar'"},
      {{"--help=1"}, 2, "tavimo: unknown option '--help=1'"},
      {{"-reverse", "-x"}, 2, "tavimo: unknown option '-x'"},
      {{QString(30000, 'x')}, 2, "tavimo: unexpected argument '" + QString(80, 'x') + "...'"},
      {{QString(81, QChar(0x00E9))},  // two bytes each
       2,
       "tavimo: unexpected argument '" + QString(80, QChar(0x00E9)) + "...'"},
      {{"-\x1b]0;title\x07\nx"}, 2, "tavimo: unknown option '-?]0;title??x'"},
  };
  for (const Case& c : cases) {
    const Outcome r = runProgram(c.args, kOffscreen);
    const std::string what = c.args.join(' ').left(40).toStdString();
    EXPECT_EQ(r.status, c.status) << what;
    if (c.status != 2) continue;
    EXPECT_EQ(r.out, "") << what;
    EXPECT_EQ(r.err.count('\n'), 2) << what;
    EXPECT_EQ(r.err.section('\n', 0, 0), c.firstLine) << what;
  }
}

#ifdef Q_OS_UNIX
// One line and status 1: in the program's words where it knows before Qt starts that no display
// can be opened, else with the first thing Qt said of why.
TEST(StartFailure, OneLineSaysWhyNoDisplayCouldBeOpened) {
  struct Case {
    QStringList args, vars;
    QString line;  // the whole line, or how it ends where Qt's words follow
  };
  QTemporaryDir runtime;
  const QStringList noServer = kNoWindowSystem + QStringList{"XDG_RUNTIME_DIR=" + runtime.path()};
  const QString prefix = "tavimo: cannot open a display: ";
  const Case cases[] = {
      {{}, noServer, prefix + "neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {{},
       noServer + QStringList{"XDG_SESSION_TYPE=wayland"},
       prefix + "neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {{"-platform", "xcb"}, noServer, prefix + "DISPLAY is not set"},
      {{}, noServer + QStringList{"DISPLAY=:4711"}, ":4711"},
      {{"-display", ":4712"}, noServer, ":4712"},
      {{}, noServer + QStringList{"QT_QPA_PLATFORM=nosuch"}, "\"nosuch\" in \"\""},
      {{}, noServer + QStringList{"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=tavimo-none"}, ""},
  };
  for (const Case& c : cases) {
    const Outcome r = runProgram(c.args, c.vars);
    const std::string what = (c.args + c.vars.filter("=")).join(' ').toStdString();
    EXPECT_EQ(r.status, 1) << what;
    EXPECT_TRUE(r.err.startsWith(prefix) && r.err.count('\n') == 1)
        << what << ": " << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith(c.line + "\n")) << what << ": " << r.err.toStdString();
  }
}

namespace {

// What the program says on stderr when only these font files are installed.
QString startWithFonts(const QStringList& files) {
  QTemporaryDir dir;
  for (const QString& file : files) QFile::copy(file, dir.filePath(QFileInfo(file).fileName()));
  QFile conf(dir.filePath("fonts.conf"));
  if (!conf.open(QIODevice::WriteOnly)) return "no fonts.conf";
  conf.write(QString("<?xml version=\"1.0\"?><fontconfig><dir>%1</dir><cachedir>%1</cachedir>"
                     "</fontconfig>")
                 .arg(dir.path())
                 .toUtf8());
  conf.close();
  const Outcome r = runProgram({}, kOffscreen + QStringList{"FONTCONFIG_FILE=" + conf.fileName()});
  return r.status == -2 ? r.err : "the program ended";
}

// Where this system keeps a font file: each distribution has its own folders under fonts/.
QString installedFontFile(const QString& name) {
  for (const QString& data :
       QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    QDirIterator it(data + "/fonts", {name}, QDir::Files, QDirIterator::Subdirectories);
    if (it.hasNext()) return it.next();
  }
  return {};
}

}  // namespace

TEST(Fonts, WithoutAFaceThatHoldsTheDotTheProgramSaysSoOnceAndRuns) {
  const Outcome installed = runProgram({}, kOffscreen);
  EXPECT_EQ(installed.status, -2);
  EXPECT_FALSE(installed.err.contains(QString::fromUtf8("●"))) << installed.err.toStdString();
  const QString mono = installedFontFile("DejaVuSansMono.ttf");
  ASSERT_FALSE(mono.isEmpty()) << "DejaVu Sans Mono is not installed";
  const QString other = startWithFonts({mono});
  EXPECT_EQ(other.count(QString::fromUtf8("holds \"●\"; using DejaVu Sans Mono\n")), 1)
      << other.toStdString();
  const QString none = startWithFonts({});
  EXPECT_EQ(none.count(QString::fromUtf8("no installed font holds \"●\"")), 1)
      << none.toStdString();
}
#endif
