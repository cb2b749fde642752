// SPDX-License-Identifier: MIT
// The Qt widgets behind the form and its buttons.
#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>
#include <utility>

#include "runtime/form.h"

namespace rt::detail {

// The form's top-level window: it owns the timers and reports a close made by someone else.
class FormWindow : public QWidget {
  // Its own class name, so that assistive technology gets its own interface for it.
  Q_OBJECT

 public:
  explicit FormWindow(Form& form) : form_(form) {}

  // The widgets that take Tab, in its order: a screen reader reads the window in this order too.
  const QWidgetList& tabStops() const { return tabStops_; }
  void setTabStops(QWidgetList stops) { tabStops_ = std::move(stops); }

 protected:
  void timerEvent(QTimerEvent* event) override { form_.timerFired(event->timerId()); }
  void closeEvent(QCloseEvent* event) override {
    End(form_);
    event->accept();
  }

 private:
  Form& form_;
  QWidgetList tabStops_;
};

// Windows users expect Enter, not only Space, to press the focused button.
class ButtonWidget : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
      return animateClick();
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace rt::detail
