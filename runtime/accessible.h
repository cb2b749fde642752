// SPDX-License-Identifier: MIT
// What a screen reader finds in a window: the window read in tab order, and a picture box with the
// labels it paints that carry meaning, as static text. Nothing here runs until assistive
// technology asks for it.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <cstddef>
#include <utility>
#include <vector>

namespace rt::detail {

class PictureBoxWidget;

// Lets Qt build the interfaces below; cheap, and safe to call more than once.
void installAccessibility();

// A picture box, named and described by its definition; the labels it reads are its children.
class PictureBoxAccessible : public QAccessibleWidget {
 public:
  explicit PictureBoxAccessible(PictureBoxWidget* box);
  ~PictureBoxAccessible() override;

  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  // Called by the box as a label it reads changes; silent while no reader listens.
  void labelTextChanged(std::size_t item, const QString& before);
  void labelShownOrHidden(std::size_t item);
  // The box is going: its labels' interfaces go first, while the box is still whole.
  void boxGone();

 private:
  PictureBoxWidget* box() const;
  // The labels' interfaces, by item, made when first asked for and owned by Qt's cache.
  const std::vector<std::pair<std::size_t, QAccessible::Id>>& labels() const;
  QAccessibleInterface* label(std::size_t item) const;

  mutable std::vector<std::pair<std::size_t, QAccessible::Id>> labels_;
  mutable bool made_ = false;
  bool gone_ = false;
};

}  // namespace rt::detail
