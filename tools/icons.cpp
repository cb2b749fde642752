// SPDX-License-Identifier: MIT
// Writes the theme icons from the window's own icon picture, so that every size and the
// scalable one show the same discs. Usage: tavimo-icons OUTPUT_DIR NAME
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavimo-icons OUTPUT_DIR NAME\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  QGuiApplication app(argc, argv);
  const rt::IconPicture& picture = *kMainFormDefinition.icon;
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
