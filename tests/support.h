// SPDX-License-Identifier: MIT
// What the tests share: the window as the program starts it and its Qt widgets, the message loop,
// and the real program run as a process.
#pragma once

#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>

#include "mainform/mainform.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

// The window as the program starts it: wired, loaded and shown, its timers not yet ticking: a
// test gets only the ticks it raises itself, unless it runs the loop.
std::unique_ptr<MainForm> startMainForm();
// Runs the form's message loop until the program ends, or gives up after a while (status 99).
int runLoop(MainForm& form, int giveUpMs = 5000);

QWidget* windowOf(const MainForm& form);
QPushButton* button(const MainForm& form, const char* caption);
QWidget* playArea(const MainForm& form);
// Twips in a pixel of the primary screen, as the window is laid out.
rt::Single twipsPerPixel();
// The pixels the window last painted.
QImage grabWindow(const MainForm& form);
void saveArtifact(const QImage& image, const std::string& name);
// Pixels of the window that show exactly this colour inside a rectangle given in twips of the
// play area's inside.
int pixelsOfColour(const MainForm& form, const QImage& image, rt::Colour colour, rt::Single left,
                   rt::Single top, rt::Single width, rt::Single height);

// The real program with these arguments and these variables set ("NAME=value") or removed
// ("NAME"); status -2 if it was still running, its window open, after `ms`.
struct Outcome {
  int status;
  QString out, err;
};
Outcome runProgram(QStringList args, const QStringList& vars, int ms = 1500);

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>
// Where a window's client area is, in the server's pixels, as another client sees it once the
// server has done all that was asked of it so far.
QPoint seenByServer(xcb_connection_t* other, const QWidget& window);
#endif
