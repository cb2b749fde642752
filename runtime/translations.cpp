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

// The languages asked for, most wanted first. Qt reads them as gettext does, but for one rule:
// a C or POSIX locale means English whatever LANGUAGE says.
QStringList wantedLanguages() {
#ifdef Q_OS_UNIX
  QByteArray messages;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (messages = qgetenv(name); !messages.isEmpty()) break;
  const QByteArray language = messages.split('.').front().split('@').front();
  if (language.isEmpty() || language == "C" || language == "POSIX") return {};
#endif
  return QLocale::system().uiLanguages();
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
