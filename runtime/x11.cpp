// SPDX-License-Identifier: MIT
#include "runtime/x11.h"

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdint>
#include <cstdlib>

#include "runtime/platform.h"

namespace rt {
namespace {

xcb_connection_t* connectionFor(const QWidget& window) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return isPlatformX11() && x11 && window.internalWinId() ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// What the server tells of the program's window that Qt passes over.
class WindowEvents final : public QAbstractNativeEventFilter {
 public:
  // A quiet move's window and place: reports of that place are kept from Qt.
  xcb_window_t quiet = 0;
  QPoint quietPlace;
  // The window watched for take-overs, and what is known of it.
  const QWidget* watched = nullptr;
  xcb_window_t id = 0, root = 0;
  bool mapped = false, framed = false;
  std::function<void()> handedOver;
  std::function<bool(QPoint)> placed;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
      case XCB_MAP_NOTIFY:
        mapped |= reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == id;
        break;
      case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        // The first frame comes before the window is first mapped: that is no take-over.
        if (e->window != id || !mapped) break;
        framed = e->parent != root;
        handedOver();
        break;
      }
      case XCB_CONFIGURE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (e->window == id && framed) {
          const std::optional<QPoint> at = serverClientPlace(*watched);
          framed = at && !placed(*at);
        }
        if (e->window != quiet) break;
        if (QPoint(e->x, e->y) == quietPlace) return true;
        quiet = 0;
        break;
      }
    }
    return false;
  }
};

WindowEvents& windowEvents() {
  static WindowEvents* filter = [] {
    auto* f = new WindowEvents;
    QCoreApplication::instance()->installNativeEventFilter(f);
    return f;
  }();
  return *filter;
}

}  // namespace

std::optional<QPoint> serverClientPlace(const QWidget& window) {
  xcb_connection_t* connection = connectionFor(window);
  const QScreen* screen = window.screen();
  if (!connection || !screen) return {};
  auto* reply = xcb_translate_coordinates_reply(
      connection,
      xcb_translate_coordinates(connection, window.internalWinId(), rootOf(connection), 0, 0),
      nullptr);
  if (!reply) return {};
  const QPoint served(reply->dst_x, reply->dst_y);
  std::free(reply);
  // Qt's pixels are the screen's own, counted from its corner at its scale.
  const QPoint origin = screen->geometry().topLeft();
  return (served - origin) / window.devicePixelRatioF() + origin;
}

bool moveQuietly(const QWidget& window, QPoint served) {
  xcb_connection_t* connection = connectionFor(window);
  if (!connection || !window.isVisible()) return false;
  windowEvents().quiet = window.internalWinId();
  windowEvents().quietPlace = served;
  const std::int32_t place[] = {served.x(), served.y()};
  xcb_configure_window(connection, window.internalWinId(),
                       XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_flush(connection);
  return true;
}

void endQuietMoves() {
  windowEvents().quiet = 0;
}

void watchTakeOvers(const QWidget& window, std::function<void()> handedOver,
                    std::function<bool(QPoint)> placed) {
  xcb_connection_t* connection = connectionFor(window);
  if (!connection) return;
  WindowEvents& events = windowEvents();
  events.id = handedOver ? window.internalWinId() : 0;
  events.mapped = events.framed = false;
  events.watched = &window;
  events.root = rootOf(connection);
  events.handedOver = std::move(handedOver);
  events.placed = std::move(placed);
}

}  // namespace rt

#else  // Not built for X11: nothing to ask.

namespace rt {

std::optional<QPoint> serverClientPlace(const QWidget&) {
  return {};
}
bool moveQuietly(const QWidget&, QPoint) {
  return false;
}
void endQuietMoves() {}
void watchTakeOvers(const QWidget&, std::function<void()>, std::function<bool(QPoint)>) {}

}  // namespace rt
#endif
