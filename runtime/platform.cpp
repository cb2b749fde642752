// SPDX-License-Identifier: MIT
#include "runtime/platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QStringList>
#include <string_view>

#include "runtime/translations.h"

namespace rt {
namespace {

// The value of a Qt option that takes the next argument, as Qt reads it: "-name" or "--name".
QByteArray option(const std::vector<std::string>& args, std::string_view name) {
  QByteArray value;
  for (std::size_t i = 1; i + 1 < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg.starts_with("--")) arg.remove_prefix(1);
    if (arg.starts_with('-') && arg.substr(1) == name) value = QByteArray::fromStdString(args[++i]);
  }
  return value;
}

bool platformChosen(const std::vector<std::string>& args) {
  return !option(args, "platform").isEmpty() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QByteArray xDisplay(const std::vector<std::string>& args) {
  const QByteArray named = option(args, "display");
  return named.isEmpty() ? qgetenv("DISPLAY") : named;
}

QString oneLine(const QString& text, qsizetype most) {
  QString line = text.section(QLatin1Char('\n'), 0, 0).trimmed();
  if (line.size() > most) line = line.left(most) + QStringLiteral("...");
  return line;
}

// Qt's word that a platform it found could not be started: what the program says better itself.
bool isConsequence(const StartMessage& message) {
  return (message.category == QLatin1String("qt.qpa.plugin") &&
          message.text.startsWith(QLatin1String("Could not load the Qt platform plugin"))) ||
         (message.category == QLatin1String("qt.qpa.xcb") &&
          message.text.startsWith(QLatin1String("could not connect to display")));
}

}  // namespace

bool choosePlatform(const std::vector<std::string>& args) {
  if (platformChosen(args)) return true;
#if defined(__unix__) && !defined(__APPLE__)
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!wayland && qgetenv("XDG_SESSION_TYPE") != "wayland") return false;
  const bool x11 = !xDisplay(args).isEmpty();
  // Qt tries each in turn and keeps the first that starts.
  qputenv("QT_QPA_PLATFORM", x11 && wayland ? "xcb;wayland" : wayland ? "wayland" : "xcb");
#endif
  return false;
}

bool isAttemptNoise(const StartMessage& message) {
  return message.category == QLatin1String("qt.qpa.plugin") || isConsequence(message);
}

QStringList startFailure(const std::vector<std::string>& args, bool userChose,
                         const std::vector<StartMessage>& messages) {
  QByteArray platforms = option(args, "platform");
  if (platforms.isEmpty()) platforms = qgetenv("QT_QPA_PLATFORM");
#if defined(__unix__) && !defined(__APPLE__)
  if (platforms.isEmpty()) platforms = "xcb";
#endif
  const QByteArray display = xDisplay(args);
  QStringList faults;
  for (const QByteArray& platform : platforms.split(';')) {
    if (platform.isEmpty()) continue;
    if (platform != "xcb")
      faults << translate("Platform", "the \"%1\" platform could not be started")
                    .arg(QString::fromLocal8Bit(platform));
    else if (!display.isEmpty())
      faults << translate("Platform", "cannot connect to X display \"%1\"")
                    .arg(QString::fromLocal8Bit(display));
    else if (!userChose && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      faults << translate("Platform", "neither DISPLAY nor WAYLAND_DISPLAY is set");
    else
      faults << translate("Platform", "DISPLAY is not set");
  }
  if (faults.isEmpty()) faults << translate("Platform", "the window system could not be reached");
  QStringList lines{translate("Platform", "cannot open a display: %1").arg(faults.join("; "))};

  // Qt's own reason, without the list of every platform it knows that follows it.
  QStringList reasons;
  for (const StartMessage& m : messages) {
    const bool platformMessage = m.category.startsWith(QLatin1String("qt.qpa"));
    if (isConsequence(m) || m.type == QtFatalMsg || m.type == QtDebugMsg) continue;
    if (platformMessage || m.type == QtCriticalMsg)
      reasons << m.text.section(QLatin1Char('\n'), 0, 0);
  }
  reasons.removeDuplicates();
  if (!reasons.isEmpty())
    lines << QStringLiteral("Qt: ") + oneLine(reasons.join(QStringLiteral("; ")), 200);
  return lines;
}

bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool windowsCanBePlaced() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace rt
