// SPDX-License-Identifier: MIT
// The dot trail: the head bounces inside limits taken from the play area, the others follow it,
// and colours flow down the trail.
#pragma once

class MainForm;

void Run_Timer(MainForm& f);
void Time_Timer(MainForm& f);
