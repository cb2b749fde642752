// SPDX-License-Identifier: MIT
#include "datebox/datebox.h"

#include "mainform/mainform.h"
#include "runtime/date.h"

void Jikan_Click(MainForm& f) {
  f.Hizuke.setVisible(!f.Hizuke.Visible());
}

void Jikan1_Timer(MainForm& f) {
  f.Hizuke.setCaption(rt::DateText(rt::Date()));
}
