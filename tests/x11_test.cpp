// SPDX-License-Identifier: MIT
// The wandering window on a real X server, watched by a second client of the same server: Qt's
// own idea of where the window is, from which it works out accessibility extents, mapToGlobal and
// where dialogs go, must follow every move. ctest runs this at the scale factors Qt may run at.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTest>
#include <cstdlib>

#include "runtime/platform.h"
#include "runtime/x11.h"
#include "tests/support.h"

namespace {

// Where a window's client area is, in the server's pixels, once the server has done what was
// asked of it so far.
QPoint seen(xcb_connection_t* other, const QWidget& w) {
  auto* own = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  xcb_flush(own);
  std::free(xcb_get_input_focus_reply(own, xcb_get_input_focus(own), nullptr));
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
  auto* reply = xcb_translate_coordinates_reply(
      other, xcb_translate_coordinates(other, w.internalWinId(), root, 0, 0), nullptr);
  if (!reply) return {-1, -1};
  const QPoint at(reply->dst_x, reply->dst_y);
  std::free(reply);
  return at;
}

}  // namespace

TEST(X11Place, QtAndTheServerAgreeWhereTheWindowIsAfterEveryMove) {
  if (!rt::isPlatformX11()) GTEST_SKIP() << "needs an X server";
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(other), 0);
  auto form = startMainForm();
  QWidget& window = *form->window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const qreal scale = window.devicePixelRatio();
  const QWidget* area = playArea(*form);

  QTest::mouseClick(button(*form, "move"), Qt::LeftButton);
  // The test gives the ticks itself: a timer's tick between reading the server and asking Qt
  // would move the window in between.
  form->FormMove.setEnabled(false);
  for (int tick = 1; tick <= 120; ++tick) {
    form->fire(form->FormMove);
    QCoreApplication::processEvents();
    if (tick % 10) continue;
    const QPoint server = seen(other, window);
    QCoreApplication::processEvents();
    const QPoint qt = (window.mapToGlobal(QPoint(0, 0)) * scale);
    EXPECT_LE((qt - server).manhattanLength(), 1)
        << "tick " << tick << ": Qt has the client area at " << qt.x() << "," << qt.y()
        << ", the server at " << server.x() << "," << server.y();
    EXPECT_EQ(area->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)), area->pos());
    const std::optional<QPoint> reported = rt::serverClientPlace(window);
    ASSERT_TRUE(reported.has_value());
    EXPECT_LE((*reported * scale - server).manhattanLength(), 2) << "tick " << tick;
  }
  xcb_disconnect(other);
}
