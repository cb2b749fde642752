// SPDX-License-Identifier: MIT
// Where a top-level window stands on the screen, in twips, and moving it there through Qt.
#pragma once

#include <QObject>
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
// edge cannot trap it. The user is told once when moves cannot take effect at all. A window
// manager that takes the window over (restarted, or replaced by another) and puts it elsewhere
// than it stood is not someone else moving it either: the window goes back.
class WindowPlace : public QObject {
 public:
  WindowPlace(QWidget& window, Single left, Single top, Single twipsPerPixel);
  ~WindowPlace() override;

  Single left() const;
  Single top() const;
  void put(Single left, Single top);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool movedBySomeoneElse() const;
  QPoint move(QPoint to);
  void watch();
  bool placedByNewManager(QPoint at);

  QWidget& window_;
  Single twipsPerPixel_;
  Single left_, top_;    // as put
  QPoint from_, asked_;  // the last move: where the window stood, and where it was asked to go
  IgnoredMoves ignored_;
  QPoint stood_;             // the client area's corner, as Qt last heard it
  bool handedOver_ = false;  // to a new window manager, which has yet to put it back
  bool moving_ = false;      // the program is moving it
};

}  // namespace rt
