// SPDX-License-Identifier: MIT
#include "runtime/translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace rt {
namespace {

QTranslator own, qt;

// The languages asked for, most wanted first, as gettext reads them from the environment.
QStringList wantedLanguages() {
#ifdef Q_OS_UNIX
  QString messages;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    messages = qEnvironmentVariable(name);
    if (!messages.isEmpty()) break;
  }
  const QString language = messages.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  if (language.isEmpty() || language == QLatin1String("C") || language == QLatin1String("POSIX"))
    return {};
  const QString chosen = qEnvironmentVariable("LANGUAGE");
  return chosen.isEmpty() ? QStringList{language}
                          : chosen.split(QLatin1Char(':'), Qt::SkipEmptyParts);
#else
  return QLocale::system().uiLanguages();
#endif
}

}  // namespace

void loadTranslations() {
  for (const QString& language : wantedLanguages()) {
    if (QLocale(language).language() == QLocale::English) return;  // as written
    if (own.load(QLocale(language), QStringLiteral("tavimo"), QStringLiteral("_"),
                 QStringLiteral(":/translations"))) {
      // Where Qt's own is missing, Qt's texts stay as Qt wrote them.
      static_cast<void>(qt.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                                QStringLiteral(":/translations")));
      return;
    }
  }
}

void installQtTranslation() {
  if (!qt.isEmpty()) QCoreApplication::installTranslator(&qt);
}

QString translate(const char* context, const char* text) {
  const QString translated = own.translate(context, text);
  return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

}  // namespace rt
