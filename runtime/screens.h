// SPDX-License-Identifier: MIT
// Where a top-level window lands when a move takes it onto another screen.
#pragma once

#include <QPoint>

class QWidget;

namespace rt {

// Qt's coordinates are each screen's own device-independent pixels counted from that screen's
// corner, so one place can name different spots on different screens. The place to give Qt so
// that the window's frame goes where `to` lies as seen from the screen it is on now: `to` itself
// while it stays on that screen, else the same spot in the coordinates of the screen it goes to.
QPoint placeAmongScreens(const QWidget& window, QPoint to);

}  // namespace rt
