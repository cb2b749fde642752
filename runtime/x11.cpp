// SPDX-License-Identifier: MIT
#include "runtime/x11.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "runtime/platform.h"

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>

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

}  // namespace rt
