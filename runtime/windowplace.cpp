// SPDX-License-Identifier: MIT
#include "runtime/windowplace.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "runtime/notices.h"
#include "runtime/platform.h"
#include "runtime/qtbridge.h"
#include "runtime/screens.h"
#include "runtime/x11.h"

namespace rt {
namespace {

bool between(int v, int a, int b) {
  return std::min(a, b) <= v && v <= std::max(a, b);
}

}  // namespace

WindowPlace::WindowPlace(QWidget& window, Single left, Single top, Single twipsPerPixel)
    : window_(window),
      twipsPerPixel_(twipsPerPixel),
      left_(left),
      top_(top),
      from_(window.pos()),
      asked_(from_),
      stood_(window.geometry().topLeft()) {
  window.installEventFilter(this);
}

WindowPlace::~WindowPlace() {
  watchTakeOvers(window_, nullptr, nullptr);
}

// The client area is what is compared: while the window is handed over it has no frame.
bool WindowPlace::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  if (event->type() == QEvent::Show) {
    watchTakeOvers(
        window_, [this] { handedOver_ = true; },
        [this](QPoint at) { return placedByNewManager(at); });
  } else if (event->type() == QEvent::Move) {
    const QPoint at = window_.geometry().topLeft();
    if (moving_ || !handedOver_) {
      stood_ = at;
    } else if (at != stood_) {
      handedOver_ = false;
      window_.move(window_.pos() + stood_ - at);
    }
  }
  return false;
}

// Where the new window manager put the window: if it stands where it stood, nothing is to be
// done; else Qt either has heard of that place already, and the window goes back now, or is
// about to, and it goes back when Qt has moved it. Qt may never hear of a new place: the program's
// own moves may take the window where it stood. So the take-over ends only once decided, at
// this report or a later one, and never lingers to undo the user's next move. Returns whether it
// has ended.
bool WindowPlace::placedByNewManager(QPoint at) {
  if (!handedOver_ || near(at, stood_)) {
    handedOver_ = false;
  } else if (near(window_.geometry().topLeft(), at)) {
    handedOver_ = false;
    window_.move(window_.pos() + stood_ - at);
  }
  return !handedOver_;
}

// The window stands between where the last move started and where it was asked to go, unless
// someone else moved it.
bool WindowPlace::movedBySomeoneElse() const {
  const QPoint at = window_.pos();
  return !between(at.x(), from_.x(), asked_.x()) || !between(at.y(), from_.y(), asked_.y());
}

Single WindowPlace::left() const {
  return movedBySomeoneElse() ? static_cast<Single>(window_.x()) * twipsPerPixel_ : left_;
}

Single WindowPlace::top() const {
  return movedBySomeoneElse() ? static_cast<Single>(window_.y()) * twipsPerPixel_ : top_;
}

void WindowPlace::put(Single left, Single top) {
  const QPoint to(toPixels(left, twipsPerPixel_), toPixels(top, twipsPerPixel_));
  const bool stays = to == asked_ && !movedBySomeoneElse();
  left_ = left;
  top_ = top;
  if (stays) return;  // within the pixel it stands on
  from_ = window_.pos();
  moving_ = true;
  asked_ = move(to);
  moving_ = false;
  // Onto another screen: the place is counted in that screen's pixels from here on, so the next
  // step goes on from where the window stands, at that screen's scale.
  if (asked_ != to) {
    left_ = static_cast<Single>(asked_.x()) * twipsPerPixel_;
    top_ = static_cast<Single>(asked_.y()) * twipsPerPixel_;
  }
  watch();
}

// Across screens of different scale, the spot meant goes to a screen Qt keeps the window on, and
// Qt is told which where it would judge otherwise; between screens, where Qt would flip the window
// from one scale to the other at every step, it moves by its place alone, and Qt is told once it
// is on a screen again. Returns the place in the numbers of the screen it is on.
QPoint WindowPlace::move(QPoint to) {
  QWindow* handle = window_.windowHandle();
  if (!handle || !scalesDiffer(window_)) {
    window_.move(to);
    return to;
  }
  const Landing there = landing(window_, to);
  if (!there.screen && moveQuietly(window_, there.served)) return to;
  endQuietMoves();
  QScreen* onto = there.screen ? there.screen : window_.screen();
  window_.move(there.place);
  if (window_.screen() != onto) {
    handle->setScreen(onto);
    handle->setFramePosition(there.place);
  }
  return there.place;
}

// Where moves take no effect, the wander still goes on by its rules; the user is told why the
// window stands still.
void WindowPlace::watch() {
  if (!windowsCanBePlaced()) return tellOnce(Notice::CannotMoveWindows);
  if (ignored_.settled() || !window_.isVisible()) return;
  const std::optional<QPoint> reported = serverClientPlace(window_);
  if (!reported) return ignored_.settle();
  if (ignored_.reported(window_.geometry().topLeft(), *reported)) tellOnce(Notice::MovesIgnored);
}

}  // namespace rt
