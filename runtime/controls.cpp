// SPDX-License-Identifier: MIT
#include "runtime/controls.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "runtime/faces.h"
#include "runtime/form.h"
#include "runtime/playarea.h"
#include "runtime/qtbridge.h"
#include "runtime/translations.h"

namespace rt {
namespace {

// What the definition says to a screen reader, in the user's language; the window's name is the
// translators' context.
QString said(const Form& form, std::string_view text) {
  return translate(std::string(form.name()).c_str(), std::string(text).c_str());
}

QRect place(const Form& form, const Settings& s) {
  return toPixels(s.left.value_or(0), s.top.value_or(0), s.width.value_or(0), s.height.value_or(0),
                  form.twipsPerPixel());
}

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

}  // namespace

void Control::raise() {
  form_.dispatch(handler_);
}

PictureBox::PictureBox(Form& form, const ControlRecord& record, QWidget* parent)
    : Control(form, record),
      left_(record.settings.left.value_or(0)),
      top_(record.settings.top.value_or(0)),
      backColor_(record.settings.backColor.value_or(0)),
      font_(record.settings.font.value_or(Font{})),
      area_(new detail::PlayArea(parent, *this, form.twipsPerPixel())) {
  widget_ = area_;
  const Settings& s = record.settings;
  area_->setGeometry(place(form, s));
  area_->setFont(toQFont(font_));
  if (s.accessibleName) area_->setAccessibleName(said(form, *s.accessibleName));
  if (s.accessibleDescription)
    area_->setAccessibleDescription(said(form, *s.accessibleDescription));
}

Label::Label(Form& form, const ControlRecord& record, PictureBox& container)
    : Control(form, record),
      container_(container),
      left_(record.settings.left.value_or(0)),
      top_(record.settings.top.value_or(0)),
      width_(record.settings.width.value_or(0)),
      height_(record.settings.height.value_or(0)),
      foreColor_(record.settings.foreColor.value_or(0)),
      visible_(record.settings.visible.value_or(true)),
      caption_(record.settings.caption.value_or(std::string_view{})),
      font_(record.settings.font.value_or(container.font())) {
  const Settings& s = record.settings;
  if (!s.accessibleDescription) {
    container.area().add(*this);
    return;
  }
  label_ = new QLabel(toQString(caption_), container.widget());
  label_->setTextFormat(Qt::PlainText);
  label_->setAlignment(Qt::AlignTop |
                       (s.alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft));
  label_->setFont(toQFont(font_));
  label_->setAccessibleDescription(said(form, *s.accessibleDescription));
  label_->setVisible(visible_);
  changed();
}

void Label::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!label_) return changed();
  label_->setVisible(visible);
}

void Label::setCaption(std::string_view text) {
  if (text == caption_) return;
  caption_ = text;
  if (label_) label_->setText(toQString(caption_));
  changed();
}

// A label of its own is placed in its box; text wider than the box is not cut off but widens
// the label on the side away from its alignment.
void Label::changed() {
  if (!label_) return container_.area().changed(*this);
  QPalette palette = label_->palette();
  palette.setColor(QPalette::WindowText, toQColor(foreColor_));
  label_->setPalette(palette);
  QRect box = container_.area().toWidget(left_, top_, width_, height_);
  const int wide = label_->sizeHint().width();
  if (wide > box.width() && label_->alignment() & Qt::AlignRight)
    box.setLeft(box.right() + 1 - wide);
  else if (wide > box.width())
    box.setWidth(wide);
  label_->setGeometry(box);
}

CommandButton::CommandButton(Form& form, const ControlRecord& record, QWidget* parent)
    : Control(form, record),
      caption_(record.settings.caption.value_or(std::string_view{})),
      button_(new ButtonWidget(toQString(caption_), parent)) {
  widget_ = button_;
  button_->setGeometry(place(form, record.settings));
  QObject::connect(button_, &QPushButton::clicked, button_, [this] { raise(); });
}

void CommandButton::setCaption(std::string_view text) {
  if (text == caption_) return;
  caption_ = text;
  button_->setText(toQString(caption_));
}

Timer::Timer(Form& form, const ControlRecord& record, QWidget* owner)
    : Control(form, record),
      interval_(record.settings.interval.value_or(0)),
      enabled_(record.settings.enabled.value_or(true)),
      timer_(new QTimer(owner)) {
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(interval_);
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] { raise(); });
}

void Timer::setEnabled(bool enabled) {
  enabled_ = enabled;
  sync();
}

void Timer::sync() {
  const bool ticks = enabled_ && interval_ > 0 && form_.ticking();
  if (!ticks)
    timer_->stop();
  else if (!timer_->isActive())
    timer_->start();
}

}  // namespace rt
