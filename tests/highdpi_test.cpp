// SPDX-License-Identifier: MIT
// The window at any scale: everything in twips scales together, text is drawn at full resolution.
// ctest runs this again with QT_SCALE_FACTOR set to 2 and to 1.25 (a logical DPI of 120).
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support.h"

TEST(HighDpi, TheWindowKeepsItsProportionsAndDrawsAtFullResolution) {
  auto form = startMainForm();
  const QImage image = grabWindow(*form);
  const qreal scale = image.devicePixelRatio();
  saveArtifact(image, "startup-x" + QString::number(scale).toStdString() + ".png");

  EXPECT_EQ(windowOf(*form)->size(), QSize(279, 294));  // in device-independent pixels
  EXPECT_EQ(image.size(), QSize(qRound(279 * scale), qRound(294 * scale)));
  EXPECT_EQ(playArea(*form)->geometry(), QRect(8, 8, 265, 249));
  EXPECT_EQ(button(*form, "end")->geometry(), QRect(120, 264, 41, 25));

  // The head dot covers the same share of its box at every scale: drawn, not stretched.
  const int covered = pixelsOfColour(*form, image, 11720800, 2280, 1320, 240, 240);
  EXPECT_GT(covered, 20);
  int physical = 0;
  const QPoint origin =
      playArea(*form)->mapTo(windowOf(*form), playArea(*form)->contentsRect().topLeft());
  const QRect box(qRound((origin.x() + 152) * scale), qRound((origin.y() + 88) * scale),
                  qRound(16 * scale), qRound(16 * scale));
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      physical += image.pixelColor(x, y) == QColor(96, 216, 178);
  EXPECT_NEAR(physical / (scale * scale), 0.0 + covered, covered * 0.35);
}
