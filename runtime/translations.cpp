// SPDX-License-Identifier: MIT
#include "runtime/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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
      // Qt's own, where the Qt the program runs with has them: built in with a Qt that is built
      // in, else where Qt keeps them. Without them Qt's texts stay as Qt wrote them.
      for (const QString& folder :
           {QStringLiteral(":/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (qt.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), folder))
          break;
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
