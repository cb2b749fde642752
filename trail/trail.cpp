// SPDX-License-Identifier: MIT
#include "trail/trail.h"

#include "mainform/mainform.h"

using rt::Add;
using rt::Long;
using rt::Neg;
using rt::Single;

void Run_Timer(MainForm& f) {
  FormState& s = f.state;
  // The limits come from the play area's place in the window, the head's position from inside
  // it; they are compared as they stand.
  if (f.Dot(0).Top() > Add(f.Ijigen.Top(), Single{3200.0}) && s.DotStepY > 0)
    s.DotStepY = Neg(s.DotStepY);
  if (f.Dot(0).Top() < f.Ijigen.Top() && s.DotStepY < 0) s.DotStepY = Neg(s.DotStepY);
  if (f.Dot(0).Left() > Add(f.Ijigen.Left(), Single{3500.0}) && s.DotStepX > 0)
    s.DotStepX = Neg(s.DotStepX);
  if (f.Dot(0).Left() < Add(f.Ijigen.Left(), Single{-120.0}) && s.DotStepX < 0)
    s.DotStepX = Neg(s.DotStepX);

  for (rt::Integer k = 6; k >= 1; --k) {
    f.Dot(k).setTop(f.Dot(static_cast<rt::Integer>(k - 1)).Top());
    f.Dot(k).setLeft(f.Dot(static_cast<rt::Integer>(k - 1)).Left());
  }

  f.Dot(0).setTop(Add(f.Dot(0).Top(), Single(s.DotStepY)));
  f.Dot(0).setLeft(Add(f.Dot(0).Left(), Single(s.DotStepX)));
}

void Time_Timer(MainForm& f) {
  FormState& s = f.state;
  for (rt::Integer k = 6; k >= 1; --k)
    f.Dot(k).setForeColor(f.Dot(static_cast<rt::Integer>(k - 1)).ForeColor());

  f.Dot(0).setForeColor(Add(Long{s.ColorStep}, f.Dot(0).ForeColor()));

  const rt::Colour head = f.Dot(0).ForeColor();
  if (head >= 16771600 || head <= 0) s.ColorStep = Neg(s.ColorStep);
}
