// SPDX-License-Identifier: MIT
// Writes the theme icons from the window's own icon picture, so that every size and the
// scalable one show the same discs; or the Windows icon file with all of those sizes in it.
// Usage: tavimo-icons OUTPUT_DIR NAME | tavimo-icons --ico FILE
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <QtEndian>
#include <cstdio>
#include <iterator>

#include "mainform/mainform.h"
#include "runtime/qtbridge.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

QString hexColour(rt::Colour c) {
  return rt::toQColor(c).name();
}

bool writeSvg(const rt::IconPicture& picture, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  constexpr int kSide = 256;
  QTextStream svg(&file);
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSide << "\" height=\"" << kSide
      << "\" viewBox=\"0 0 " << kSide << ' ' << kSide << "\">\n"
      << "  <rect width=\"" << kSide << "\" height=\"" << kSide << "\" fill=\""
      << hexColour(picture.background) << "\"/>\n";
  for (const rt::Disc& d : picture.discs)
    svg << "  <circle cx=\"" << d.x * kSide << "\" cy=\"" << d.y * kSide << "\" r=\""
        << d.radius * kSide << "\" fill=\"" << hexColour(d.colour) << "\"/>\n";
  svg << "</svg>\n";
  return svg.status() == QTextStream::Ok;
}

// One image of an .ico file: 256 px as PNG, the smaller ones as the 32-bit bitmap every Windows
// version reads (bottom-up BGRA, then the 1-bit transparency mask).
QByteArray icoImage(const QImage& source) {
  QByteArray data;
  if (source.width() >= 256) {
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    source.save(&buffer, "PNG");
    return data;
  }
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width();
  const int h = image.height();
  const int maskStride = ((w + 31) / 32) * 4;
  const auto put16 = [&data](quint16 v) { data.append(reinterpret_cast<const char*>(&v), 2); };
  const auto put32 = [&data](quint32 v) { data.append(reinterpret_cast<const char*>(&v), 4); };
  put32(qToLittleEndian<quint32>(40));  // BITMAPINFOHEADER
  put32(qToLittleEndian<quint32>(w));
  put32(qToLittleEndian<quint32>(2 * h));  // the colours and the mask
  put16(qToLittleEndian<quint16>(1));
  put16(qToLittleEndian<quint16>(32));
  put32(0);
  put32(qToLittleEndian<quint32>(w * h * 4 + maskStride * h));
  for (int i = 0; i < 4; ++i) put32(0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) put32(qToLittleEndian<quint32>(row[x]));  // 0xAARRGGBB
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray mask(maskStride, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(image.pixel(x, y)) == 0)
        mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
    data.append(mask);
  }
  return data;
}

bool writeIco(const rt::IconPicture& picture, const QString& path) {
  QByteArray header, images;
  const auto put16 = [&header](quint16 v) {
    v = qToLittleEndian(v);
    header.append(reinterpret_cast<const char*>(&v), 2);
  };
  const auto put32 = [&header](quint32 v) {
    v = qToLittleEndian(v);
    header.append(reinterpret_cast<const char*>(&v), 4);
  };
  constexpr int kCount = static_cast<int>(std::size(kSizes));
  put16(0);
  put16(1);  // an icon, not a cursor
  put16(kCount);
  const int firstImage = 6 + 16 * kCount;
  for (const int size : kSizes) {
    const QByteArray image = icoImage(rt::renderIcon(picture, size, size));
    header.append(static_cast<char>(size >= 256 ? 0 : size));  // 0 says 256
    header.append(static_cast<char>(size >= 256 ? 0 : size));
    header.append(2, '\0');  // no palette
    put16(1);
    put16(32);
    put32(image.size());
    put32(firstImage + images.size());
    images.append(image);
  }
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(header + images) == header.size() + images.size() && file.flush();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavimo-icons OUTPUT_DIR NAME | tavimo-icons --ico FILE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  QGuiApplication app(argc, argv);
  const rt::IconPicture& picture = *kMainFormDefinition.icon;
  if (QByteArray(argv[1]) == "--ico") {
    if (writeIco(picture, QString::fromLocal8Bit(argv[2]))) return 0;
    std::fprintf(stderr, "tavimo-icons: cannot write %s\n", argv[2]);
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (const int size : kSizes) {
    const QString dir = QString("%1x%1/apps").arg(size);
    if (!out.mkpath(dir) ||
        !rt::renderIcon(picture, size, size).save(out.filePath(dir + "/" + name + ".png"))) {
      std::fprintf(stderr, "tavimo-icons: cannot write the %dx%d icon\n", size, size);
      return 1;
    }
  }
  if (!out.mkpath("scalable/apps") ||
      !writeSvg(picture, out.filePath("scalable/apps/" + name + ".svg"))) {
    std::fprintf(stderr, "tavimo-icons: cannot write the scalable icon\n");
    return 1;
  }
  return 0;
}
