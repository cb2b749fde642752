// SPDX-License-Identifier: MIT
#include "runtime/errorreport.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <string>

#include "runtime/translations.h"

namespace rt {

// The errors the forms layer raises, as its translators see them.
[[maybe_unused]] constexpr const char* kDescriptions[] = {
    QT_TRANSLATE_NOOP("ErrorReport", "Overflow"),
    QT_TRANSLATE_NOOP("ErrorReport", "Subscript out of range"),
    QT_TRANSLATE_NOOP("ErrorReport", "Out of memory"),
};

void reportError(const RuntimeError& error, QWidget* window) {
  const QString heading = translate("ErrorReport", "Run-time error '%1':").arg(error.number);
  const QString description = translate("ErrorReport", std::string(error.description).c_str());
  std::fprintf(stderr, "%s %s\n", heading.toUtf8().constData(), description.toUtf8().constData());
  std::fflush(stderr);
  const QString platform = QGuiApplication::platformName();
  if (!window || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
    return;
  QMessageBox::critical(window, window->windowTitle(),
                        heading + QStringLiteral("\n\n") + description);
}

}  // namespace rt
