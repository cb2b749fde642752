// SPDX-License-Identifier: MIT
#include "runtime/screens.h"

#include <QScreen>
#include <QWidget>

namespace rt {

namespace {

// The screen whose coordinates Qt uses for a top-level window's client area put at `area`: the
// one holding its centre, else the last it overlaps, else the one it is on.
const QScreen* screenFor(const QRect& area, const QScreen& current) {
  const QPoint centre = area.center();
  if (current.geometry().contains(centre)) return &current;
  const QScreen* fallback = &current;
  for (const QScreen* screen : current.virtualSiblings()) {
    if (screen->geometry().contains(centre)) return screen;
    if (screen->geometry().intersects(area)) fallback = screen;
  }
  return fallback;
}

}  // namespace

QPoint placeAmongScreens(const QWidget& window, QPoint to) {
  const QScreen* here = window.screen();
  if (!here || !window.isVisible()) return to;
  const QPoint frame = window.geometry().topLeft() - window.pos();
  const QRect area(to + frame, window.size());
  if (screenFor(area, *here) == here) return to;
  // In the server's pixels, the window's corner is where this screen's scale puts it.
  const QPointF origin = here->geometry().topLeft();
  const QPointF spot = (QPointF(area.topLeft()) - origin) * here->devicePixelRatio() + origin;
  for (const QScreen* there : here->virtualSiblings()) {
    const QPointF corner = there->geometry().topLeft();
    const QPoint place = ((spot - corner) / there->devicePixelRatio() + corner).toPoint();
    if (there != here && screenFor(QRect(place, window.size()), *here) == there)
      return place - frame;
  }
  return to;
}

}  // namespace rt
