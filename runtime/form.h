// SPDX-License-Identifier: MIT
// A window built from its definition: it owns the controls, delivers events to plain handler
// functions one at a time, runs the timers, and ends the program.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"

class QWidget;

namespace rt {

class WindowPlace;
namespace detail {
class FormWindow;
}  // namespace detail

// Ends the program at once: no handler runs afterwards, not even for ticks already due.
void End(Form& form);

class Form {
 public:
  explicit Form(const FormRecord& definition);
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
  QWidget* window() const;

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
  void buildWidgets();
  void dispatch(Handler handler);
  void fail(const RuntimeError& error);
  void close(int status);
  void scheduleTimer(Timer& timer);
  void timerFired(int timerId);

  const FormRecord& definition_;
  Single twipsPerPixel_ = 15;
  std::vector<std::unique_ptr<Control>> controls_;  // in creation order
  std::vector<Timer*> timers_;
  Handler load_ = nullptr;
  bool ended_ = false;
  int exitStatus_ = 0;
  std::unique_ptr<detail::FormWindow> window_;
  std::unique_ptr<WindowPlace> place_;
};

}  // namespace rt
