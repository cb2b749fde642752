// SPDX-License-Identifier: MIT
#include "runtime/buttonfont.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdlib>

namespace rt {
namespace {

constexpr qreal kSmallestPoints = 6;
constexpr int kSmallestPixels = 8;
// Pixels kept clear inside the label's area, so that no caption touches the bevel.
constexpr int kClear = 2;

// Whether the caption's text, laid out as the style lays out a button's label, fits the label's
// area with room to spare: text wider or taller than that area is cut at its edges.
bool fits(const QPushButton& button, const QFont& font, const QString& caption) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.fontMetrics = QFontMetrics(font);
  option.text = caption;
  if (button.autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
  if (button.isDefault()) option.features |= QStyleOptionButton::DefaultButton;
  if (button.isFlat()) option.features |= QStyleOptionButton::Flat;
  const QStyle* style = button.style();
  const QRect area = style->subElementRect(QStyle::SE_PushButtonContents, &option, &button)
                         .adjusted(kClear, kClear, -kClear, -kClear);
  // A pressed button may shift its label by a few pixels.
  const int shiftX =
      std::abs(style->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, &button));
  const int shiftY = std::abs(style->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, &button));
  const QSizeF text = QFontMetricsF(font).size(Qt::TextShowMnemonic, caption);
  return text.width() <= area.width() - shiftX && text.height() <= area.height() - shiftY;
}

// One step smaller, or false at the smallest size still readable.
bool shrink(QFont& font) {
  if (font.pointSizeF() > 0) {
    if (font.pointSizeF() <= kSmallestPoints) return false;
    font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() - 0.5));
    return true;
  }
  if (font.pixelSize() <= kSmallestPixels) return false;
  font.setPixelSize(font.pixelSize() - 1);
  return true;
}

class CaptionFit : public QObject {
 public:
  CaptionFit(QWidget& window, QStringList laterCaptions)
      : QObject(&window), window_(window), laterCaptions_(std::move(laterCaptions)) {
    fit();
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == &window_ && (type == QEvent::ApplicationFontChange ||
                                type == QEvent::ThemeChange || type == QEvent::StyleChange))
      fit();
    return false;
  }

 private:
  void fit() {
    const QList<QPushButton*> buttons = window_.findChildren<QPushButton*>();
    if (buttons.isEmpty()) return;
    QStringList captions = laterCaptions_;
    for (const QPushButton* button : buttons) captions << button->text();
    QFont font = QApplication::font(buttons.front());  // the desktop's, for buttons
    const auto allFit = [&] {
      for (const QPushButton* button : buttons)
        for (const QString& caption : captions)
          if (!fits(*button, font, caption)) return false;
      return true;
    };
    while (!allFit() && shrink(font)) {
    }
    if (window_.font() != font) window_.setFont(font);
  }

  QWidget& window_;
  QStringList laterCaptions_;
};

}  // namespace

void fitButtonFont(QWidget& window, const QStringList& laterCaptions) {
  new CaptionFit(window, laterCaptions);  // owned by the window
}

}  // namespace rt
