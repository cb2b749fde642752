// SPDX-License-Identifier: MIT
#include "runtime/controls.h"

#include "runtime/form.h"
#include "runtime/pictureboxwidget.h"
#include "runtime/widgets.h"

namespace rt {
namespace {

const Font kDefaultFont{};  // the window's: Qt's application font

}  // namespace

Label::Label(Form& form, const ControlRecord& record, PictureBox& container)
    : Control(form, record),
      container_(container),
      left_(record.settings.left.value_or(Single{0})),
      top_(record.settings.top.value_or(Single{0})),
      width_(record.settings.width.value_or(Single{0})),
      height_(record.settings.height.value_or(Single{0})),
      foreColor_(record.settings.foreColor.value_or(Colour{0})),
      visible_(record.settings.visible.value_or(true)),
      caption_(record.settings.caption.value_or(std::string_view{})),
      font_(record.settings.font.value_or(container.font())),
      alignment_(record.settings.alignment.value_or(Alignment::Left)) {}

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
      left_(record.settings.left.value_or(Single{0})),
      top_(record.settings.top.value_or(Single{0})),
      width_(record.settings.width.value_or(Single{0})),
      height_(record.settings.height.value_or(Single{0})),
      backColor_(record.settings.backColor.value_or(Colour{0})),
      font_(record.settings.font.value_or(kDefaultFont)) {}

void PictureBox::changed(const Label& label, int change) {
  widget_->changed(label, static_cast<detail::PictureBoxWidget::Change>(change));
}

CommandButton::CommandButton(Form& form, const ControlRecord& record)
    : Control(form, record), caption_(record.settings.caption.value_or(std::string_view{})) {}

void CommandButton::setCaption(std::string_view text) {
  if (text == caption_) return;
  caption_ = text;
  widget_->setText(QString::fromStdString(caption_));
}

Timer::Timer(Form& form, const ControlRecord& record)
    : Control(form, record),
      interval_(record.settings.interval.value_or(0)),
      enabled_(record.settings.enabled.value_or(true)) {}

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  form_.scheduleTimer(*this);
}

}  // namespace rt
