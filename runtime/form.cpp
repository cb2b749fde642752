// SPDX-License-Identifier: MIT
#include "runtime/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include "runtime/accessible.h"
#include "runtime/buttonfont.h"
#include "runtime/errorreport.h"
#include "runtime/faces.h"
#include "runtime/qtbridge.h"
#include "runtime/windowplace.h"

namespace rt {
namespace {

// Closing the window ends the program as End does.
class Closing : public QObject {
 public:
  Closing(QWidget& window, Form& form) : QObject(&window), form_(form) {
    window.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Close) form_.end(0);
    return false;
  }

 private:
  Form& form_;
};

}  // namespace

Form::Form(const FormRecord& definition) : definition_(definition) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    twipsPerPixel_ = static_cast<Single>(1440.0 / screen->logicalDotsPerInchX());
  detail::installAccessibility();
  window_ = std::make_unique<QWidget>();
  QWidget& window = *window_;
  window.setWindowTitle(toQString(definition.caption));
  if (definition.icon) window.setWindowIcon(toQIcon(*definition.icon));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, toQColor(definition.backColor));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(toPixels(definition.clientLeft, definition.clientTop, definition.clientWidth,
                              definition.clientHeight, twipsPerPixel_));
  window.setFixedSize(window.size());
  new Closing(window, *this);
  build();
  place_ = std::make_unique<WindowPlace>(window, definition.clientLeft, definition.clientTop,
                                         twipsPerPixel_);
}

Form::~Form() = default;

void Form::missing(std::string_view name) {
  throw std::logic_error("the window definition has no control named " + std::string(name) +
                         " of the kind asked for");
}

Control* Form::find(std::string_view name) const {
  for (const auto& c : controls_)
    if (c->Name() == name && c->Index() < 0) return c.get();
  return nullptr;
}

void Form::build() {
  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const ControlRecord& record : definition_.controls) {
    PictureBox* box = nullptr;
    if (record.container != definition_.name) box = &control<PictureBox>(record.container);
    QWidget* parent = box ? box->widget() : window_.get();
    switch (record.kind) {
      case Kind::PictureBox:
        controls_.push_back(std::make_unique<PictureBox>(*this, record, parent));
        break;
      case Kind::Label:
        if (!box) missing(record.container);
        controls_.push_back(std::make_unique<Label>(*this, record, *box));
        break;
      case Kind::CommandButton:
        controls_.push_back(std::make_unique<CommandButton>(*this, record, parent));
        break;
      case Kind::Timer:
        controls_.push_back(std::make_unique<Timer>(*this, record, window_.get()));
        timers_.push_back(static_cast<Timer*>(controls_.back().get()));
        break;
    }
    if (QWidget* widget = controls_.back()->widget(); widget && record.settings.tabIndex)
      tabOrder.emplace_back(*record.settings.tabIndex, widget);
  }
  std::stable_sort(tabOrder.begin(), tabOrder.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < tabOrder.size(); ++i) {
    // A screen reader reads the window in the order of its child widgets: the keyboard's order.
    // None of them overlaps another, so raising them changes nothing else.
    tabOrder[i].second->raise();
    if (i > 0) QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
  }
  if (!tabOrder.empty()) tabOrder.front().second->setFocus();
}

void Form::wire(std::span<const Binding> bindings) {
  for (const Binding& b : bindings) {
    if (b.control == definition_.name && b.event == Event::Load) {
      load_ = b.handler;
      continue;
    }
    Control* c = find(b.control);
    const Kind kind = b.event == Event::Click ? Kind::CommandButton : Kind::Timer;
    if (!c || b.event == Event::Load || c->record().kind != kind) missing(b.control);
    c->bind(b.handler);
  }
}

void Form::load() {
  dispatch(load_);
  if (ended_) return;
  window_->show();
  // After the window is mapped, before its first paint: loading fonts earlier delays the window.
  QStringList laterCaptions;
  for (const auto& c : controls_) {
    if (const auto* label = dynamic_cast<const Label*>(c.get()))
      ensureFaceHolds(label->font(), toQString(label->Caption()));
    if (const auto& later = c->record().settings.laterCaption) laterCaptions << toQString(*later);
  }
  fitButtonFont(*window_, laterCaptions);
}

int Form::run() {
  ticking_ = true;
  for (Timer* timer : timers_) timer->sync();
  const int status = ended_ ? exitStatus_ : QApplication::exec();
  ticking_ = false;
  for (Timer* timer : timers_) timer->sync();
  return ended_ ? exitStatus_ : status;
}

void Form::dispatch(Handler handler) {
  if (ended_ || !handler) return;
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

// The report comes first, with every timer stopped and no handler able to run meanwhile; the
// program ends once it has been read.
void Form::fail(const RuntimeError& error) {
  ended_ = true;
  for (Timer* timer : timers_) timer->sync();
  reportError(error, window_.get());
  close(1);
}

void Form::end(int status) {
  if (ended_) return;
  ended_ = true;
  close(status);
}

void Form::close(int status) {
  exitStatus_ = status;
  for (Timer* timer : timers_) timer->sync();
  window_->hide();
  QCoreApplication::exit(status);
}

}  // namespace rt
