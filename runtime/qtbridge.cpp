// SPDX-License-Identifier: MIT
#include "runtime/qtbridge.h"

#include <QApplication>
#include <QPainter>

namespace rt {

QFont toQFont(const Font& font) {
  QFont f = QApplication::font();
  if (font.face.empty()) return f;
  f.setFamily(QString::fromUtf8(font.face.data(), static_cast<int>(font.face.size())));
  f.setPointSizeF(font.points);
  f.setWeight(static_cast<QFont::Weight>(font.weight));
  // Whole-pixel hinting, as the classic runtime drew text. Light hinting would start FreeType's
  // autohinter, which loads hundreds of glyphs of a CJK face (1.5 MB of it resident) to size its
  // zones.
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QImage renderIcon(const IconPicture& picture, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(toQColor(picture.background));
  QPainter painter(&image);
  painter.setPen(Qt::NoPen);
  const qreal scale = std::min(width, height);
  for (const Disc& disc : picture.discs) {
    painter.setBrush(toQColor(disc.colour));
    painter.drawEllipse(QPointF(qreal{disc.x} * width, qreal{disc.y} * height), disc.radius * scale,
                        disc.radius * scale);
  }
  return image;
}

QIcon toQIcon(const IconPicture& picture) {
  QIcon icon;
  for (const IconSize& size : picture.sizes)
    icon.addPixmap(QPixmap::fromImage(renderIcon(picture, size.width, size.height)));
  return icon;
}

}  // namespace rt
