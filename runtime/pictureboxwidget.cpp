// SPDX-License-Identifier: MIT
#include "runtime/pictureboxwidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include "runtime/accessible.h"
#include "runtime/faces.h"
#include "runtime/qtbridge.h"

namespace rt::detail {

PictureBoxWidget::PictureBoxWidget(QWidget* parent, const PictureBox& box, Single twipsPerPixel)
    : QFrame(parent), box_(box), twipsPerPixel_(twipsPerPixel) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxWidget::add(const Label& label, const QString& description) {
  QFont font = toQFont(label.font());
  for (const auto& item : items_)
    if (item.font == font) font = item.font;  // shared, so telling fonts apart is cheap
  ReadLabel* reader = nullptr;
  if (!description.isEmpty()) {
    reader = new ReadLabel(*this, items_.size(), description);
    readers_.push_back(reader);
  }
  items_.push_back({&label, {}, {}, {}, font, label.Visible(), reader});
  items_.back().text.setPerformanceHint(QStaticText::AggressiveCaching);
  refresh(items_.back(), Place | Text);
}

void PictureBoxWidget::changed(const Label& label, Change change) {
  for (auto& item : items_)
    if (item.label == &label) return refresh(item, change);
}

QColor PictureBoxWidget::background() const {
  return toQColor(box_.BackColor());
}

// Areas that touch are asked for as one rectangle, each time a larger one: a trail of overlapping
// dots is one rectangle to repaint and to send to the screen, not a region of a dozen pieces.
void PictureBoxWidget::ask(QRect area) {
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

void PictureBoxWidget::paintEvent(QPaintEvent* event) {
  asked_.clear();
  QPainter painter(this);
  painter.fillRect(contentsRect() & event->rect(), background());
  const QFont* font = nullptr;
  for (const auto& item : items_) {
    if (!item.label->Visible() || !event->region().intersects(item.drawn)) continue;
    painter.setClipRect(item.drawn & contentsRect());
    if (!font || !(*font == item.font)) {
      font = &item.font;
      painter.setFont(*font);
    }
    painter.setPen(toQColor(item.label->ForeColor()));
    painter.drawStaticText(textOrigin(item, item.box), item.text);
  }
  painter.setClipping(false);
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
}

// Text starts at the box's top, aligned within its width; text wider than the box is not cut
// off but overflows on the side away from the alignment.
QPoint PictureBoxWidget::textOrigin(const Item& item, const QRect& box) const {
  const int slack = box.width() - qCeil(item.text.size().width());
  switch (item.label->alignment()) {
    case Alignment::Right:
      return box.topLeft() + QPoint(slack, 0);
    case Alignment::Center:
      return box.topLeft() + QPoint(slack / 2, 0);
    case Alignment::Left:
      break;
  }
  return box.topLeft();
}

void PictureBoxWidget::refresh(Item& item, int changes) {
  const Label& l = *item.label;
  // Until the window is first shown, text is not laid out: that would load fonts ahead of the
  // window's mapping. The first paint lays it out.
  const bool shown = isVisible();
  QString before;
  bool retexted = false;
  if (changes & Text) {
    const QString text = QString::fromStdString(l.Caption());
    if (item.text.text() != text) {
      before = item.text.text();
      retexted = true;
      item.text.setText(text);
      if (shown) item.text.prepare(QTransform(), item.font);
    }
  }
  const bool flipped = item.visible != l.Visible();
  item.visible = l.Visible();
  const QRect box(contentsRect().topLeft() +
                      QPoint(toPixels(l.Left(), twipsPerPixel_), toPixels(l.Top(), twipsPerPixel_)),
                  QSize(toPixels(l.Width(), twipsPerPixel_), toPixels(l.Height(), twipsPerPixel_)));
  if (changes == Place && box == item.box) return;  // moved within its pixel
  const QRect drawn = shown ? box | QRect(textOrigin(item, box),
                                          QSize(qCeil(item.text.size().width()) + 1, box.height()))
                            : box;
  ask(item.drawn);
  ask(drawn);
  item.box = box;
  item.drawn = drawn;
  // Only a label that is read tells: the dots' ticks cost nothing.
  if (!item.reader) return;
  if (retexted) item.reader->textChanged(before);
  if (flipped) item.reader->shownOrHidden(item.visible);
}

}  // namespace rt::detail
