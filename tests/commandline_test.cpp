// SPDX-License-Identifier: MIT
// The real program from outside: its command line, its exit statuses, and its fonts.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct Outcome {
  int status;
  QString out, err;
};

// The program with these variables set ("NAME=value") or, without a value ("NAME"), removed.
Outcome tavimo(const QStringList& args, const QStringList& vars = {"QT_QPA_PLATFORM=offscreen"}) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& var : vars) {
    if (var.contains('='))
      env.insert(var.section('=', 0, 0), var.section('=', 1));
    else
      env.remove(var);
  }
  p.setProcessEnvironment(env);
  p.start(TAVIMO_EXE, args);
  if (!p.waitForStarted(5000)) return {-1, {}, {}};
  p.closeWriteChannel();
  if (!p.waitForFinished(1500)) {  // still running: the window is open
    p.kill();
    p.waitForFinished();
    return {-2, {}, {}};
  }
  // Windows ends printed lines with CR LF
  const auto text = [](const QByteArray& bytes) { return QString(bytes).replace("\r\n", "\n"); };
  return {p.exitCode(), text(p.readAllStandardOutput()), text(p.readAllStandardError())};
}

}  // namespace

TEST(CommandLine, HelpAndVersionAnswerOnStdoutWithoutADisplay) {
  for (const char* help : {"--help", "-h"}) {
    const Outcome r = tavimo({help});
    EXPECT_EQ(r.status, 0) << help;
    EXPECT_TRUE(r.out.startsWith("Usage: tavimo")) << r.out.toStdString();
    EXPECT_EQ(r.err, "");
  }
  const Outcome v = tavimo({"--version"});
  EXPECT_EQ(v.status, 0);
  // The first line is what scripts read; the licence lines follow it.
  EXPECT_TRUE(v.out.contains(QRegularExpression("^tavimo \\d+\\.\\d+\\.\\d+\\n")))
      << v.out.toStdString();
  EXPECT_TRUE(
      v.out.contains(QRegularExpression("\\nCopyright \\(C\\) \\d{4} The Tavimo authors\\n")))
      << v.out.toStdString();
  EXPECT_TRUE(v.out.contains("\nLicense: MIT\n")) << v.out.toStdString();
}

// The help and a usage error in the user's language, chosen on Unix as gettext chooses it (under
// Wine, Windows takes its language from LANG); English where the program has no translation, and
// in the C locale whatever LANGUAGE says.
TEST(CommandLine, HelpAndUsageErrorsSpeakTheUsersLanguage) {
  struct Case {
    QStringList locale;
    QString help, error;
  };
  const QStringList unset = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
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
    EXPECT_TRUE(tavimo({"--help"}, vars).out.startsWith(c.help)) << where;
    if (c.error.isEmpty()) continue;
    const Outcome bad = tavimo({"-x"}, vars);
    EXPECT_EQ(bad.status, 2) << where;
    EXPECT_EQ(bad.err.section('\n', 0, 0), c.error) << where;
  }
}

TEST(CommandLine, AnythingElseIsAShortUsageErrorWithStatusTwo) {
  const QStringList bad[] = {{"foo"}, {"--bar"}, {"-x"}, {"-platform"}, {"--help=1"}};
  for (const QStringList& args : bad) {
    const Outcome r = tavimo(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("tavimo: ")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 2) << r.err.toStdString();
  }
}

TEST(CommandLine, ABadArgumentIsEchoedShortAndHarmless) {
  const Outcome huge = tavimo({QString(30000, 'x')});  // Windows takes up to 32767 characters
  EXPECT_EQ(huge.status, 2);
  EXPECT_EQ(huge.err.section('\n', 0, 0),
            "tavimo: unexpected argument '" + QString(80, 'x') + "...'");
  const Outcome wide = tavimo({QString(81, QChar(0x00E9))});  // two bytes each
  EXPECT_EQ(wide.err.section('\n', 0, 0),
            "tavimo: unexpected argument '" + QString(80, QChar(0x00E9)) + "...'");
  const Outcome steering = tavimo({"-\x1b]0;title\x07\nx"});
  EXPECT_EQ(steering.err.section('\n', 0, 0), "tavimo: unknown option '-?]0;title??x'");
}

TEST(StartFailure, TheDisplayNamedOnTheCommandLineIsTheOneNamed) {
  const QStringList noServer = {"DISPLAY=:4711", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                                "XDG_SESSION_TYPE"};
  EXPECT_EQ(tavimo({}, noServer).err,
            "tavimo: cannot open a display: cannot connect to X "
            "display \":4711\"\n");
  for (const QStringList& args :
       {QStringList{"-display", ":4712"}, QStringList{"-display=:4712"},
        QStringList{"--display", ":4712"}, QStringList{"--display=:4712"}}) {
    const Outcome r = tavimo(args, noServer);
    EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
    EXPECT_EQ(r.err, "tavimo: cannot open a display: cannot connect to X display \":4712\"\n")
        << args.join(' ').toStdString();
  }
}

TEST(StartFailure, QtsReasonIsShownWithoutItsListOfPlatforms) {
  QTemporaryDir runtime;
  const QStringList base = {"DISPLAY", "XDG_SESSION_TYPE", "XDG_RUNTIME_DIR=" + runtime.path()};
  const Outcome missing = tavimo({}, base + QStringList{"QT_QPA_PLATFORM=nosuch"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "tavimo: cannot open a display: the \"nosuch\" platform could not be started\n"
            "tavimo: Qt: Could not find the Qt platform plugin \"nosuch\" in \"\"\n");

  // Whether Qt's reason is a missing plugin or no compositor, it is Qt's and it is one line.
  const Outcome wayland = tavimo(
      {}, base + QStringList{"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=tavimo-no-compositor"});
  EXPECT_EQ(wayland.status, 1);
  const QStringList lines = wayland.err.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << wayland.err.toStdString();
  EXPECT_EQ(lines[0],
            "tavimo: cannot open a display: the \"wayland\" platform could not be started");
  EXPECT_TRUE(lines[1].startsWith("tavimo: Qt: ")) << lines[1].toStdString();
}

// What the program says on stderr when only these font files are installed.
QString startWithFonts(const QStringList& files) {
  QTemporaryDir dir;
  if (!dir.isValid()) return "no temporary folder";
  for (const QString& file : files) QFile::copy(file, dir.filePath(QFileInfo(file).fileName()));
  QFile conf(dir.filePath("fonts.conf"));
  if (!conf.open(QIODevice::WriteOnly)) return "no fonts.conf";
  conf.write(QString("<?xml version=\"1.0\"?><fontconfig><dir>%1</dir><cachedir>%1</cachedir>"
                     "</fontconfig>")
                 .arg(dir.path())
                 .toUtf8());
  conf.close();

  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("FONTCONFIG_FILE", conf.fileName());
  p.setProcessEnvironment(env);
  p.start(TAVIMO_EXE, {});
  if (p.waitForFinished(1500)) return "the program ended";
  p.kill();
  p.waitForFinished();
  return QString::fromUtf8(p.readAllStandardError());
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

TEST(Fonts, WithoutAWantedFaceThatHoldsTheDotTheProgramSaysSoOnceAndRuns) {
  const QString mono = installedFontFile("DejaVuSansMono.ttf");
  ASSERT_FALSE(mono.isEmpty()) << "DejaVu Sans Mono is not installed";
  const QString other = startWithFonts({mono});
  EXPECT_EQ(other.count(QString::fromUtf8("holds \"●\"; using DejaVu Sans Mono\n")), 1)
      << other.toStdString();
  const QString none = startWithFonts({});
  EXPECT_EQ(none.count(QString::fromUtf8("no installed font holds \"●\"")), 1)
      << none.toStdString();
}

TEST(Fonts, TheInstalledFacesHoldTheDotAndNothingIsSaid) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(TAVIMO_EXE, {});
  ASSERT_FALSE(p.waitForFinished(1500)) << "the program ended";
  p.kill();
  p.waitForFinished();
  EXPECT_FALSE(QString(p.readAllStandardError()).contains(QString::fromUtf8("●")));
}
