// SPDX-License-Identifier: MIT
// The one window, its state record and its handlers' view of it.
#pragma once

#include "runtime/form.h"

using rt::Integer;

struct FormState {
  Integer ColorStep = 0;
  Integer DotStepY = 0;
  Integer DotStepX = 0;
  Integer WanderTicks = 0;
  Integer WindowStepY = 0;
  Integer WindowStepX = 0;
  Integer WanderPhase = 0;
};

// Move1's captions: while the window stands, and while it wanders.
inline constexpr std::string_view kMoveCaption = "move";
inline constexpr std::string_view kStopCaption = "stop";

extern const rt::FormRecord kMainFormDefinition;

class MainForm : public rt::Form {
 public:
  MainForm();

  FormState state;

  rt::CommandButton& Move1;
  rt::Timer& FormMove;
  rt::CommandButton& End;
  rt::Timer& FIN;
  rt::Timer& Jikan1;
  rt::CommandButton& Jikan;
  rt::Timer& Run;
  rt::Timer& Time;
  rt::PictureBox& Ijigen;
  rt::Label& Hizuke;
  rt::ControlArray<rt::Label> Dot;
};

// A handler of this window, as the forms layer calls it.
template <void (*handler)(MainForm&)>
void on(rt::Form& form) {
  handler(static_cast<MainForm&>(form));
}
