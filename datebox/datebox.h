// SPDX-License-Identifier: MIT
// The date display: a label in the play area, rewritten every second, shown or hidden by "date".
#pragma once

class MainForm;

void Jikan_Click(MainForm& f);
void Jikan1_Timer(MainForm& f);
