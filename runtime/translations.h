// SPDX-License-Identifier: MIT
// The program's texts in its user's language, through Qt's translators: the language is read from
// the locale once, at start-up, before the application exists, so that even the answers to the
// command line are translated.
#pragma once

#include <QString>

namespace rt {

// Loads the program's translation and Qt's own for the user's language, where there is one.
// The language is the first of LANGUAGE, else of LC_ALL, LC_MESSAGES or LANG, as gettext reads
// them: a C or POSIX locale means English whatever LANGUAGE says.
void loadTranslations();

// Hands Qt's own translation to the application, for the texts Qt shows itself.
void installQtTranslation();

// A text in the user's language, or as written where there is no translation of it.
QString translate(const char* context, const char* text);

}  // namespace rt
