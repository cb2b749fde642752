// SPDX-License-Identifier: MIT
#include "runtime/form.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "runtime/accessible.h"
#include "runtime/buttonfont.h"
#include "runtime/errorreport.h"
#include "runtime/faces.h"
#include "runtime/pictureboxwidget.h"
#include "runtime/qtbridge.h"
#include "runtime/translations.h"
#include "runtime/widgets.h"
#include "runtime/windowplace.h"

namespace rt {

Form::Form(const FormRecord& definition) : definition_(definition) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    twipsPerPixel_ = static_cast<Single>(1440.0 / screen->logicalDotsPerInchX());
  detail::installAccessibility();
  window_ = std::make_unique<detail::FormWindow>(*this);
  build();
  buildWidgets();
  place_ = std::make_unique<WindowPlace>(*window_, definition.clientLeft, definition.clientTop,
                                         twipsPerPixel_);
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
    auto* container = dynamic_cast<PictureBox*>(find(record.container, -1));
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
}

void Form::buildWidgets() {
  const auto px = [this](Single twips) { return toPixels(twips, twipsPerPixel_); };
  const std::string context(definition_.name);
  const auto said = [&context](const std::optional<std::string_view>& text) {
    return text ? translate(context.c_str(), std::string(*text).c_str()) : QString();
  };
  QWidget& window = *window_;
  window.setWindowTitle(toQString(definition_.caption));
  if (definition_.icon) window.setWindowIcon(toQIcon(*definition_.icon));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, toQColor(definition_.backColor));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(px(definition_.clientLeft), px(definition_.clientTop),
                     px(definition_.clientWidth), px(definition_.clientHeight));
  window.setFixedSize(window.size());

  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const auto& c : controls_) {
    const Settings& s = c->record_.settings;
    auto* container = dynamic_cast<PictureBox*>(find(c->record_.container, -1));
    QWidget* parent = container ? static_cast<QWidget*>(container->widget_) : &window;
    QWidget* widget = nullptr;
    if (auto* box = dynamic_cast<PictureBox*>(c.get())) {
      box->widget_ = new detail::PictureBoxWidget(parent, *box, twipsPerPixel_);
      box->widget_->setFont(toQFont(box->font_));
      widget = box->widget_;
    } else if (auto* label = dynamic_cast<Label*>(c.get())) {
      label->container_.widget_->add(*label, said(s.accessibleDescription));
    } else if (auto* button = dynamic_cast<CommandButton*>(c.get())) {
      button->widget_ = new detail::ButtonWidget(toQString(button->caption_), parent);
      QObject::connect(button->widget_, &QPushButton::clicked, button->widget_,
                       [this, button] { fire(*button); });
      widget = button->widget_;
    } else if (auto* timer = dynamic_cast<Timer*>(c.get())) {
      scheduleTimer(*timer);
    }
    if (!widget) continue;
    if (s.accessibleName) widget->setAccessibleName(said(s.accessibleName));
    if (s.accessibleDescription) widget->setAccessibleDescription(said(s.accessibleDescription));
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
  // A screen reader reads the window in the order of its child widgets: the keyboard's order.
  // None of them overlaps another, so raising them changes nothing else.
  for (QWidget* widget : order) widget->raise();
  if (!order.isEmpty()) order.front()->setFocus();
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
  if (ended_) return;
  window_->show();
  // After the window is mapped, before its first paint: loading fonts earlier delays the window.
  QStringList laterCaptions;
  for (const auto& c : controls_) {
    if (const auto* label = dynamic_cast<const Label*>(c.get()))
      ensureFaceHolds(label->font(), toQString(label->Caption()));
    if (const std::optional<std::string_view>& later = c->record_.settings.laterCaption)
      laterCaptions << toQString(*later);
  }
  fitButtonFont(*window_, laterCaptions);
}

void Form::fire(Control& control) {
  if (control.handler_) dispatch(control.handler_);
}

void Form::dispatch(Handler handler) {
  if (ended_) return;
  try {
    handler(*this);
  } catch (const RuntimeError& error) {
    fail(error);
  } catch (const std::bad_alloc&) {
    fail(kOutOfMemory);
  }
}

Single Form::Left() const {
  return place_->left();
}

Single Form::Top() const {
  return place_->top();
}

void Form::setLeft(Single twips) {
  place_->put(twips, place_->top());
}

void Form::setTop(Single twips) {
  place_->put(place_->left(), twips);
}

void End(Form& form) {
  if (form.ended_) return;
  form.ended_ = true;
  form.close(0);
}

// The report comes first, with every timer stopped and no handler able to run meanwhile; the
// program ends once it has been read.
void Form::fail(const RuntimeError& error) {
  if (ended_) return;
  ended_ = true;
  for (Timer* timer : timers_) scheduleTimer(*timer);
  reportError(error, window_.get());
  close(1);
}

void Form::close(int status) {
  exitStatus_ = status;
  for (Timer* timer : timers_) scheduleTimer(*timer);
  window_->hide();
  QCoreApplication::exit(status);
}

// A timer runs while it is enabled, has an interval and the program has not ended.
void Form::scheduleTimer(Timer& timer) {
  if (timer.timerId_) window_->killTimer(timer.timerId_);
  timer.timerId_ = 0;
  if (timer.enabled_ && timer.interval_ > 0 && !ended_)
    timer.timerId_ = window_->startTimer(timer.interval_, Qt::PreciseTimer);
}

void Form::timerFired(int timerId) {
  for (Timer* timer : timers_)
    if (timer->timerId_ == timerId) return fire(*timer);
}

}  // namespace rt
