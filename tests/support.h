// SPDX-License-Identifier: MIT
// What the tests share: a started window, its Qt widgets, and a record of handler calls.
#pragma once

#include <QImage>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "mainform/mainform.h"

// The window as the program starts it: wired, loaded and shown.
std::unique_ptr<MainForm> startMainForm();

QPushButton* button(const MainForm& form, const char* caption);
// Twips in a pixel of the primary screen, as the window is laid out.
rt::Single twipsPerPixel();
QWidget* playArea(const MainForm& form);
QImage grabWindow(const MainForm& form);
void saveArtifact(const QImage& image, const std::string& name);

// Pixels of the window that show exactly this colour inside a rectangle given in twips of the
// play area's inside.
int pixelsOfColour(const MainForm& form, const QImage& image, rt::Colour colour, rt::Single left,
                   rt::Single top, rt::Single width, rt::Single height);
