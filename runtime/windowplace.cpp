// SPDX-License-Identifier: MIT
#include "runtime/windowplace.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "runtime/notices.h"
#include "runtime/platform.h"
#include "runtime/qtbridge.h"
#include "runtime/x11.h"

namespace rt {
namespace {

// A screen's area in the server's pixels, less a margin for the rounding Qt does on the way.
QRectF served(const QScreen& screen) {
  constexpr qreal kMargin = 2;
  return QRectF(screen.geometry().topLeft(),
                QSizeF(screen.geometry().size()) * screen.devicePixelRatio())
      .adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

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
      asked_(from_) {}

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
  asked_ = move(to);
  // Onto another screen: the place is counted in that screen's pixels from here on, so the next
  // step goes on from where the window stands, at that screen's scale.
  if (asked_ != to) {
    left_ = static_cast<Single>(asked_.x()) * twipsPerPixel_;
    top_ = static_cast<Single>(asked_.y()) * twipsPerPixel_;
  }
  watch();
}

// Qt counts each screen's pixels from that screen's corner at the screen's own scale, so where
// screens differ in scale one place names different spots on them, and Qt judges a moved window's
// screen by where its middle falls in those numbers: a window stepping onto a screen of another
// scale would be thrown elsewhere. So the spot meant (`to`, as the screen the window is on counts)
// goes to the screen that holds the window's middle at that screen's own scale, in its numbers,
// and Qt is told which screen where it would judge otherwise. Where no screen holds it so (between
// two screens, or hanging off an edge), Qt's judgement would flip the window from one scale to
// the other at every step: there alone it moves by its place only, and Qt is not told until it
// comes onto a screen again. Returns the place in the numbers of the screen it is on.
QPoint WindowPlace::move(QPoint to) {
  QScreen* here = window_.screen();
  QWindow* handle = window_.windowHandle();
  const auto scaled = [here](const QScreen* s) {
    return s->devicePixelRatio() != here->devicePixelRatio();
  };
  if (!here || !handle ||
      std::none_of(here->virtualSiblings().begin(), here->virtualSiblings().end(), scaled)) {
    window_.move(to);
    return to;
  }
  const QPointF origin = here->geometry().topLeft();
  const QPointF spot = (QPointF(to) - origin) * here->devicePixelRatio() + origin;
  const QPointF client =
      QPointF(window_.geometry().topLeft() - window_.pos()) * here->devicePixelRatio();
  const auto holds = [&](const QScreen& s) {
    const QPointF middle =
        spot + client + QPointF(window_.width(), window_.height()) * s.devicePixelRatio() / 2;
    return served(s).contains(middle);
  };
  QScreen* onto = holds(*here) ? here : nullptr;
  for (QScreen* s : here->virtualSiblings())
    if (!onto && holds(*s)) onto = s;
  if (!onto) onto = here;
  const QPointF corner = onto->geometry().topLeft();
  const QPoint place = ((spot - corner) / onto->devicePixelRatio() + corner).toPoint();
  window_.move(place);
  if (window_.screen() != onto) {
    handle->setScreen(onto);
    handle->setFramePosition(place);
  }
  return place;
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
