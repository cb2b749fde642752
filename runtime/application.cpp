// SPDX-License-Identifier: MIT
#include "runtime/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/buttonfont.h"
#include "runtime/form.h"
#include "runtime/notices.h"
#include "runtime/platform.h"

namespace rt {
namespace {

// Faces that stand in for the Windows Japanese UI face and hold "●" and the date's characters.
const char* const kJapaneseFaces[] = {"ＭＳ Ｐゴシック", "MS PGothic"};
const QStringList kFallbackFaces =
#ifdef Q_OS_WIN
    // where Windows lacks MS PGothic (no Japanese supplemental fonts), its own faces come first
    QStringList{"MS UI Gothic", "Meiryo", "Yu Gothic"} +
#endif
    QStringList{"IPAPGothic", "VL PGothic", "Noto Sans CJK JP", "DejaVu Sans"};

// The repaints are a few small rectangles ten times a second: shared memory saves nothing there,
// and its completion events cost the program and the X server more than the copy they avoid.
void preferPlainImageTransfer() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
}

constexpr char32_t kDot = 0x25CF;  // "●"

// A face holds the dot only in its own glyphs, not in those Qt would borrow from other faces.
bool holdsDot(const QString& face) {
  QFont font(face);
  font.setStyleStrategy(QFont::NoFontMerging);
  return QFontInfo(font).family().compare(face, Qt::CaseInsensitive) == 0 &&
         QFontMetrics(font).inFontUcs4(kDot);
}

// The dots must show as discs: when neither the wanted face nor its fallbacks hold "●", say so
// once and use the installed face that does, preferring one made for Japanese text.
void ensureDotFace() {
  for (const char* face : kJapaneseFaces)
    if (holdsDot(QString::fromUtf8(face))) return;
  for (const QString& face : kFallbackFaces)
    if (holdsDot(face)) return;
  QString best;
  for (const QString& family : QFontDatabase::families()) {
    if (!holdsDot(family)) continue;
    if (best.isEmpty()) best = family;
    if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
      best = family;
      break;
    }
  }
  if (best.isEmpty()) {
    std::fprintf(stderr,
                 "%s: no installed font holds \"\u25CF\"; the dots will not show as discs\n",
                 programName().c_str());
    return;
  }
  std::fprintf(stderr, "%s: none of the faces %s, %s holds \"\u25CF\"; using %s\n",
               programName().c_str(), kJapaneseFaces[1],
               kFallbackFaces.join(", ").toUtf8().constData(), best.toUtf8().constData());
  for (const char* face : kJapaneseFaces) {
    QFont::removeSubstitutions(QString::fromUtf8(face));
    QFont::insertSubstitution(QString::fromUtf8(face), best);
  }
}

std::vector<std::string> arguments;
bool platformChosenByUser = false;
std::vector<StartMessage> heldMessages;

// Qt's answer to a platform that cannot start is an abort with a core dump, after a list of every
// platform it knows; ours is one line, or two with Qt's reason, and status 1.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    for (const std::string& line : startFailure(arguments, platformChosenByUser, heldMessages))
      std::fprintf(stderr, "%s: %s\n", programName().c_str(), line.c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  heldMessages.push_back({type, QString::fromUtf8(context.category), message});
}

}  // namespace

Application::Application(int& argc, char** argv) {
  if (argc > 0) setProgramName(argv[0]);
  arguments.assign(argv, argv + argc);  // Qt takes its own options out
  platformChosenByUser = choosePlatform(arguments);
  preferPlainImageTransfer();

  const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
  app_ = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const StartMessage& m : heldMessages) {
    if (isAttemptNoise(m)) continue;  // a platform given up for the one that started
    const QByteArray category = m.category.toUtf8();
    qt_message_output(m.type, QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                      m.text);
  }
  heldMessages.clear();

  for (const char* face : kJapaneseFaces)
    QFont::insertSubstitutions(QString::fromUtf8(face), kFallbackFaces);
}

Application::~Application() = default;

int Application::run(Form& form, std::initializer_list<std::string_view> laterCaptions) {
  form.load();
  // After the window is mapped, before its first paint: loading fonts earlier delays the window.
  ensureDotFace();
  fitButtonFont(form, laterCaptions);
  if (form.ended()) return form.exitStatus();
  const int status = QApplication::exec();
  return form.ended() ? form.exitStatus() : status;
}

}  // namespace rt
