// SPDX-License-Identifier: MIT
#include "runtime/platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <string_view>

#include "runtime/translations.h"

namespace rt {
namespace {

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

}  // namespace

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

bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool windowsCanBePlaced() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace rt
