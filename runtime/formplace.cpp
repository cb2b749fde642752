// SPDX-License-Identifier: MIT
// Where the window stands on the screen, in twips, and moving it there.
#include <QPoint>
#include <QWidget>
#include <algorithm>

#include "runtime/form.h"
#include "runtime/notices.h"
#include "runtime/platform.h"
#include "runtime/qtbridge.h"
#include "runtime/x11.h"

namespace rt {

void Form::setLeft(Single twips) {
  followWindow();
  left_ = twips;
  moveWindow();
}

void Form::setTop(Single twips) {
  followWindow();
  top_ = twips;
  moveWindow();
}

void Form::moveWindow() {
  if (!place_) return;
  const Pixel to{toPixels(left_, twipsPerPixel_), toPixels(top_, twipsPerPixel_)};
  if (to.x == asked_.x && to.y == asked_.y) return;
  const QPoint from = place_->pos();
  const QPoint put = place_->move({to.x, to.y});
  askedFrom_ = {from.x(), from.y()};
  asked_ = {put.x(), put.y()};
  // Onto another screen: the place is counted in that screen's pixels from here on, so the next
  // step goes on from where the window stands, at that screen's scale.
  if (put != QPoint(to.x, to.y)) {
    left_ = static_cast<Single>(put.x()) * twipsPerPixel_;
    top_ = static_cast<Single>(put.y()) * twipsPerPixel_;
  }
  tellWhenMovesGoNowhere();
}

// The wander goes on by the rules wherever the window cannot follow; the user is told why it
// stands still.
void Form::tellWhenMovesGoNowhere() {
  if (!windowsCanBePlaced()) return tellOnce(Notice::CannotMoveWindows);
  if (moveWatch_.settled() || !window()->isVisible()) return;
  const QPoint at = place_->reported();
  if (moveWatch_.reported({asked_.x, asked_.y}, {at.x(), at.y()})) tellOnce(Notice::MovesIgnored);
}

Single Form::Left() const {
  followWindow();
  return left_;
}

Single Form::Top() const {
  followWindow();
  return top_;
}

// The window is where the program put it, exactly, unless someone else (the window manager
// placing and framing it, the user dragging it) moved it elsewhere: then a read returns that
// place. A window manager that moves it less far than asked, or not at all, is not someone else
// moving it: the program goes on from the place it asked for, so that a clamped edge cannot hold
// it forever.
void Form::followWindow() const {
  if (!place_) return;
  const QPoint at = place_->pos();  // where it is; asked_: where the last move asked it to go
  const int x = at.x();
  const int y = at.y();
  const auto between = [](int v, int a, int b) {
    return std::min(a, b) <= v && v <= std::max(a, b);
  };
  if (between(x, askedFrom_.x, asked_.x) && between(y, askedFrom_.y, asked_.y)) return;
  left_ = static_cast<Single>(x) * twipsPerPixel_;
  top_ = static_cast<Single>(y) * twipsPerPixel_;
  askedFrom_ = asked_ = {x, y};
}

}  // namespace rt
