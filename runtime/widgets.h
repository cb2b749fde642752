// SPDX-License-Identifier: MIT
// The Qt widgets behind the form and its buttons.
#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "runtime/form.h"

namespace rt::detail {

// The form's top-level window: it owns the timers, and closing it ends the program.
class FormWindow : public QWidget {
  // Its own class name, so that a screen reader is told it is a window.
  Q_OBJECT

 public:
  explicit FormWindow(Form& form) : form_(form) {}

 protected:
  void timerEvent(QTimerEvent* event) override { form_.timerFired(event->timerId()); }
  void closeEvent(QCloseEvent* event) override {
    End(form_);
    event->accept();
  }

 private:
  Form& form_;
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
