// SPDX-License-Identifier: MIT
#include "runtime/x11.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "runtime/screens.h"

#ifdef TAVIMO_HAVE_XCB
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#endif

namespace rt {

bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

WindowPlace::WindowPlace(QWidget& window) : window_(window) {
  // A wandering window moves every 50 ms: one that has not moved for four times that stands still.
  still_.setSingleShot(true);
  still_.setInterval(200);
  QObject::connect(&still_, &QTimer::timeout, &still_, [this] {
    pos();  // forgets its own record if someone else has moved the window since
    if (own_ && hintsBehind_.isValid()) hintPlace();
  });
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
  // Staying on its screen, it moves quietly even where Qt would judge it onto another screen and
  // put it somewhere else (hanging off an edge).
  const std::optional<QPoint> there = placeOnAnotherScreen(window_, to);
  if (there) {
    to = *there;
  } else if (moveQuietly(to)) {
    return to;
  }
  own_.reset();
  still_.stop();
  hintsBehind_.invalidate();  // Qt writes them with its move
  const QPoint from = window_.pos();
  window_.move(to);
  // Once Qt has moved the shown window, the size hints it leaves tell a window manager that a
  // move names the client area's place, which is what a quiet move names too.
  if (window_.isVisible() && from != to) movedByQt_ = true;
  return to;
}

#ifdef TAVIMO_HAVE_XCB
namespace {

// How long the size hints may lag a moving window
constexpr qint64 kHintsLagMs = 1000;
// WM_SIZE_HINTS: flags, then the place, then sizes and more
constexpr int kSizeHintsLength = 18;
constexpr std::uint32_t kUserPosition = 1;
constexpr std::uint32_t kProgramPosition = 4;

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

  if (!hintsBehind_.isValid()) {
    hintsBehind_.start();
  } else if (hintsBehind_.elapsed() >= kHintsLagMs) {
    hintPlace();
  }
  still_.start();
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
  const QPoint at =
      (QPoint(reply->dst_x, reply->dst_y) - origin) / window_.devicePixelRatioF() + origin;
  std::free(reply);
  return at;
}

// Qt writes the size hints at its own moves only. The rest of them stay as Qt wrote them last.
void WindowPlace::hintPlace() {
  hintsBehind_.invalidate();
  xcb_connection_t* connection =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const xcb_window_t id = window_.internalWinId();
  auto* reply =
      xcb_get_property_reply(connection,
                             xcb_get_property(connection, 0, id, XCB_ATOM_WM_NORMAL_HINTS,
                                              XCB_ATOM_WM_SIZE_HINTS, 0, kSizeHintsLength),
                             nullptr);
  if (!reply) return;
  std::uint32_t hints[kSizeHintsLength] = {};
  int length = 0;
  if (reply->format == 32 && reply->type == XCB_ATOM_WM_SIZE_HINTS) {
    length = std::min(xcb_get_property_value_length(reply) / 4, kSizeHintsLength);
    std::memcpy(hints, xcb_get_property_value(reply), length * sizeof hints[0]);
  }
  std::free(reply);
  // Only a place the hints give already, by the user's or the program's word
  if (length < 3 || !(hints[0] & (kUserPosition | kProgramPosition))) return;
  hints[1] = static_cast<std::uint32_t>(asked_.x());
  hints[2] = static_cast<std::uint32_t>(asked_.y());
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS,
                      XCB_ATOM_WM_SIZE_HINTS, 32, length, hints);
  xcb_flush(connection);
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
  if (own_ && at == asked_) return true;
  const bool believed = at == serverPixels(known.topLeft(), *screen, scale);
  // Where Qt believes it is, not where the last quiet move asked for: the window manager left it
  // there, and the quiet move's record no longer says where it is.
  if (believed) own_.reset();
  return believed;
}
#else
bool WindowPlace::moveQuietly(QPoint) {
  return false;
}

QPoint WindowPlace::reported() const {
  return window_.pos();
}

void WindowPlace::hintPlace() {}

bool WindowPlace::nativeEventFilter(const QByteArray&, void*, qintptr*) {
  return false;
}
#endif

}  // namespace rt
