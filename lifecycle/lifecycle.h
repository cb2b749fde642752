// SPDX-License-Identifier: MIT
// Start-up and closing: the state record's first values, and "end".
#pragma once

class MainForm;

void Form_Load(MainForm& f);
void End_Click(MainForm& f);
void FIN_Timer(MainForm& f);
