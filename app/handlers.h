// The application frame's own handlers: start-up and closing.
#pragma once

class MainForm;

void Form_Load(MainForm& f);
void End_Click(MainForm& f);
void FIN_Timer(MainForm& f);
