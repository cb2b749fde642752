// SPDX-License-Identifier: MIT
// Wandering across two monitors of different scale, as another client of the X server sees it.
// ctest runs this on an Xorg whose screen is two monitors side by side, with Qt's scale factors
// 1 and 1.5 one way round and the other.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cstdlib>

#include "tests/support.h"

namespace {

QPoint seen(xcb_connection_t* other, const QWidget& window) {
  QTest::qWait(25);
  return seenByServer(other, window);
}

}  // namespace

TEST(MixedScale, CrossingGoesOnFromWhereTheWindowStandsAtEachScreensScale) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.size() != 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
    GTEST_SKIP() << "needs two monitors of different scale";
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(other), 0);
  auto form = startMainForm();
  QWidget& window = *windowOf(*form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  // From the left monitor, twenty steps short of the right one, 60 steps right and back. Low on
  // the screen, with the window's centre below both monitors, Qt's rules for which screen it is
  // on disagree; there it must not change screens at every step either.
  const rt::Single tpp = twipsPerPixel();
  const QRect left = screens[0]->geometry();
  const qreal lowest = left.bottom() - 100 / screens[0]->devicePixelRatio();
  for (const rt::Single top : {rt::Single{1500}, static_cast<rt::Single>(lowest * tpp)}) {
    const bool low = top > 1500;
    form->setLeft((left.right() - window.width() / 2.0F - 20 * 50 / tpp) * tpp);
    form->setTop(top);
    form->state.WanderPhase = 1;
    QPoint at = seen(other, window);
    for (const int step : {50, -50}) {
      const std::string going = std::string(low ? "low, " : "") + (step > 0 ? "right" : "left");
      form->state.WindowStepX = step;
      int crossings = 0;
      // Each screen's run of steps: 50 twips each at that screen's scale, give or take the
      // rounding of the run's two ends.
      QPoint runStart = at;
      int run = 0;
      qreal scale = window.devicePixelRatio();
      const auto checkRun = [&] {
        EXPECT_NEAR(at.x() - runStart.x(), run * step / tpp * scale, 2)
            << going << ", " << run << " steps from " << runStart.x() << " at scale " << scale;
      };
      for (int tick = 0; tick < 60; ++tick) {
        const QScreen* was = window.screen();
        form->FormMove.raise();
        const QPoint now = seen(other, window);
        const QPoint moved = now - at;
        const std::string where = going + " from " + std::to_string(at.x()) + "," +
                                  std::to_string(at.y()) + " to " + std::to_string(now.x()) + "," +
                                  std::to_string(now.y());
        EXPECT_LE(std::abs(moved.y()), 1) << where;
        if (window.screen() != was) {
          ++crossings;
          EXPECT_LE(std::abs(moved.x()), 2 * 50 / tpp * 1.5) << where << ", crossing";
          checkRun();
          runStart = now;
          run = 0;
          scale = window.devicePixelRatio();
        } else {
          ++run;
        }
        at = now;
      }
      checkRun();
      if (low) {
        EXPECT_LE(crossings, 1) << going;
      } else {
        EXPECT_EQ(crossings, 1) << going;
      }
    }
  }
  xcb_disconnect(other);
}
