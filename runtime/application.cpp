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

#include "runtime/form.h"

namespace rt {
namespace {

// Faces that stand in for the Windows Japanese UI face and hold "●" and the date's characters.
const char* const kJapaneseFaces[] = {"ＭＳ Ｐゴシック", "MS PGothic"};
const QStringList kFallbackFaces = {"IPAPGothic", "VL PGothic", "Noto Sans CJK JP", "DejaVu Sans"};

bool platformChosen(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "-platform" || std::string(argv[i]) == "--platform") return true;
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// A program that places its own window needs X11: under Wayland, go through XWayland unless the
// user chose otherwise.
void preferX11OverWayland(int argc, char** argv) {
#if defined(__unix__) && !defined(__APPLE__)
  const bool wayland =
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
  if (wayland && !platformChosen(argc, argv)) qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
#else
  (void)argc;
  (void)argv;
#endif
}

// The repaints are a few small rectangles ten times a second: shared memory saves nothing there,
// and its completion events cost the program and the X server more than the copy they avoid.
void preferPlainImageTransfer() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
}

std::string displayFault() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
#if defined(__unix__) && !defined(__APPLE__)
  if (platform.isEmpty() || platform.startsWith("xcb")) {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return "DISPLAY is not set";
    return "cannot connect to X display \"" + display.toStdString() + "\"";
  }
#endif
  if (platform.isEmpty()) return "the window system could not be reached";
  return "the \"" + platform.toStdString() + "\" platform could not be started";
}

std::string programName;

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
                 programName.c_str());
    return;
  }
  std::fprintf(stderr, "%s: none of the faces %s, %s holds \"\u25CF\"; using %s\n",
               programName.c_str(), kJapaneseFaces[1],
               kFallbackFaces.join(", ").toUtf8().constData(), best.toUtf8().constData());
  for (const char* face : kJapaneseFaces) {
    QFont::removeSubstitutions(QString::fromUtf8(face));
    QFont::insertSubstitution(QString::fromUtf8(face), best);
  }
}

std::vector<std::pair<QtMsgType, QString>> heldMessages;

// Qt's answer to a missing display is an abort with a core dump; ours is one line and status 1.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s: cannot open a display: %s\n", programName.c_str(),
                 displayFault().c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  heldMessages.emplace_back(type, message);
}

}  // namespace

Application::Application(int& argc, char** argv) {
  programName = argc > 0 ? std::string(argv[0]) : "tavimo";
  programName = programName.substr(programName.find_last_of("/\\") + 1);
  preferX11OverWayland(argc, argv);
  preferPlainImageTransfer();

  const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
  app_ = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const auto& [type, message] : heldMessages)
    qt_message_output(type, QMessageLogContext(), message);
  heldMessages.clear();

  for (const char* face : kJapaneseFaces)
    QFont::insertSubstitutions(QString::fromUtf8(face), kFallbackFaces);
}

Application::~Application() = default;

int Application::run(Form& form) {
  form.load();
  ensureDotFace();  // after the window is mapped, before its first paint
  if (form.ended()) return form.exitStatus();
  const int status = QApplication::exec();
  return form.ended() ? form.exitStatus() : status;
}

}  // namespace rt
