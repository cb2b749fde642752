// SPDX-License-Identifier: MIT
#include "runtime/x11.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "runtime/platform.h"

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace rt {

std::optional<QPoint> serverClientPlace(const QWidget& window) {
#ifdef TAVIMO_HAVE_XCB
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  const QScreen* screen = window.screen();
  const xcb_window_t id = window.internalWinId();
  if (!isPlatformX11() || !x11 || !screen || !id) return {};
  xcb_connection_t* connection = x11->connection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  auto* reply = xcb_translate_coordinates_reply(
      connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr);
  if (!reply) return {};
  const QPoint served(reply->dst_x, reply->dst_y);
  std::free(reply);
  // Qt's pixels are the screen's own, counted from its corner at its scale.
  const QPoint origin = screen->geometry().topLeft();
  return (served - origin) / window.devicePixelRatioF() + origin;
#else
  (void)window;
  return {};
#endif
}

#ifdef TAVIMO_HAVE_XCB
namespace {

// Keeps the reports of a window's place from Qt while it stands where a quiet move put it; a
// report of any other place (the user dragging it) reaches Qt and ends the quiet moves.
class QuietWindow final : public QAbstractNativeEventFilter {
 public:
  xcb_window_t window = 0;
  QPoint place;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (!window || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
    const auto* report = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
    if (report->window != window) return false;
    if (QPoint(report->x, report->y) == place) return true;
    window = 0;
    return false;
  }
};

QuietWindow& quietWindow() {
  static QuietWindow filter;
  static const bool installed = [] {
    QCoreApplication::instance()->installNativeEventFilter(&filter);
    return true;
  }();
  (void)installed;
  return filter;
}

}  // namespace
#endif

bool moveQuietly(const QWidget& window, QPoint served) {
#ifdef TAVIMO_HAVE_XCB
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  const xcb_window_t id = window.internalWinId();
  if (!isPlatformX11() || !x11 || !id || !window.isVisible()) return false;
  quietWindow().window = id;
  quietWindow().place = served;
  const std::int32_t place[] = {served.x(), served.y()};
  xcb_configure_window(x11->connection(), id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_flush(x11->connection());
  return true;
#else
  (void)window;
  (void)served;
  return false;
#endif
}

void endQuietMoves() {
#ifdef TAVIMO_HAVE_XCB
  quietWindow().window = 0;
#endif
}

}  // namespace rt
