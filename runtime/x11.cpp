// SPDX-License-Identifier: MIT
#include "runtime/x11.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "runtime/screens.h"

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace rt {

bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

namespace {

// A wandering window moves every 50 ms: one that has not moved for four times that stands still.
constexpr int kStillMs = 200;
// How long the size hints may say an old place while the window wanders.
constexpr qint64 kHintsLagMs = 1000;

}  // namespace

WindowPlace::WindowPlace(QWidget& window) : window_(window) {
  still_.setSingleShot(true);
  still_.setInterval(kStillMs);
  QObject::connect(&still_, &QTimer::timeout, &still_, [this] { standStill(); });
#ifdef TAVIMO_HAVE_XCB
  x11_ = isPlatformX11() && qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11_) QCoreApplication::instance()->installNativeEventFilter(this);
#endif
}

// The filter's base class takes it out of the event dispatcher.
WindowPlace::~WindowPlace() = default;

QPoint WindowPlace::pos() const {
  // Qt hears of moves made by anyone else; its belief changing means the window was moved.
  if (own_ && window_.pos() != qtBelief_) own_.reset();
  return own_ ? *own_ : window_.pos();
}

QPoint WindowPlace::move(QPoint to) {
  to = placeAmongScreens(window_, to);
  const bool hintsDue = own_ && hintsBehind_.elapsed() >= kHintsLagMs;
  if (!hintsDue && moveQuietly(to)) {
    still_.start();
  } else {
    moveThroughQt(to);
  }
  return to;
}

void WindowPlace::moveThroughQt(QPoint to) {
  own_.reset();
  still_.stop();
  const QPoint from = window_.pos();
  window_.move(to);
  // Once Qt has moved the shown window, the size hints it leaves tell a window manager that a
  // move names the client area's place, which is what a quiet move names too.
  if (window_.isVisible() && from != to) movedByQt_ = true;
}

// A move through Qt to where the window already is rewrites the size hints; one to where Qt
// believes it is does nothing, and then the hints stay as Qt's last move left them.
void WindowPlace::standStill() {
  if (pos() == window_.pos()) return;
  moveThroughQt(*own_);
}

#ifdef TAVIMO_HAVE_XCB
namespace {

// A window's place in the server's pixels, as Qt works it out.
QPoint serverPixels(QPoint logical, const QScreen& screen, qreal scale) {
  const QPoint origin = screen.geometry().topLeft();
  return (logical - origin) * scale + origin;
}

}  // namespace

bool WindowPlace::moveQuietly(QPoint to) {
  const xcb_window_t id = window_.internalWinId();
  const QScreen* screen = window_.screen();
  if (!x11_ || !movedByQt_ || !window_.isVisible() || !id || !screen) return false;
  const QPoint client = to + (window_.geometry().topLeft() - window_.pos());
  // Onto another screen, which may scale differently and which Qt must know of: Qt moves it.
  if (!screen->geometry().contains(QRect(client, window_.size()).center())) return false;
  xcb_connection_t* connection =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  if (!eventMask_) {
    auto* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr);
    if (!reply) return false;
    eventMask_ = reply->your_event_mask;
    std::free(reply);
  }

  qtBelief_ = window_.pos();
  if (!own_) hintsBehind_.start();
  own_ = to;
  asked_ = serverPixels(client, *screen, window_.devicePixelRatioF());

  // The server reports the move to whoever selects structure events on the window. For the
  // length of the move this client selects none, and with the server grabbed, no other
  // client's request comes in between to go unreported.
  const std::uint32_t quiet = eventMask_ & ~std::uint32_t{XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  const std::int32_t place[] = {asked_.x(), asked_.y()};
  xcb_grab_server(connection);
  xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &quiet);
  xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &eventMask_);
  xcb_ungrab_server(connection);
  xcb_flush(connection);
  return true;
}

QPoint WindowPlace::reported() const {
  const xcb_window_t id = window_.internalWinId();
  const QScreen* screen = window_.screen();
  if (!x11_ || !id || !screen) return window_.pos();
  xcb_connection_t* connection =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  auto* reply = xcb_translate_coordinates_reply(
      connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr);
  if (!reply) return window_.pos();
  const QPoint origin = screen->geometry().topLeft();
  const QPoint at = (QPoint(reply->dst_x, reply->dst_y) - origin) / window_.devicePixelRatioF() +
                    origin;
  std::free(reply);
  return at;
}

// A window manager answers each move with a report of where the window now is; when that is
// where it was asked to be, Qt need not hear of it, and Qt would ask the server twice over.
bool WindowPlace::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
  const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
  const QScreen* screen = window_.screen();
  if (configure->window != window_.internalWinId() || !screen) return false;
  const qreal scale = window_.devicePixelRatioF();
  const QRect known = window_.geometry();
  if (configure->width != qRound(known.width() * scale) ||
      configure->height != qRound(known.height() * scale))
    return false;
  const QPoint at(configure->x, configure->y);
  return (own_ && at == asked_) || at == serverPixels(known.topLeft(), *screen, scale);
}
#else
bool WindowPlace::moveQuietly(QPoint) {
  return false;
}

QPoint WindowPlace::reported() const {
  return window_.pos();
}

bool WindowPlace::nativeEventFilter(const QByteArray&, void*, qintptr*) {
  return false;
}
#endif

}  // namespace rt
