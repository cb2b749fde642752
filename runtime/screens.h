// SPDX-License-Identifier: MIT
// Where a window goes when a move takes it across screens of different scale.
#pragma once

#include <QPoint>

class QScreen;
class QWidget;

namespace rt {

// Whether the window's screens differ in scale: only then may Qt's numbers for one spot differ
// from screen to screen.
bool scalesDiffer(const QWidget& window);

// Qt counts each screen's pixels from that screen's corner at the screen's own scale, so one
// place names different spots on screens of different scale. A move to `to`, as the screen the
// window is on counts, means the spot `to` names there. It lands on a screen Qt keeps it on at
// that screen's scale (the one it is on, where it can), at `place` in that screen's numbers. Where
// Qt keeps it on none (between two screens, or hanging off an edge, Qt would take the window's
// size at one scale to be on the other screen, and back, at every step), `screen` is null, and
// `served` is the client area's place in the server's pixels, for a move Qt does not judge.
struct Landing {
  QScreen* screen;
  QPoint place;
  QPoint served;
};
Landing landing(const QWidget& window, QPoint to);

}  // namespace rt
