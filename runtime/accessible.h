// SPDX-License-Identifier: MIT
// What a screen reader finds in a picture box: the box, named and described by its definition,
// and the labels it paints that carry meaning, read as static text. Nothing here runs until
// assistive technology asks for it.
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>

namespace rt::detail {

class PictureBoxWidget;

// A label that a picture box paints and a reader reads: an object of its own, so that Qt keeps an
// accessibility interface for it exactly as long as the label lives.
class ReadLabel : public QObject {
  Q_OBJECT

 public:
  ReadLabel(PictureBoxWidget& box, std::size_t item, QString description);

  PictureBoxWidget& box;
  const std::size_t item;  // the box's item it reads
  const QString description;

  // Tell a listening reader what changed: the text, from `before`, or whether it shows.
  void textChanged(const QString& before);
  void shownOrHidden(bool shown);
};

// Lets Qt make the interfaces for picture boxes and their labels; safe to call more than once.
void installAccessibility();

}  // namespace rt::detail
