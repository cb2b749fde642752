// SPDX-License-Identifier: MIT
#include "tests/support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "app/wiring.h"
#include "runtime/qtbridge.h"

std::unique_ptr<MainForm> startMainForm() {
  auto form = std::make_unique<MainForm>();
  form->wire(mainFormWiring());
  form->load();
  return form;
}

int runLoop(MainForm& form, int giveUpMs) {
  QTimer giveUp;  // goes with this loop, so that it cannot end a later one
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  giveUp.start(giveUpMs);
  return form.run();
}

// The form's window: the one plain top-level widget titled as the form (an error box is titled
// so too).
QWidget* windowOf(const MainForm&) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->metaObject() == &QWidget::staticMetaObject && w->windowTitle() == "Tavimo") return w;
  return nullptr;
}

QPushButton* button(const MainForm& form, const char* caption) {
  for (auto* b : windowOf(form)->findChildren<QPushButton*>())
    if (b->text() == QLatin1String(caption)) return b;
  return nullptr;
}

rt::Single twipsPerPixel() {
  return static_cast<rt::Single>(1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

QWidget* playArea(const MainForm& form) {
  return windowOf(form)->findChild<QFrame*>();
}

// Not a fresh paint of all of it: an area a repaint missed still shows what was there before.
QImage grabWindow(const MainForm& form) {
  QApplication::processEvents();
  QPaintDevice* device = windowOf(form)->backingStore()->paintDevice();
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
  const QPoint origin = area->mapTo(windowOf(form), area->contentsRect().topLeft());
  const QRect rect = rt::toPixels(left, top, width, height, twipsPerPixel()).translated(origin);
  const QRgb wanted = rt::toQColor(colour).rgb();
  const qreal scale = image.devicePixelRatio();
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(qRound(x * scale), qRound(y * scale)) == wanted) ++count;
  return count;
}

Outcome runProgram(QStringList args, const QStringList& vars, int ms) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& var : vars) {
    if (var.contains('='))
      env.insert(var.section('=', 0, 0), var.section('=', 1));
    else
      env.remove(var);
#ifdef Q_OS_WIN  // Wine hands a Windows program no QT_* variable: Qt's option says it
    if (var.startsWith("QT_QPA_PLATFORM="))
      args = QStringList{"-platform", var.section('=', 1)} + args;
#endif
  }
  p.setProcessEnvironment(env);
  p.start(TAVIMO_EXE, args);
  if (!p.waitForStarted(5000)) return {-1, {}, {}};
  p.closeWriteChannel();
  if (!p.waitForFinished(ms)) {
    p.kill();
    p.waitForFinished();
    return {-2, {}, QString::fromUtf8(p.readAllStandardError())};
  }
  // Windows ends printed lines with CR LF
  const auto text = [](const QByteArray& bytes) {
    return QString::fromUtf8(bytes).replace("\r\n", "\n");
  };
  return {p.exitCode(), text(p.readAllStandardOutput()), text(p.readAllStandardError())};
}

#ifdef TAVIMO_HAVE_XCB
QPoint seenByServer(xcb_connection_t* other, const QWidget& window) {
  auto* own = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  xcb_flush(own);
  std::free(xcb_get_input_focus_reply(own, xcb_get_input_focus(own), nullptr));
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
  auto* reply = xcb_translate_coordinates_reply(
      other, xcb_translate_coordinates(other, window.internalWinId(), root, 0, 0), nullptr);
  if (!reply) return {-1, -1};
  const QPoint at(reply->dst_x, reply->dst_y);
  std::free(reply);
  return at;
}
#endif
