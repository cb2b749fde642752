#include "runtime/x11.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define TAVIMO_HAVE_XCB 1
#endif

namespace rt {

bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

#ifdef TAVIMO_HAVE_XCB
namespace {

class MoveEchoFilter : public QAbstractNativeEventFilter {
 public:
  explicit MoveEchoFilter(QWidget& window) : window_(window) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
    const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
    if (configure->window != window_.winId()) return false;
    // The geometry Qt already holds, in the X server's pixels.
    const qreal scale = window_.devicePixelRatioF();
    const QRect known = window_.geometry();
    return configure->x == qRound(known.x() * scale) && configure->y == qRound(known.y() * scale) &&
           configure->width == qRound(known.width() * scale) &&
           configure->height == qRound(known.height() * scale);
  }

 private:
  QWidget& window_;
};

}  // namespace

void skipMoveEchoes(QWidget& window) {
  if (!isPlatformX11()) return;
  auto* filter = new MoveEchoFilter(window);
  QCoreApplication::instance()->installNativeEventFilter(filter);
  QObject::connect(&window, &QObject::destroyed, [filter] {
    QCoreApplication::instance()->removeNativeEventFilter(filter);
    delete filter;
  });
}
#else
void skipMoveEchoes(QWidget&) {}
#endif

}  // namespace rt
