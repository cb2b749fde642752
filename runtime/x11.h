// SPDX-License-Identifier: MIT
// The one place that asks the X server what Qt does not tell.
#pragma once

#include <QPoint>
#include <functional>
#include <optional>

class QWidget;

namespace rt {

// Where the X server says a window's client area stands, in Qt's pixels: a round trip, for
// telling whether a window manager carries out moves at all, since Qt believes what it asked
// for until told otherwise. Empty off X11.
std::optional<QPoint> serverClientPlace(const QWidget& window);

// Moves a shown window's client area to a place in the server's pixels, leaving its size as it
// is, and keeps the reports of that place from Qt, which would judge the window's screen anew from
// them, until endQuietMoves() or until someone else moves the window. False off X11.
bool moveQuietly(const QWidget& window, QPoint served);
void endQuietMoves();

// A window manager that takes a shown window over (restarted, or replaced by another) puts it
// into a frame of its own, which no minimising, restoring or change of workspace does. Calls
// `handedOver` when the window is put into another parent, and `placed` with where the server
// has its client area at each report of the window's place from then on, until `placed` says
// the take-over is over. Called with no functions, it stops watching. Nothing off X11.
void watchTakeOvers(const QWidget& window, std::function<void()> handedOver,
                    std::function<bool(QPoint)> placed);

}  // namespace rt
