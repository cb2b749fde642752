// SPDX-License-Identifier: MIT
// A picture box's widget. It paints its windowless labels itself, one paint pass per frame: a
// changed label asks Qt to repaint the area it left and the area it takes, and Qt repaints all
// that was asked within one pass of its event loop.
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QStaticText>
#include <string>
#include <vector>

#include "runtime/controls.h"

namespace rt::detail {

class PlayArea : public QFrame {
  // Its own class name, so that a screen reader is told what it is.
  Q_OBJECT

 public:
  PlayArea(QWidget* parent, const PictureBox& box, Single twipsPerPixel);

  // Where a place in the box, in twips, is in the widget.
  QRect toWidget(Single left, Single top, Single width, Single height) const;
  void add(const Label& label);
  void changed(const Label& label);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What was last applied for painting.
  struct Item {
    const Label* label;
    QRect box;    // the label's own rectangle
    QRect drawn;  // the box and the text that overflows it
    std::string caption;
    QStaticText text;
    QFont font;
    Colour colour;
    bool visible;
  };
  void refresh(Item& item);
  void ask(QRect area);

  const PictureBox& box_;
  Single twipsPerPixel_;
  std::vector<Item> items_;   // creation order: the last created is drawn on top
  std::vector<QRect> asked_;  // since the last paint, touching areas merged
};

}  // namespace rt::detail
