// SPDX-License-Identifier: MIT
#include "runtime/playarea.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include "runtime/faces.h"
#include "runtime/qtbridge.h"

namespace rt::detail {

PlayArea::PlayArea(QWidget* parent, const PictureBox& box, Single twipsPerPixel)
    : QFrame(parent), box_(box), twipsPerPixel_(twipsPerPixel) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect PlayArea::toWidget(Single left, Single top, Single width, Single height) const {
  return toPixels(left, top, width, height, twipsPerPixel_).translated(contentsRect().topLeft());
}

void PlayArea::add(const Label& label) {
  QFont font = toQFont(label.font());
  for (const auto& item : items_)
    if (item.font == font) font = item.font;  // shared, so telling fonts apart is cheap
  items_.push_back({&label, {}, {}, {}, {}, font, label.ForeColor(), label.Visible()});
  items_.back().text.setPerformanceHint(QStaticText::AggressiveCaching);
  refresh(items_.back());
}

void PlayArea::changed(const Label& label) {
  for (auto& item : items_)
    if (item.label == &label) return refresh(item);
}

// Areas that touch are asked for as one rectangle, each time a larger one: a trail of overlapping
// dots is one rectangle to repaint and to send to the screen, not a region of a dozen pieces.
void PlayArea::ask(QRect area) {
  area &= contentsRect();
  if (area.isEmpty()) return;
  for (auto it = asked_.begin(); it != asked_.end();) {
    if (it->intersects(area)) {
      area |= *it;
      asked_.erase(it);
      it = asked_.begin();  // the larger area may now touch one passed over
    } else {
      ++it;
    }
  }
  asked_.push_back(area);
  update(area);
}

void PlayArea::paintEvent(QPaintEvent* event) {
  asked_.clear();
  QPainter painter(this);
  painter.fillRect(contentsRect() & event->rect(), toQColor(box_.BackColor()));
  const QFont* font = nullptr;
  for (const auto& item : items_) {
    if (!item.visible || !event->region().intersects(item.drawn)) continue;
    painter.setClipRect(item.drawn & contentsRect());
    if (!font || !(*font == item.font)) {
      font = &item.font;
      painter.setFont(*font);
    }
    painter.setPen(toQColor(item.colour));
    painter.drawStaticText(item.box.topLeft(), item.text);
  }
  painter.setClipping(false);
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
}

void PlayArea::refresh(Item& item) {
  const Label& l = *item.label;
  // Until the window is first shown, text is not laid out: that would load fonts ahead of the
  // window's mapping. The first paint lays it out.
  const bool shown = isVisible();
  const bool retexted = item.caption != l.Caption();
  if (retexted) {
    item.caption = l.Caption();
    item.text.setText(toQString(item.caption));
    if (shown) item.text.prepare(QTransform(), item.font);
  }
  const QRect box = toWidget(l.Left(), l.Top(), l.Width(), l.Height());
  const bool restyled = item.colour != l.ForeColor() || item.visible != l.Visible();
  if (!retexted && !restyled && box == item.box) return;  // moved within its pixel
  const QRect drawn =
      shown ? box | QRect(box.topLeft(), QSize(qCeil(item.text.size().width()) + 1, box.height()))
            : box;
  ask(item.drawn);
  ask(drawn);
  item.box = box;
  item.drawn = drawn;
  item.colour = l.ForeColor();
  item.visible = l.Visible();
}

}  // namespace rt::detail
