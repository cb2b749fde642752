// SPDX-License-Identifier: MIT
// A window built from its definition: it builds and owns the controls, wires their events to
// plain handler functions and runs those one at a time, and ends the program.
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/controls.h"

namespace rt {

class WindowPlace;

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

  // A binding names a control, or the form itself for Load.
  void wire(std::span<const Binding> bindings);
  // Raises Load, then shows the window.
  void load();
  // Starts the enabled timers and runs the message loop until the program ends; its status.
  int run();
  // Runs a handler unless the program has ended; an error in it ends the program.
  void dispatch(Handler handler);
  // Ends the program with this status: no handler runs afterwards.
  void end(int status);

  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }
  bool ticking() const { return ticking_ && !ended_; }
  std::string_view name() const { return definition_.name; }
  Single twipsPerPixel() const { return twipsPerPixel_; }

  // Binding names to controls once, at start-up; a missing name is a fault of the definition.
  template <class T>
  T& control(std::string_view name) const {
    return checked<T>(find(name), name);
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
  Control* find(std::string_view name) const;
  [[noreturn]] static void missing(std::string_view name);
  template <class T>
  static T& checked(Control* c, std::string_view name) {
    auto* t = dynamic_cast<T*>(c);
    if (!t) missing(name);
    return *t;
  }
  void build();
  void fail(const RuntimeError& error);
  void close(int status);

  const FormRecord& definition_;
  Single twipsPerPixel_ = 15;
  std::unique_ptr<QWidget> window_;
  std::vector<std::unique_ptr<Control>> controls_;  // in creation order
  std::vector<Timer*> timers_;
  std::unique_ptr<WindowPlace> place_;
  Handler load_ = nullptr;
  bool ticking_ = false, ended_ = false;
  int exitStatus_ = 0;
};

// Ends the program at once: no handler runs afterwards, not even for ticks already due.
inline void End(Form& form) {
  form.end(0);
}

}  // namespace rt
