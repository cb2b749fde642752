// SPDX-License-Identifier: MIT
// The controls of a window: property values held in plain C++ (twips, 0x00BBGGRR colours), each
// control with the Qt object it owns, to which it pushes only what changed. Only Qt's names are
// declared here, so handlers and their tests read without Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/records.h"

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace rt {

namespace detail {
class PlayArea;
}

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  std::string_view Name() const { return record_.name; }
  int Index() const { return record_.index; }
  const ControlRecord& record() const { return record_; }

  // The control's widget, where it has one of its own.
  QWidget* widget() const { return widget_; }
  // The handler its event runs, through the form, which runs one handler at a time.
  void bind(Handler handler) { handler_ = handler; }
  void raise();

 protected:
  Control(Form& form, const ControlRecord& record) : form_(form), record_(record) {}
  Form& form_;
  QWidget* widget_ = nullptr;

 private:
  const ControlRecord& record_;
  Handler handler_ = nullptr;
};

class PictureBox : public Control {
 public:
  PictureBox(Form& form, const ControlRecord& record, QWidget* parent);

  Single Left() const { return left_; }
  Single Top() const { return top_; }
  Colour BackColor() const { return backColor_; }
  const Font& font() const { return font_; }
  detail::PlayArea& area() const { return *area_; }

 private:
  Single left_, top_;
  Colour backColor_;
  Font font_;
  detail::PlayArea* area_;
};

// A label is windowless, drawn by its picture box, unless a screen reader is to read it: then it
// is a transparent Qt label of its own, aligned in its box and widened past it to fit its text.
class Label : public Control {
 public:
  Label(Form& form, const ControlRecord& record, PictureBox& container);

  Single Left() const { return left_; }
  Single Top() const { return top_; }
  Single Width() const { return width_; }
  Single Height() const { return height_; }
  Colour ForeColor() const { return foreColor_; }
  bool Visible() const { return visible_; }
  const std::string& Caption() const { return caption_; }
  const Font& font() const { return font_; }

  void setLeft(Single twips) { set(left_, twips); }
  void setTop(Single twips) { set(top_, twips); }
  void setForeColor(Colour colour) { set(foreColor_, colour); }
  void setVisible(bool visible);
  void setCaption(std::string_view text);

 private:
  template <class T>
  void set(T& property, T value) {
    if (property == value) return;
    property = value;
    changed();
  }
  void changed();

  PictureBox& container_;
  Single left_, top_, width_, height_;
  Colour foreColor_;
  bool visible_;
  std::string caption_;
  Font font_;
  QLabel* label_ = nullptr;  // null while windowless
};

class CommandButton : public Control {
 public:
  CommandButton(Form& form, const ControlRecord& record, QWidget* parent);

  const std::string& Caption() const { return caption_; }
  void setCaption(std::string_view text);

 private:
  std::string caption_;
  QPushButton* button_;
};

// Ticks every Interval ms while enabled, once the form's message loop runs.
class Timer : public Control {
 public:
  Timer(Form& form, const ControlRecord& record, QWidget* owner);

  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  // Starts or stops the Qt timer as Enabled and the form's state say.
  void sync();

 private:
  int interval_;
  bool enabled_;
  QTimer* timer_;
};

// Members of a control array, reached by index whatever their creation order.
template <class T>
class ControlArray {
 public:
  explicit ControlArray(std::vector<T*> members) : members_(std::move(members)) {}

  T& operator()(Integer index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= members_.size() || !members_[index])
      Raise(kSubscriptOutOfRange);
    return *members_[index];
  }

 private:
  std::vector<T*> members_;
};

}  // namespace rt
