// SPDX-License-Identifier: MIT
// Where the forms layer's units meet Qt's: twips to pixels, 0x00BBGGRR to QColor, text to
// QString, disc pictures to images. Font records are faces.h's.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>
#include <cmath>
#include <string_view>

#include "runtime/records.h"

namespace rt {

// Positions stay exact in twips; only drawing snaps them to the pixel grid.
inline int toPixels(Single twips, Single twipsPerPixel) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

inline QRect toPixels(Single left, Single top, Single width, Single height, Single twipsPerPixel) {
  return {toPixels(left, twipsPerPixel), toPixels(top, twipsPerPixel),
          toPixels(width, twipsPerPixel), toPixels(height, twipsPerPixel)};
}

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Drawn without smoothing, so that only the picture's own colours appear.
QImage renderIcon(const IconPicture& picture, int width, int height);
QIcon toQIcon(const IconPicture& picture);

}  // namespace rt
