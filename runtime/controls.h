// SPDX-License-Identifier: MIT
// The controls of a window: property values held in plain C++ (twips, 0x00BBGGRR colours) and
// pushed to their Qt widgets only when they change. Nothing here includes Qt, so handlers and
// their tests read without it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/records.h"

namespace rt {

class PictureBox;
namespace detail {
class PictureBoxWidget;
class ButtonWidget;
}  // namespace detail

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  std::string_view Name() const { return record_.name; }
  int Index() const { return record_.index; }
  Kind kind() const { return record_.kind; }

 protected:
  Control(Form& form, const ControlRecord& record) : form_(form), record_(record) {}
  Form& form_;

 private:
  friend class Form;
  const ControlRecord& record_;
  Handler handler_ = nullptr;
};

// A windowless label, painted by its container.
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

  void setLeft(Single twips);
  void setTop(Single twips);
  void setForeColor(Colour colour);
  void setVisible(bool visible);
  void setCaption(std::string_view text);

  Font font() const { return font_; }
  Alignment alignment() const { return alignment_; }

 private:
  friend class Form;
  PictureBox& container_;
  Single left_, top_, width_, height_;
  Colour foreColor_;
  bool visible_;
  std::string caption_;
  Font font_;
  Alignment alignment_;
};

class PictureBox : public Control {
 public:
  PictureBox(Form& form, const ControlRecord& record);

  Single Left() const { return left_; }
  Single Top() const { return top_; }
  Single Width() const { return width_; }
  Single Height() const { return height_; }
  Colour BackColor() const { return backColor_; }
  Font font() const { return font_; }

 private:
  friend class Label;
  friend class Form;
  void changed(const Label& label, int change);

  Single left_, top_, width_, height_;
  Colour backColor_;
  Font font_;
  detail::PictureBoxWidget* widget_ = nullptr;
};

class CommandButton : public Control {
 public:
  CommandButton(Form& form, const ControlRecord& record);

  const std::string& Caption() const { return caption_; }
  void setCaption(std::string_view text);

 private:
  friend class Form;
  std::string caption_;
  detail::ButtonWidget* widget_ = nullptr;
};

class Timer : public Control {
 public:
  Timer(Form& form, const ControlRecord& record);

  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);

 private:
  friend class Form;
  int interval_;
  bool enabled_;
  int timerId_ = 0;
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
  std::size_t size() const { return members_.size(); }

 private:
  std::vector<T*> members_;
};

}  // namespace rt
