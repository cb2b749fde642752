// SPDX-License-Identifier: MIT
// Where a top-level window lands when a move takes it onto another screen.
#pragma once

#include <QPoint>
#include <optional>

class QWidget;

namespace rt {

// Qt's coordinates are each screen's own device-independent pixels counted from that screen's
// corner, so one place can name different spots on different screens. A move to `to` means the
// spot where `to` lies as seen from the screen the window is on now. When that spot takes the
// window onto another screen (the one that holds its middle, or most of it where none holds the
// middle), returns the place to give Qt: the same spot in that screen's coordinates. Empty while
// the window stays on its screen, and where Qt would not keep the window at that spot on the
// other screen (hanging off an edge, Qt's ways of judging a window's screen can disagree).
std::optional<QPoint> placeOnAnotherScreen(const QWidget& window, QPoint to);

}  // namespace rt
