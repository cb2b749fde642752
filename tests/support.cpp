// SPDX-License-Identifier: MIT
#include "tests/support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/wiring.h"
#include "runtime/qtbridge.h"

std::unique_ptr<MainForm> startMainForm() {
  auto form = std::make_unique<MainForm>();
  form->wire(mainFormWiring());
  form->load();
  return form;
}

QPushButton* button(const MainForm& form, const char* caption) {
  for (auto* b : form.window()->findChildren<QPushButton*>())
    if (b->text() == QLatin1String(caption)) return b;
  return nullptr;
}

rt::Single twipsPerPixel() {
  return static_cast<rt::Single>(1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

QWidget* playArea(const MainForm& form) {
  return form.window()->findChild<QFrame*>();
}

// The pixels the window last painted, not a fresh paint of all of it: an area a repaint missed
// still shows what was there before.
QImage grabWindow(const MainForm& form) {
  QApplication::processEvents();
  QPaintDevice* device = form.window()->backingStore()->paintDevice();
  if (device->devType() != QInternal::Image) {
    ADD_FAILURE() << "the window's backing store is not an image";
    return {};
  }
  return static_cast<QImage*>(device)->copy();
}

void saveArtifact(const QImage& image, const std::string& name) {
  QDir().mkpath(TAVIMO_ARTIFACTS);
  image.save(QString(TAVIMO_ARTIFACTS "/") + QString::fromStdString(name));
}

int pixelsOfColour(const MainForm& form, const QImage& image, rt::Colour colour, rt::Single left,
                   rt::Single top, rt::Single width, rt::Single height) {
  const QWidget* area = playArea(form);
  const QPoint origin = area->mapTo(form.window(), area->contentsRect().topLeft());
  const rt::Single tpp = twipsPerPixel();
  const QRect rect(origin + QPoint(rt::toPixels(left, tpp), rt::toPixels(top, tpp)),
                   QSize(rt::toPixels(width, tpp), rt::toPixels(height, tpp)));
  const QRgb wanted = rt::toQColor(colour).rgb();
  const qreal scale = image.devicePixelRatio();
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(qRound(x * scale), qRound(y * scale)) == wanted) ++count;
  return count;
}
