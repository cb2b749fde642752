// SPDX-License-Identifier: MIT
#include "runtime/application.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "runtime/form.h"
#include "runtime/notices.h"
#include "runtime/translations.h"

namespace rt {
namespace {

struct Message {
  QtMsgType type;
  QByteArray category;
  QString text;
};
std::vector<Message> held;

// The value Qt will take for "-NAME VALUE" (or "--NAME VALUE"): the last one given. Only X11 and
// Wayland have a platform or display to choose between.
[[maybe_unused]] QByteArray qtOption(int argc, char** argv, std::string_view name) {
  QByteArray value;
  for (int i = 1; i + 1 < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--")) arg.remove_prefix(1);
    if (arg.starts_with('-') && arg.substr(1) == name) value = argv[++i];
  }
  return value;
}

// Under a Wayland session the program runs on X11 through XWayland, where its window can place
// itself, and natively on Wayland where no X server is named; the user's own choice (-platform,
// QT_QPA_PLATFORM) stands. Returns why no display can be opened where that is plain already (the
// platform is X11 and no display is named or set), else nothing.
QString choosePlatform(int argc, char** argv) {
#if defined(__unix__) && !defined(__APPLE__)
  QByteArray platform = qtOption(argc, argv, "platform");
  if (platform.isEmpty()) platform = qgetenv("QT_QPA_PLATFORM");
  const bool chosen = !platform.isEmpty();
  QByteArray display = qtOption(argc, argv, "display");
  if (display.isEmpty()) display = qgetenv("DISPLAY");
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!chosen && (wayland || qgetenv("XDG_SESSION_TYPE") == "wayland")) {
    // Qt tries each in turn and keeps the first that starts.
    platform = !display.isEmpty() && wayland ? "xcb;wayland" : wayland ? "wayland" : "xcb";
    qputenv("QT_QPA_PLATFORM", platform);
  }
  if ((platform.isEmpty() || platform == "xcb") && display.isEmpty()) {
    return chosen || wayland ? translate("Platform", "DISPLAY is not set")
                             : translate("Platform", "neither DISPLAY nor WAYLAND_DISPLAY is set");
  }
#else
  (void)argc;
  (void)argv;
#endif
  return {};
}

[[noreturn]] void cannotOpenDisplay(const QString& why) {
  say(translate("Platform", "cannot open a display: %1").arg(why));
  std::_Exit(1);
}

// Qt's answer to no platform starting is an abort with a core dump after a list of every
// platform it knows; ours is one line, with the first thing Qt said of why.
void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) return held.push_back({type, context.category, text});
  const auto why = std::find_if(held.begin(), held.end(), [](const Message& m) {
    return m.type == QtWarningMsg || m.type == QtCriticalMsg;
  });
  cannotOpenDisplay((why == held.end() ? text : why->text).section(u'\n', 0, 0));
}

// What the platforms Qt tried and gave up before the one that started had to say, and the
// plugin loader's word on them.
bool givenUp(const Message& m) {
  if (m.category == "qt.qpa.plugin") return true;
  const QString started = QGuiApplication::platformName();
  for (const QByteArray& tried : qgetenv("QT_QPA_PLATFORM").split(';'))
    if (tried != started.toUtf8() && m.category == "qt.qpa." + tried) return true;
  return false;
}

}  // namespace

Application::Application(int& argc, char** argv) {
  if (const QString why = choosePlatform(argc, argv); !why.isEmpty()) cannotOpenDisplay(why);
  // The repaints are a few small rectangles ten times a second: shared memory saves nothing there,
  // and its completion events cost the program and the X server more than the copy they avoid.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
  const QtMessageHandler previous = qInstallMessageHandler(hold);
  app_ = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const Message& m : held)
    if (!givenUp(m))
      qt_message_output(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()),
                        m.text);
  held.clear();
  installQtTranslation();
}

Application::~Application() = default;

int Application::run(Form& form) {
  form.load();
  return form.run();
}

}  // namespace rt
