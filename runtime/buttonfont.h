// SPDX-License-Identifier: MIT
// The window's default font, chosen so that the buttons' captions fit them.
#pragma once

#include <initializer_list>
#include <string_view>

namespace rt {

class Form;

// Gives the form's window the desktop's font, made smaller only as far as each caption of its
// buttons needs to fit inside every button as the window's style draws it: those they show now,
// and those handlers set later. The buttons keep their fixed size whatever the desktop's text
// size; when the desktop's font or style changes, the font is chosen again.
void fitButtonFont(Form& form, std::initializer_list<std::string_view> laterCaptions);

}  // namespace rt
