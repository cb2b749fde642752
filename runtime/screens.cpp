// SPDX-License-Identifier: MIT
#include "runtime/screens.h"

#include <QScreen>
#include <QWidget>

namespace rt {

namespace {

// The screen's place in the server's pixels
QRect served(const QScreen& screen) {
  return {screen.geometry().topLeft(), screen.geometry().size() * screen.devicePixelRatio()};
}

QRect counted(const QScreen& screen) {
  return screen.geometry();
}

// The screen Qt takes a top-level window's client area to be on: the one it is on while that
// holds the area's centre, else the one that does, else the last it overlaps, else the one it is
// on. Qt judges it in its own coordinates when it moves a window, and in the server's pixels
// when it hears where the window is.
const QScreen* judged(const QRect& area, const QScreen& current,
                      QRect (*geometry)(const QScreen&)) {
  const QPoint centre = area.center();
  if (geometry(current).contains(centre)) return &current;
  const QScreen* fallback = &current;
  for (const QScreen* screen : current.virtualSiblings()) {
    if (geometry(*screen).contains(centre)) return screen;
    if (geometry(*screen).intersects(area)) fallback = screen;
  }
  return fallback;
}

}  // namespace

std::optional<QPoint> placeOnAnotherScreen(const QWidget& window, QPoint to) {
  const QScreen* here = window.screen();
  if (!here || !window.isVisible()) return {};
  const QPoint frame = window.geometry().topLeft() - window.pos();
  const QSize size = window.size();
  // In the server's pixels, the window's corner is where this screen's scale puts it.
  const QPointF origin = here->geometry().topLeft();
  const QPointF spot = (QPointF(to + frame) - origin) * here->devicePixelRatio() + origin;
  const auto area = [&](const QScreen& screen) {
    return QRect(spot.toPoint(), size * screen.devicePixelRatio());
  };
  const auto held = [&](const QScreen& screen, const QRect& part) {
    const QRect on = served(screen).intersected(part);
    return qint64{on.width()} * on.height();
  };
  // At a screen's scale, the window is its when it holds the window's middle, or more of it than
  // any other where none holds the middle.
  const QList<QScreen*> screens = here->virtualSiblings();
  const auto claims = [&](const QScreen& screen) {
    const QRect there = area(screen);
    if (served(screen).contains(there.center())) return true;
    for (const QScreen* other : screens)
      if (other != &screen &&
          (served(*other).contains(there.center()) || held(*other, there) >= held(screen, there)))
        return false;
    return held(screen, there) > 0;
  };
  if (claims(*here)) return {};
  for (const QScreen* screen : screens) {
    if (screen == here || !claims(*screen)) continue;
    const QPointF corner = screen->geometry().topLeft();
    const QPoint place = ((spot - corner) / screen->devicePixelRatio() + corner).toPoint();
    if (judged(QRect(place, size), *here, counted) == screen &&
        judged(area(*screen), *screen, served) == screen)
      return place - frame;
  }
  return {};
}

}  // namespace rt
