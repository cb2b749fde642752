// SPDX-License-Identifier: MIT
#include "runtime/form.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "runtime/accessible.h"
#include "runtime/errorreport.h"
#include "runtime/pictureboxwidget.h"
#include "runtime/qtbridge.h"
#include "runtime/widgets.h"
#include "runtime/x11.h"

namespace rt {

Form::Form(const FormRecord& definition, Widgets widgets)
    : definition_(definition), left_(definition.clientLeft), top_(definition.clientTop) {
  if (widgets == Widgets::Qt) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      twipsPerPixel_ = static_cast<Single>(1440.0 / screen->logicalDotsPerInchX());
    detail::installAccessibility();
    window_ = std::make_unique<detail::FormWindow>(*this);
    place_ = std::make_unique<WindowPlace>(*window_);
  }
  build();
}

Form::~Form() = default;

QWidget* Form::window() const {
  return window_.get();
}

void Form::missing(std::string_view name) {
  throw std::logic_error("the window definition has no control named " + std::string(name) +
                         " of the kind asked for");
}

Control* Form::find(std::string_view name, int index) const {
  for (const auto& c : controls_)
    if (c->Name() == name && c->Index() == index) return c.get();
  return nullptr;
}

void Form::build() {
  for (const ControlRecord& record : definition_.controls) {
    auto* container = record.container == definition_.name
                          ? nullptr
                          : dynamic_cast<PictureBox*>(find(record.container, -1));
    if (record.container != definition_.name && !container) missing(record.container);
    switch (record.kind) {
      case Kind::PictureBox:
        controls_.push_back(std::make_unique<PictureBox>(*this, record));
        break;
      case Kind::Label:
        if (!container) missing(record.container);
        controls_.push_back(std::make_unique<Label>(*this, record, *container));
        break;
      case Kind::CommandButton:
        controls_.push_back(std::make_unique<CommandButton>(*this, record));
        break;
      case Kind::Timer:
        controls_.push_back(std::make_unique<Timer>(*this, record));
        timers_.push_back(static_cast<Timer*>(controls_.back().get()));
        break;
    }
  }
  if (!window_) return;

  const auto px = [this](Single twips) { return toPixels(twips, twipsPerPixel_); };
  QWidget& window = *window_;
  window.setWindowTitle(
      QString::fromUtf8(definition_.caption.data(), static_cast<int>(definition_.caption.size())));
  if (definition_.icon) window.setWindowIcon(toQIcon(*definition_.icon));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, toQColor(definition_.backColor));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(px(definition_.clientLeft), px(definition_.clientTop),
                     px(definition_.clientWidth), px(definition_.clientHeight));
  window.setFixedSize(window.size());
  askedFrom_ = asked_ = {window.x(), window.y()};

  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const auto& c : controls_) {
    const Settings& s = c->record_.settings;
    QWidget* parent = c->record_.container == definition_.name
                          ? &window
                          : static_cast<QWidget*>(
                                dynamic_cast<PictureBox&>(*find(c->record_.container, -1)).widget_);
    QWidget* widget = nullptr;
    if (auto* box = dynamic_cast<PictureBox*>(c.get())) {
      box->widget_ = new detail::PictureBoxWidget(parent, *box, twipsPerPixel_, dispatching_);
      boxes_.push_back(box->widget_);
      box->widget_->setFont(toQFont(box->font_));
      widget = box->widget_;
    } else if (auto* label = dynamic_cast<Label*>(c.get())) {
      label->container_.widget_->add(*label, toQString(s.accessibleDescription.value_or("")));
    } else if (auto* button = dynamic_cast<CommandButton*>(c.get())) {
      button->widget_ = new detail::ButtonWidget(QString::fromStdString(button->caption_), parent);
      QObject::connect(button->widget_, &QPushButton::clicked, button->widget_,
                       [this, button] { fire(*button); });
      widget = button->widget_;
    } else if (auto* timer = dynamic_cast<Timer*>(c.get())) {
      scheduleTimer(*timer);
    }
    if (!widget) continue;
    if (s.accessibleName) widget->setAccessibleName(toQString(*s.accessibleName));
    if (s.accessibleDescription)
      widget->setAccessibleDescription(toQString(*s.accessibleDescription));
    widget->setGeometry(px(s.left.value_or(0)), px(s.top.value_or(0)), px(s.width.value_or(0)),
                        px(s.height.value_or(0)));
    widget->setVisible(s.visible.value_or(true));
    if (s.tabIndex) tabOrder.emplace_back(*s.tabIndex, widget);
  }
  std::sort(tabOrder.begin(), tabOrder.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidgetList order;
  for (const auto& [index, widget] : tabOrder) order.append(widget);
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  window_->setTabStops(order);
  if (!tabOrder.empty()) tabOrder.front().second->setFocus();
}

void Form::wire(std::span<const Binding> bindings) {
  for (const Binding& b : bindings) {
    if (b.control == definition_.name && b.event == Event::Load) {
      load_ = b.handler;
      continue;
    }
    Control* c = find(b.control, -1);
    const bool fits = c && ((b.event == Event::Click && c->kind() == Kind::CommandButton) ||
                            (b.event == Event::Timer && c->kind() == Kind::Timer));
    if (!fits) missing(b.control);
    c->handler_ = b.handler;
  }
}

void Form::load() {
  if (load_) dispatch(load_);
  if (window_ && !ended_) {
    window_->show();
  }
}

void Form::fire(Control& control) {
  if (control.handler_) dispatch(control.handler_);
}

void Form::dispatch(Handler handler) {
  if (ended_) return;
  dispatching_ = true;
  try {
    handler(*this);
  } catch (const RuntimeError& error) {
    dispatching_ = false;
    fail(error);
  } catch (const std::bad_alloc&) {
    dispatching_ = false;
    fail({7, "Out of memory"});
  }
  dispatching_ = false;
  for (detail::PictureBoxWidget* box : boxes_) box->flush();
}

// The report comes first, with every timer stopped and no handler able to run meanwhile; the
// program ends once it has been read.
void Form::fail(const RuntimeError& error) {
  if (ended_) return;
  halt(1);
  reportError(error, window_.get());
  quit();
}

void End(Form& form) {
  form.stop(0);
}

void Form::stop(int status) {
  if (ended_) return;
  halt(status);
  quit();
}

void Form::halt(int status) {
  ended_ = true;
  exitStatus_ = status;
  if (!window_) return;
  for (Timer* timer : timers_) {
    if (timer->timerId_) window_->killTimer(timer->timerId_);
    timer->timerId_ = 0;
  }
}

void Form::quit() {
  if (!window_) return;
  window_->hide();
  QCoreApplication::exit(exitStatus_);
}

void Form::scheduleTimer(Timer& timer) {
  if (!window_) return;
  if (timer.timerId_) window_->killTimer(timer.timerId_);
  timer.timerId_ = 0;
  if (timer.enabled_ && timer.interval_ > 0 && !ended_)
    timer.timerId_ = window_->startTimer(timer.interval_, Qt::PreciseTimer);
}

void Form::timerFired(int timerId) {
  for (Timer* timer : timers_)
    if (timer->timerId_ == timerId) return fire(*timer);
}

void Form::closedBySomeoneElse() {
  stop(0);
}

}  // namespace rt
