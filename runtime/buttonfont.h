// SPDX-License-Identifier: MIT
// The window's default font, chosen so that the buttons' captions fit them.
#pragma once

#include <QStringList>

class QWidget;

namespace rt {

// Gives the window the desktop's font, made smaller only as far as each caption of its buttons
// needs to fit inside every button as the window's style draws it, clear of the bevel: those they
// show now, and those handlers give them later. The buttons keep their fixed size whatever the
// desktop's text size; when the desktop's font or style changes, the font is chosen again.
void fitButtonFont(QWidget& window, const QStringList& laterCaptions);

}  // namespace rt
