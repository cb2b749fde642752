#include "runtime/forms.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStaticText>
#include <QWidget>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <utility>

#include "runtime/qtbridge.h"
#include "runtime/x11.h"

namespace rt {
namespace detail {

// The form's top-level window: it owns the timers and reports a close made by someone else.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form) : form_(form) {}

 protected:
  void timerEvent(QTimerEvent* event) override { form_.timerFired(event->timerId()); }
  void closeEvent(QCloseEvent* event) override {
    form_.closedBySomeoneElse();
    event->accept();
  }

 private:
  Form& form_;
};

// A picture box paints its windowless labels itself: one widget, one paint pass per frame.
// While a handler runs, changes are only noted; when it returns, the areas the changed labels
// left and took are merged where they touch, and each merged area is repainted once: a moving
// trail of overlapping dots asks for one rectangle, not a region of seven.
class PictureBoxWidget : public QFrame {
 public:
  enum Change { Place = 1, Look = 2, Text = 4 };

  PictureBoxWidget(QWidget* parent, const PictureBox& box, Single twipsPerPixel,
                   const bool& deferring)
      : QFrame(parent), box_(box), twipsPerPixel_(twipsPerPixel), deferring_(deferring) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The noted areas are painted when the event loop wakes next, which for a tick is as soon as
    // the timers due have all run: one paint for all of them, and no event posted to ask for it.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this,
            &PictureBoxWidget::paintNoted);
  }

  void add(const Label& label) {
    QFont font = toQFont(label.font());
    for (const auto& item : items_)
      if (item.font == font) font = item.font;  // shared, so telling fonts apart is cheap
    items_.push_back({&label, {}, {}, {}, font, 0});
    items_.back().text.setPerformanceHint(QStaticText::AggressiveCaching);
    refresh(items_.back(), Place | Text);
  }

  void changed(const Label& label, Change change) {
    for (auto& item : items_) {
      if (item.label != &label) continue;
      if (!deferring_) {
        refresh(item, change);
        return;
      }
      pending_ |= item.changes == 0;
      item.changes |= change;
      return;
    }
  }

  void flush() {
    if (!pending_) return;
    pending_ = false;
    for (auto& item : items_) {
      if (item.changes) refresh(item, std::exchange(item.changes, 0));
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(contentsRect() & event->rect(), toQColor(box_.BackColor()));
    const QFont* font = nullptr;
    for (const auto& item : items_) {
      if (!item.label->Visible() || !event->region().intersects(item.drawn)) continue;
      painter.setClipRect(item.drawn & contentsRect());
      if (!font || !(*font == item.font)) {
        font = &item.font;
        painter.setFont(*font);
      }
      painter.setPen(toQColor(item.label->ForeColor()));
      painter.drawStaticText(textOrigin(item, item.box), item.text);
    }
    painter.setClipping(false);
    if (!contentsRect().contains(event->rect())) drawFrame(&painter);
  }

 private:
  struct Item {
    const Label* label;
    QRect box;    // the label's own rectangle
    QRect drawn;  // the box and the text that overflows it, as last painted
    QStaticText text;
    QFont font;
    int changes;  // noted while a handler runs
  };

  // Text starts at the box's top, aligned within its width; text wider than the box is not cut
  // off but overflows on the side away from the alignment.
  QPoint textOrigin(const Item& item, const QRect& box) const {
    const int slack = box.width() - qCeil(item.text.size().width());
    switch (item.label->alignment()) {
      case Alignment::Right:
        return box.topLeft() + QPoint(slack, 0);
      case Alignment::Center:
        return box.topLeft() + QPoint(slack / 2, 0);
      case Alignment::Left:
        break;
    }
    return box.topLeft();
  }

  void refresh(Item& item, int changes) {
    const Label& l = *item.label;
    // Until the window is first shown, text is not laid out: that would load fonts ahead of the
    // window's mapping. The first paint lays it out.
    const bool shown = isVisible();
    if (changes & Text) {
      const QString text = QString::fromStdString(l.Caption());
      if (item.text.text() != text) {
        item.text.setText(text);
        if (shown) item.text.prepare(QTransform(), item.font);
      }
    }
    const QRect box(
        contentsRect().topLeft() +
            QPoint(toPixels(l.Left(), twipsPerPixel_), toPixels(l.Top(), twipsPerPixel_)),
        QSize(toPixels(l.Width(), twipsPerPixel_), toPixels(l.Height(), twipsPerPixel_)));
    if (changes == Place && box == item.box) return;  // moved within its pixel
    const QRect drawn = shown
                            ? box | QRect(textOrigin(item, box),
                                          QSize(qCeil(item.text.size().width()) + 1, box.height()))
                            : box;
    if (drawn.intersects(item.drawn)) {
      invalidate(drawn | item.drawn);
    } else {
      invalidate(item.drawn);
      invalidate(drawn);
    }
    item.box = box;
    item.drawn = drawn;
  }

  // Notes an area inside the frame to repaint, merged with any noted area it touches.
  void invalidate(QRect area) {
    area &= contentsRect();
    if (area.isEmpty()) return;
    for (auto it = dirty_.begin(); it != dirty_.end();) {
      if (it->intersects(area)) {
        area |= *it;
        dirty_.erase(it);
        it = dirty_.begin();  // the larger area may now touch one passed over
      } else {
        ++it;
      }
    }
    dirty_.push_back(area);
  }

  void paintNoted() {
    if (dirty_.empty()) return;
    QRegion region;
    for (const QRect& area : dirty_) region += area;
    dirty_.clear();
    repaint(region);
  }

  const PictureBox& box_;
  Single twipsPerPixel_;
  const bool& deferring_;
  bool pending_ = false;
  std::vector<Item> items_;   // creation order: the last created is drawn on top
  std::vector<QRect> dirty_;  // noted areas, not yet painted
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

}  // namespace detail

namespace {

template <class T>
T setting(const std::optional<T>& value, T fallback) {
  return value ? *value : fallback;
}

const Font kDefaultFont{};  // the window's: Qt's application font

}  // namespace

Label::Label(Form& form, const ControlRecord& record, PictureBox& container)
    : Control(form, record),
      container_(container),
      left_(setting<Single>(record.settings.left, 0)),
      top_(setting<Single>(record.settings.top, 0)),
      width_(setting<Single>(record.settings.width, 0)),
      height_(setting<Single>(record.settings.height, 0)),
      foreColor_(setting<Colour>(record.settings.foreColor, 0)),
      visible_(setting(record.settings.visible, true)),
      caption_(setting<std::string_view>(record.settings.caption, {})),
      font_(setting(record.settings.font, container.font())),
      alignment_(setting(record.settings.alignment, Alignment::Left)) {}

void Label::setLeft(Single twips) {
  if (twips == left_) return;
  left_ = twips;
  container_.changed(*this, detail::PictureBoxWidget::Place);
}

void Label::setTop(Single twips) {
  if (twips == top_) return;
  top_ = twips;
  container_.changed(*this, detail::PictureBoxWidget::Place);
}

void Label::setForeColor(Colour colour) {
  if (colour == foreColor_) return;
  foreColor_ = colour;
  container_.changed(*this, detail::PictureBoxWidget::Look);
}

void Label::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  container_.changed(*this, detail::PictureBoxWidget::Look);
}

void Label::setCaption(std::string_view text) {
  if (text == caption_) return;
  caption_ = text;
  container_.changed(*this, detail::PictureBoxWidget::Text);
}

PictureBox::PictureBox(Form& form, const ControlRecord& record)
    : Control(form, record),
      left_(setting<Single>(record.settings.left, 0)),
      top_(setting<Single>(record.settings.top, 0)),
      width_(setting<Single>(record.settings.width, 0)),
      height_(setting<Single>(record.settings.height, 0)),
      backColor_(setting<Colour>(record.settings.backColor, 0)),
      font_(setting(record.settings.font, kDefaultFont)) {}

void PictureBox::changed(const Label& label, int change) {
  if (widget_) widget_->changed(label, static_cast<detail::PictureBoxWidget::Change>(change));
}

CommandButton::CommandButton(Form& form, const ControlRecord& record)
    : Control(form, record), caption_(setting<std::string_view>(record.settings.caption, {})) {}

void CommandButton::setCaption(std::string_view text) {
  if (text == caption_) return;
  caption_ = text;
  if (widget_) widget_->setText(QString::fromStdString(caption_));
}

Timer::Timer(Form& form, const ControlRecord& record)
    : Control(form, record),
      interval_(setting(record.settings.interval, 0)),
      enabled_(setting(record.settings.enabled, true)) {}

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  form_.scheduleTimer(*this);
}

Form::Form(const FormRecord& definition, Widgets widgets)
    : definition_(definition), left_(definition.clientLeft), top_(definition.clientTop) {
  if (widgets == Widgets::Qt) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      twipsPerPixel_ = static_cast<Single>(1440.0 / screen->logicalDotsPerInchX());
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
      label->container_.widget_->add(*label);
    } else if (auto* button = dynamic_cast<CommandButton*>(c.get())) {
      button->widget_ = new detail::ButtonWidget(QString::fromStdString(button->caption_), parent);
      QObject::connect(button->widget_, &QPushButton::clicked, button->widget_,
                       [this, button] { fire(*button); });
      widget = button->widget_;
    } else if (auto* timer = dynamic_cast<Timer*>(c.get())) {
      scheduleTimer(*timer);
    }
    if (!widget) continue;
    widget->setGeometry(px(setting<Single>(s.left, 0)), px(setting<Single>(s.top, 0)),
                        px(setting<Single>(s.width, 0)), px(setting<Single>(s.height, 0)));
    widget->setVisible(setting(s.visible, true));
    if (s.tabIndex) tabOrder.emplace_back(*s.tabIndex, widget);
  }
  std::sort(tabOrder.begin(), tabOrder.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabOrder.size(); ++i)
    QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
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

void Form::fail(const RuntimeError& error) {
  stop(1);
  const std::string text = "Run-time error '" + std::to_string(error.number) + "':";
  std::fprintf(stderr, "%s %.*s\n", text.c_str(), static_cast<int>(error.description.size()),
               error.description.data());
  std::fflush(stderr);
  const QString platform = QGuiApplication::platformName();
  if (window_ && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
    QMessageBox::critical(nullptr, window_->windowTitle(),
                          QString::fromStdString(text) + QStringLiteral("\n\n") +
                              QString::fromUtf8(error.description.data(),
                                                static_cast<int>(error.description.size())));
  }
}

void End(Form& form) {
  form.stop(0);
}

void Form::stop(int status) {
  if (ended_) return;
  ended_ = true;
  exitStatus_ = status;
  if (!window_) return;
  for (Timer* timer : timers_) {
    if (timer->timerId_) window_->killTimer(timer->timerId_);
    timer->timerId_ = 0;
  }
  window_->hide();
  QCoreApplication::exit(status);
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

void Form::setLeft(Single twips) {
  followWindow();
  left_ = twips;
  moveWindow();
}

void Form::setTop(Single twips) {
  followWindow();
  top_ = twips;
  moveWindow();
}

void Form::moveWindow() {
  if (!place_) return;
  const Pixel to{toPixels(left_, twipsPerPixel_), toPixels(top_, twipsPerPixel_)};
  if (to.x == asked_.x && to.y == asked_.y) return;
  const QPoint from = place_->pos();
  askedFrom_ = {from.x(), from.y()};
  asked_ = to;
  place_->move({to.x, to.y});
}

Single Form::Left() const {
  followWindow();
  return left_;
}

Single Form::Top() const {
  followWindow();
  return top_;
}

// The window is where the program put it, exactly, unless someone else (the window manager
// placing and framing it, the user dragging it) moved it elsewhere: then a read returns that
// place. A window manager that moves it less far than asked, or not at all, is not someone else
// moving it: the program goes on from the place it asked for, so that a clamped edge cannot hold
// it forever.
void Form::followWindow() const {
  if (!place_) return;
  const QPoint at = place_->pos();
  const int x = at.x();
  const int y = at.y();
  const auto between = [](int v, int a, int b) {
    return std::min(a, b) <= v && v <= std::max(a, b);
  };
  if (between(x, askedFrom_.x, asked_.x) && between(y, askedFrom_.y, asked_.y)) return;
  left_ = static_cast<Single>(x) * twipsPerPixel_;
  top_ = static_cast<Single>(y) * twipsPerPixel_;
  askedFrom_ = asked_ = {x, y};
}

void Form::closedBySomeoneElse() {
  stop(0);
}

}  // namespace rt
