// SPDX-License-Identifier: MIT
// A picture box paints its windowless labels itself: one widget, one paint pass per frame. A
// changed label asks Qt to repaint the area it left and the area it takes; Qt repaints what was
// asked within one pass of its event loop at once.
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <vector>

#include "runtime/controls.h"

namespace rt::detail {

class ReadLabel;

class PictureBoxWidget : public QFrame {
  // Its own class name, so that assistive technology gets its own interface for it.
  Q_OBJECT

 public:
  enum Change { Place = 1, Look = 2, Text = 4 };

  PictureBoxWidget(QWidget* parent, const PictureBox& box, Single twipsPerPixel);

  // A label given a description is read by assistive technology; the others are decoration.
  void add(const Label& label, const QString& description = {});
  void changed(const Label& label, Change change);

  // What was last applied for painting, as a reader reads it.
  struct Item {
    const Label* label;
    QRect box;    // the label's own rectangle
    QRect drawn;  // the box and the text that overflows it, as last painted
    QStaticText text;
    QFont font;
    bool visible;
    ReadLabel* reader;  // null for decoration
  };
  const Item& item(std::size_t index) const { return items_[index]; }
  const std::vector<ReadLabel*>& readers() const { return readers_; }
  QPoint textOrigin(const Item& item, const QRect& box) const;
  QColor background() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void refresh(Item& item, int changes);
  void ask(QRect area);

  const PictureBox& box_;
  Single twipsPerPixel_;
  std::vector<Item> items_;  // creation order: the last created is drawn on top
  std::vector<ReadLabel*> readers_;
  std::vector<QRect> asked_;  // since the last paint, touching areas merged
};

}  // namespace rt::detail
