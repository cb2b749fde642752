// SPDX-License-Identifier: MIT
#include "runtime/screens.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace rt {
namespace {

QRect served(const QScreen& screen) {
  return {screen.geometry().topLeft(),
          (QSizeF(screen.geometry().size()) * screen.devicePixelRatio()).toSize()};
}

// The screen Qt's X11 platform takes a client area, in the server's pixels, to be on while it
// believes the window is on `current`: that one while it holds the area's middle, else the one
// that does, else the last one the area overlaps. Qt judges so at each move and at each report.
const QScreen* judged(const QRect& area, const QScreen& current, const QList<QScreen*>& screens) {
  if (served(current).contains(area.center())) return &current;
  const QScreen* fallback = &current;
  for (const QScreen* screen : screens) {
    if (served(*screen).contains(area.center())) return screen;
    if (served(*screen).intersects(area)) fallback = screen;
  }
  return fallback;
}

}  // namespace

bool scalesDiffer(const QWidget& window) {
  const QScreen* here = window.screen();
  if (!here) return false;
  const QList<QScreen*> screens = here->virtualSiblings();
  return std::any_of(screens.begin(), screens.end(), [here](const QScreen* s) {
    return s->devicePixelRatio() != here->devicePixelRatio();
  });
}

Landing landing(const QWidget& window, QPoint to) {
  QScreen* here = window.screen();
  const QList<QScreen*> screens = here->virtualSiblings();
  const QPointF origin = here->geometry().topLeft();
  const QPointF spot = (QPointF(to) - origin) * here->devicePixelRatio() + origin;
  const QPoint client =
      spot.toPoint() +
      (QPointF(window.geometry().topLeft() - window.pos()) * here->devicePixelRatio()).toPoint();
  // A fixed size is the one the window takes at each screen's scale: the size Qt holds may be
  // one it read from a late report at the other screen's scale.
  const QSize size =
      window.minimumSize() == window.maximumSize() ? window.minimumSize() : window.size();
  // Kept there, a pixel of Qt's rounding either way included.
  const auto keeps = [&](const QScreen& screen) {
    const QRect area(client, (QSizeF(size) * screen.devicePixelRatio()).toSize());
    for (const QPoint nudge :
         {QPoint(0, 0), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
      if (judged(area.translated(nudge), screen, screens) != &screen) return false;
    return true;
  };
  QScreen* onto = keeps(*here) ? here : nullptr;
  for (QScreen* screen : screens)
    if (!onto && keeps(*screen)) onto = screen;
  if (!onto) return {nullptr, to, client};
  const QPointF corner = onto->geometry().topLeft();
  return {onto, ((spot - corner) / onto->devicePixelRatio() + corner).toPoint(), client};
}

}  // namespace rt
