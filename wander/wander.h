// SPDX-License-Identifier: MIT
// Window wandering: horizontal sweeps across the screen joined by vertical legs.
#pragma once

class MainForm;

void Move1_Click(MainForm& f);
void FormMove_Timer(MainForm& f);
