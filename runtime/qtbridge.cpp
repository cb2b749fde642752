// SPDX-License-Identifier: MIT
#include "runtime/qtbridge.h"

#include <QPainter>

namespace rt {

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
