// SPDX-License-Identifier: MIT
#include "lifecycle/lifecycle.h"
#include "mainform/mainform.h"

void Form_Load(MainForm& f) {
  f.state.ColorStep = 9200;
  f.state.DotStepY = 100;
  f.state.DotStepX = 100;
  f.state.WanderTicks = 0;
  f.state.WindowStepY = 50;
  f.state.WindowStepX = -50;
  f.state.WanderPhase = 1;
  f.Dot(0).setForeColor(11720800);
}
