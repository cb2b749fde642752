// SPDX-License-Identifier: MIT
// A long run through the real forms layer, ticks and clicks interleaved as the message loop
// would deliver them, with the invariants of every subsystem checked after every event.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>

#include "tests/support.h"

TEST(Soak, TenTrailPeriodsAFullColourCycleAndLongWanderingKeepEveryInvariant) {
  auto form = startMainForm();
  MainForm& f = *form;
  QPushButton* move = button(f, "move");
  QPushButton* date = button(f, "date");

  rt::Single headLeft = f.Dot(0).Left(), headTop = f.Dot(0).Top();
  rt::Colour headColour = f.Dot(0).ForeColor();
  int formMoveTicks = 0, clicks = 0;

  // Two FormMove ticks (50 ms) for each Run and Time tick (100 ms), a Jikan1 tick every tenth.
  for (int n = 1; n <= 25160; ++n) {
    f.Run.raise();
    ASSERT_EQ(std::abs(f.Dot(0).Left() - headLeft), 100) << "Run tick " << n;
    ASSERT_EQ(std::abs(f.Dot(0).Top() - headTop), 100) << "Run tick " << n;
    headLeft = f.Dot(0).Left();
    headTop = f.Dot(0).Top();
    ASSERT_TRUE(headLeft >= -20 && headLeft <= 3680 && headTop >= 20 && headTop <= 3420)
        << headLeft << ", " << headTop << " after Run tick " << n;

    f.Time.raise();
    const rt::Colour colour = f.Dot(0).ForeColor();
    ASSERT_EQ(std::abs(colour - headColour), 9200) << "Time tick " << n;
    ASSERT_TRUE(colour >= 0 && colour <= 16771600 && colour % 9200 == 0) << colour;
    headColour = colour;

    for (int half = 0; half < 2; ++half) {
      if (!f.FormMove.Enabled()) continue;
      const rt::Single left = f.Left(), top = f.Top();
      const bool last = f.state.WanderTicks == 999;
      f.FormMove.raise();
      ++formMoveTicks;
      const rt::Single moved = std::abs(f.Left() - left) + std::abs(f.Top() - top);
      ASSERT_EQ(moved, last ? 0 : 50) << "FormMove tick " << formMoveTicks;
      ASSERT_TRUE(f.state.WanderTicks >= 0 && f.state.WanderTicks <= 999);
      ASSERT_TRUE(f.state.WanderPhase >= -90 && f.state.WanderPhase <= 1);
      ASSERT_EQ(std::abs(f.state.WindowStepX), 50);
      ASSERT_EQ(std::abs(f.state.WindowStepY), 50);
    }
    // The user starts and stops wandering now and then, and toggles the date.
    if (n % 97 == 0 || (n % 1301 == 0 && f.FormMove.Enabled())) {
      QTest::mouseClick(f.FormMove.Enabled() ? button(f, "stop") : move, Qt::LeftButton);
      ++clicks;
    }
    if (n % 10 == 0) f.Jikan1.raise();
    if (n % 313 == 0) QTest::mouseClick(date, Qt::LeftButton);
    ASSERT_FALSE(f.ended()) << "a run-time error after Run tick " << n;
  }
  EXPECT_GE(formMoveTicks, 10000);
  EXPECT_GT(clicks, 200);
  EXPECT_EQ(f.state.DotStepX * f.state.DotStepX, 10000);
  EXPECT_EQ(f.state.DotStepY * f.state.DotStepY, 10000);
}
