// SPDX-License-Identifier: MIT
// A picture box paints its windowless labels itself: one widget, one paint pass per frame.
// While a handler runs, changes are only noted; when it returns, the areas the changed labels
// left and took are merged where they touch, and each merged area is repainted once: a moving
// trail of overlapping dots asks for one rectangle, not a region of seven.
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <vector>

#include "runtime/controls.h"

namespace rt::detail {

class PictureBoxAccessible;

class PictureBoxWidget : public QFrame {
  // Its own class name, so that assistive technology gets its own interface for it.
  Q_OBJECT

 public:
  enum Change { Place = 1, Look = 2, Text = 4 };

  PictureBoxWidget(QWidget* parent, const PictureBox& box, Single twipsPerPixel,
                   const bool& deferring);
  ~PictureBoxWidget() override;

  // A label given a description is read by assistive technology; the others are decoration.
  void add(const Label& label, const QString& description = {});
  void changed(const Label& label, Change change);
  // Applies the changes noted while a handler ran.
  void flush();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class PictureBoxAccessible;
  friend class LabelAccessible;

  struct Item {
    const Label* label;
    QRect box;    // the label's own rectangle
    QRect drawn;  // the box and the text that overflows it, as last painted
    QStaticText text;
    QFont font;
    int changes;  // noted while a handler runs
    bool visible;
    QString description;  // empty for decoration
  };

  QPoint textOrigin(const Item& item, const QRect& box) const;
  void refresh(Item& item, int changes);
  void invalidate(QRect area);
  void paintNoted();

  const PictureBox& box_;
  Single twipsPerPixel_;
  const bool& deferring_;
  bool pending_ = false;
  std::vector<Item> items_;   // creation order: the last created is drawn on top
  std::vector<QRect> dirty_;  // noted areas, not yet painted
  // Set once assistive technology has asked about the box.
  PictureBoxAccessible* accessible_ = nullptr;
};

}  // namespace rt::detail
