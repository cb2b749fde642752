// SPDX-License-Identifier: MIT
// Where a top-level window stands on the screen, in twips, and moving it there through Qt.
#pragma once

#include <QPoint>

#include "runtime/basic.h"
#include "runtime/ignoredmoves.h"

class QWidget;

namespace rt {

// The window's outer top-left corner. A place put is kept exactly, in twips (the pixel grid only
// rounds where the window is drawn), and reads back as put unless someone else (a window manager
// placing the window, the user dragging it) has moved the window since: then a read says where
// it now stands. A window manager that moves it less far than asked, or not at all, is not
// someone else moving it: the program goes on from the place it asked for, so that a held screen
// edge cannot trap it. The user is told once when moves cannot take effect at all.
class WindowPlace {
 public:
  WindowPlace(QWidget& window, Single left, Single top, Single twipsPerPixel);

  Single left() const;
  Single top() const;
  void put(Single left, Single top);

 private:
  bool movedBySomeoneElse() const;
  QPoint move(QPoint to);
  void watch();

  QWidget& window_;
  Single twipsPerPixel_;
  Single left_, top_;    // as put
  QPoint from_, asked_;  // the last move: where the window stood, and where it was asked to go
  IgnoredMoves ignored_;
};

}  // namespace rt
