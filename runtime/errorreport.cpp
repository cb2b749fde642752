// SPDX-License-Identifier: MIT
#include "runtime/errorreport.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <string>

namespace rt {

void reportError(const RuntimeError& error, QWidget* window) {
  const std::string text = "Run-time error '" + std::to_string(error.number) + "':";
  std::fprintf(stderr, "%s %.*s\n", text.c_str(), static_cast<int>(error.description.size()),
               error.description.data());
  std::fflush(stderr);
  const QString platform = QGuiApplication::platformName();
  if (!window || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
    return;
  QMessageBox::critical(
      window, window->windowTitle(),
      QString::fromStdString(text) + QStringLiteral("\n\n") +
          QString::fromUtf8(error.description.data(), static_cast<int>(error.description.size())));
}

}  // namespace rt
