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

Outcome tavimo(const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(TAVIMO_EXE, args);
  if (!p.waitForStarted(5000)) return {-1, {}, {}};
  p.closeWriteChannel();
  if (!p.waitForFinished(1500)) {  // still running: the window is open
    p.kill();
    p.waitForFinished();
    return {-2, {}, {}};
  }
  return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
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

TEST(CommandLine, QtsOwnOptionsStillWork) {
  // The window opens (and is ended by the test) instead of a usage error.
  for (const QStringList& args :
       {QStringList{"-platform", "offscreen"}, QStringList{"-style=fusion"},
        QStringList{"--platform", "offscreen", "-reverse"}})
    EXPECT_EQ(tavimo(args).status, -2) << args.join(' ').toStdString();
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
