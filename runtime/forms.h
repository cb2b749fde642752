// The forms layer: a window and its controls built from a static definition, property values
// held in plain C++ (twips, 0x00BBGGRR colours), events delivered to plain handler functions.
// Nothing here includes Qt, so handlers and their tests read without it.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/basic.h"

class QWidget;

namespace rt {

class Form;
class PictureBox;
class WindowPlace;
namespace detail {
class FormWindow;
class PictureBoxWidget;
class ButtonWidget;
}  // namespace detail

enum class Kind { PictureBox, Label, CommandButton, Timer };
enum class Event { Load, Click, Timer };
enum class Alignment { Left, Right, Center };

struct Font {
  std::string_view face;
  Single points = 0;
  int charset = 0;
  int weight = 400;
};

// The settings in which a control differs from its kind's defaults.
struct Settings {
  std::optional<Single> left{}, top{}, width{}, height{};
  std::optional<std::string_view> caption{};
  std::optional<int> tabIndex{};
  std::optional<Colour> foreColor{}, backColor{};
  std::optional<Font> font{};
  std::optional<Alignment> alignment{};
  std::optional<bool> visible{}, enabled{};
  std::optional<int> interval{};
};

struct ControlRecord {
  std::string_view name;
  Kind kind;
  std::string_view container;
  int index = -1;  // member of a control array when >= 0
  Settings settings;
};

// A picture of discs on a plain background, in a unit square; drawn at every size asked for.
struct Disc {
  Single x, y, radius;
  Colour colour;
};
struct IconSize {
  int width, height;
};
struct IconPicture {
  Colour background;
  std::span<const Disc> discs;
  std::span<const IconSize> sizes;
};

struct FormRecord {
  std::string_view name;
  std::string_view caption;
  Single clientLeft, clientTop, clientWidth, clientHeight;
  Colour backColor;
  const IconPicture* icon;
  std::span<const ControlRecord> controls;
};

using Handler = void (*)(Form&);

struct Binding {
  std::string_view control;  // the form's own name for Load
  Event event;
  Handler handler;
};

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

// Ends the program at once: no handler runs afterwards, not even for ticks already due.
void End(Form& form);

class Form {
 public:
  enum class Widgets { Qt, None };  // None: properties only, for measuring handlers alone

  explicit Form(const FormRecord& definition, Widgets widgets = Widgets::Qt);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  // The window's outer top-left corner on the screen, in twips.
  Single Left() const;
  Single Top() const;
  void setLeft(Single twips);
  void setTop(Single twips);

  // Wiring; a binding names a control, or the form itself for Load.
  void wire(std::span<const Binding> bindings);

  // Event delivery, the only way into program code: Load runs before the window is first shown.
  void load();
  void fire(Control& control);

  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }
  const FormRecord& definition() const { return definition_; }
  Single twipsPerPixel() const { return twipsPerPixel_; }
  QWidget* window() const;  // null without widgets

  // Binding names to controls once, at start-up; a missing name is a fault of the definition.
  template <class T>
  T& control(std::string_view name) const {
    return checked<T>(find(name, -1), name);
  }
  template <class T>
  ControlArray<T> array(std::string_view name) const {
    std::vector<T*> members;
    for (const auto& c : controls_) {
      if (c->Name() != name || c->Index() < 0) continue;
      if (members.size() <= static_cast<std::size_t>(c->Index())) members.resize(c->Index() + 1);
      members[c->Index()] = &checked<T>(c.get(), name);
    }
    if (members.empty()) missing(name);
    return ControlArray<T>(std::move(members));
  }

 private:
  friend class Timer;
  friend class detail::FormWindow;
  friend void End(Form& form);

  Control* find(std::string_view name, int index) const;
  [[noreturn]] static void missing(std::string_view name);
  template <class T>
  static T& checked(Control* c, std::string_view name) {
    auto* t = dynamic_cast<T*>(c);
    if (!t) missing(name);
    return *t;
  }

  void build();
  void dispatch(Handler handler);
  void fail(const RuntimeError& error);
  void stop(int status);
  void scheduleTimer(Timer& timer);
  void moveWindow();
  void followWindow() const;
  void closedBySomeoneElse();
  void timerFired(int timerId);

  const FormRecord& definition_;
  std::vector<std::unique_ptr<Control>> controls_;  // in creation order
  std::vector<Timer*> timers_;
  std::vector<detail::PictureBoxWidget*> boxes_;
  bool dispatching_ = false;
  Handler load_ = nullptr;
  mutable Single left_, top_;
  Single twipsPerPixel_ = 15;
  bool ended_ = false;
  struct Pixel {
    int x = 0, y = 0;
  };
  mutable Pixel askedFrom_, asked_;  // the window's last move request, in pixels
  int exitStatus_ = 0;
  std::unique_ptr<detail::FormWindow> window_;
  std::unique_ptr<WindowPlace> place_;  // null without widgets
};

}  // namespace rt
