// SPDX-License-Identifier: MIT
#include "lifecycle/lifecycle.h"
#include "mainform/mainform.h"

void End_Click(MainForm& f) {
  f.FIN.setEnabled(true);
}

void FIN_Timer(MainForm& f) {
  rt::End(f);
}
