// SPDX-License-Identifier: MIT
#include "wander/wander.h"

#include "mainform/mainform.h"

using rt::Add;
using rt::Integer;
using rt::Neg;
using rt::Single;

void Move1_Click(MainForm& f) {
  if (!f.FormMove.Enabled()) {
    f.Move1.setCaption(kStopCaption);
    f.FormMove.setEnabled(true);
  } else {
    f.Move1.setCaption(kMoveCaption);
    f.FormMove.setEnabled(false);
  }
}

void FormMove_Timer(MainForm& f) {
  FormState& s = f.state;
  if (f.Top() > Single{6300} && s.WindowStepY > 0) {
    s.WanderPhase = 1;
    s.WindowStepY = Neg(s.WindowStepY);
  }
  if (f.Top() < Single{0} && s.WindowStepY < 0) {
    s.WanderPhase = 1;
    s.WindowStepY = Neg(s.WindowStepY);
  }
  if (f.Left() > Single{11000} && s.WindowStepX > 0) {
    s.WindowStepX = Neg(s.WindowStepX);
    s.WanderPhase = -90;
  }
  if (f.Left() < Single{120} && s.WindowStepX < 0) {
    s.WindowStepX = Neg(s.WindowStepX);
    s.WanderPhase = -90;
  }

  s.WanderTicks = Add(s.WanderTicks, Integer{1});
  if (s.WanderTicks == 1000) {
    s.WanderTicks = 0;
    f.Move1.setCaption(kMoveCaption);
    f.FormMove.setEnabled(false);
    return;
  }

  if (s.WanderPhase < 1) {
    s.WanderPhase = Add(s.WanderPhase, Integer{1});
    f.setTop(Add(f.Top(), Single(s.WindowStepY)));
  } else {
    f.setLeft(Add(f.Left(), Single(s.WindowStepX)));
  }
}
