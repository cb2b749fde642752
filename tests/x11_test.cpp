// SPDX-License-Identifier: MIT
// The wandering window on a real X server, watched by a second client of the same server: Qt's
// own idea of where the window is, from which it works out accessibility extents, mapToGlobal and
// where dialogs go, must follow every move. ctest runs this at the scale factors Qt may run at.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTest>

#include "runtime/platform.h"
#include "runtime/x11.h"
#include "tests/support.h"

TEST(X11Place, QtAndTheServerAgreeWhereTheWindowIsAfterEveryMove) {
  if (!rt::isPlatformX11()) GTEST_SKIP() << "needs an X server";
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(other), 0);
  auto form = startMainForm();
  QWidget& window = *windowOf(*form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const qreal scale = window.devicePixelRatio();
  const QWidget* area = playArea(*form);

  for (int tick = 1; tick <= 120; ++tick) {
    form->FormMove.raise();
    QCoreApplication::processEvents();
    if (tick % 10) continue;
    const QPoint server = seenByServer(other, window);
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
