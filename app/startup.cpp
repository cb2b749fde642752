#include "app/handlers.h"
#include "app/mainform.h"

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

void End_Click(MainForm& f) {
  f.FIN.setEnabled(true);
}

void FIN_Timer(MainForm& f) {
  rt::End(f);
}
