// SPDX-License-Identifier: MIT
// The buttons' captions fit their fixed 41 x 25 px whatever the desktop's text size, read from the
// pixels each button paints. ctest runs this again at scale factors 2 and 1.25.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "tests/support.h"

namespace {

// The box around the pixels where two pictures of the same button differ.
QRect difference(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

QImage picture(QPushButton& b) {
  return b.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Each caption drawn on the button: its ink is as wide and as tall as the caption's own in the
// button's font (nothing cut off), and keeps 2 px clear inside the label's area, off the bevel.
void expectCaptionsFit(const MainForm& form, const QString& desktop) {
  const QString captions[] = {"move", "stop", "date", "end"};
  QPushButton* b = button(form, "move");
  ASSERT_NE(b, nullptr);
  const QString before = b->text();
  b->setText(QString());
  const QImage bare = picture(*b);
  const qreal scale = bare.devicePixelRatio();
  QStyleOptionButton option;
  option.initFrom(b);
  const QRect area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
  const QRect clear(
      QPoint(qRound((area.left() + 2) * scale), qRound((area.top() + 2) * scale)),
      QPoint(qRound((area.right() - 1) * scale) - 1, qRound((area.bottom() - 1) * scale) - 1));
  for (const QString& caption : captions) {
    b->setText(caption);
    const QRect ink = difference(bare, picture(*b));
    const QRect own = QFontMetrics(b->font()).tightBoundingRect(caption);
    const QString at = desktop + ", \"" + caption + "\" at " + b->font().toString() + ": ink " +
                       QString::number(ink.width() / scale) + " px of " +
                       QString::number(own.width()) + " px";
    EXPECT_GE(ink.width() / scale, own.width() - 2) << at.toStdString();
    EXPECT_GE(ink.height() / scale, own.height() - 2) << at.toStdString();
    // Whatever the desktop's hinting does to the ink, it stays within the caption's advance.
    EXPECT_LE(QFontMetricsF(b->font()).horizontalAdvance(caption) * scale, clear.width())
        << at.toStdString();
    EXPECT_TRUE(clear.contains(ink))
        << at.toStdString() << ", inked " << ink.left() << ".." << ink.right() << " x " << ink.top()
        << ".." << ink.bottom() << " of " << clear.left() << ".." << clear.right() << " x "
        << clear.top() << ".." << clear.bottom();
  }
  b->setText(before);
}

struct DesktopFont {
  QFont saved = QApplication::font();
  ~DesktopFont() { QApplication::setFont(saved); }
  void set(qreal points) {
    QFont f = saved;
    f.setPointSizeF(points);
    QApplication::setFont(f);
  }
};

}  // namespace

TEST(ButtonFont, CaptionsFitAtEveryDesktopTextSizeFromStartAndWhenItChanges) {
  DesktopFont desktop;
  const qreal sizes[] = {9, 11, 15, 24};
  for (const qreal points : sizes) {
    desktop.set(points);
    auto form = startMainForm();
    expectCaptionsFit(*form, "desktop at " + QString::number(points) + " pt");
    QTest::mouseClick(button(*form, "move"), Qt::LeftButton);  // the handler's own caption
    ASSERT_NE(button(*form, "stop"), nullptr);
    EXPECT_EQ(button(*form, "stop")->font(), button(*form, "end")->font());
  }

  desktop.set(9);  // the text Qt's default theme gives: it fits as it is
  auto form = startMainForm();
  EXPECT_EQ(button(*form, "end")->font().pointSizeF(), 9);
  for (const qreal points : sizes) {
    desktop.set(points);  // the user changes the desktop's text size while the window is open
    expectCaptionsFit(*form, "changed to " + QString::number(points) + " pt");
  }
}
