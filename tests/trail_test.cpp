// SPDX-License-Identifier: MIT
// The trail: the head's bounces, the followers, and the colours flowing down the trail.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support.h"

namespace {

struct Place {
  rt::Single left, top;
  bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Place& p) {
  return os << "(" << p.left << ", " << p.top << ")";
}

Place placeOf(const rt::Label& dot) {
  return {dot.Left(), dot.Top()};
}

void tick(MainForm&, rt::Timer& timer, int times = 1) {
  for (int i = 0; i < times; ++i) timer.raise();
}

}  // namespace

TEST(TrailMotion, FollowsTheWorkedExampleThroughItsTurns) {
  struct Row {
    int tick;
    Place head, second;
    int stepX, stepY;
  };
  const Row rows[] = {
      {1, {2380, 1420}, {2280, 1320}, 100, 100},    {2, {2480, 1520}, {2380, 1420}, 100, 100},
      {3, {2580, 1620}, {2480, 1520}, 100, 100},    {14, {3680, 2720}, {3580, 2620}, 100, 100},
      {15, {3580, 2820}, {3680, 2720}, -100, 100},  // passed the right limit: turns
      {21, {2980, 3420}, {3080, 3320}, -100, 100},  // exactly on the bottom limit: no turn
      {22, {2880, 3320}, {2980, 3420}, -100, -100}, {51, {-20, 420}, {80, 520}, -100, -100},
      {52, {80, 320}, {-20, 420}, 100, -100},       {55, {380, 20}, {280, 120}, 100, -100},
      {56, {480, 120}, {380, 20}, 100, 100},        {939, {-20, 20}, {80, 120}, -100, -100},
      {940, {80, 120}, {-20, 20}, 100, 100},  // both steps turn in one tick
  };
  auto form = startMainForm();
  int done = 0;
  for (const Row& row : rows) {
    tick(*form, form->Run, row.tick - done);
    done = row.tick;
    EXPECT_EQ(placeOf(form->Dot(0)), row.head) << "tick " << row.tick;
    EXPECT_EQ(placeOf(form->Dot(1)), row.second) << "tick " << row.tick;
    EXPECT_EQ(form->state.DotStepX, row.stepX) << "tick " << row.tick;
    EXPECT_EQ(form->state.DotStepY, row.stepY) << "tick " << row.tick;
  }
}

TEST(TrailMotion, FollowersTrailTheHeadAndThePathRepeatsAfter2516Ticks) {
  auto form = startMainForm();
  std::vector<Place> design, head;
  for (rt::Integer i = 0; i < 7; ++i) design.push_back(placeOf(form->Dot(i)));
  head.push_back(design[0]);
  for (int n = 1; n <= 2516 + 80; ++n) {
    tick(*form, form->Run);
    head.push_back(placeOf(form->Dot(0)));
    for (rt::Integer k = 1; k < 7; ++k) {
      const Place expected = n >= k ? head[n - k] : design[k - n];
      ASSERT_EQ(placeOf(form->Dot(k)), expected) << "Dot(" << k << ") after tick " << n;
    }
    ASSERT_GE(head[n].left, -20);
    ASSERT_LE(head[n].left, 3680);
    ASSERT_GE(head[n].top, 20);
    ASSERT_LE(head[n].top, 3420);
  }
  for (int n = 0; n <= 80; ++n) ASSERT_EQ(head[n + 2516], head[n]) << "tick " << n;
  EXPECT_NE(head[1258], head[0]);  // not a shorter period that also divides 2516
}

TEST(ColourCycling, TheLoadColourFlowsDownOneDotPerTick) {
  auto form = startMainForm();
  for (int n = 1; n <= 8; ++n) {
    tick(*form, form->Time);
    EXPECT_EQ(form->Dot(0).ForeColor(), 11720800 + n * 9200);
    for (rt::Integer j = 1; j < 7; ++j)
      EXPECT_EQ(form->Dot(j).ForeColor(), n >= j ? 11720800 + (n - j) * 9200 : 0)
          << "Dot(" << j << ") after tick " << n;
  }
}

TEST(ColourCycling, TurnsExactlyAtBothEndsAndNeverLeavesTheRange) {
  auto form = startMainForm();
  tick(*form, form->Time, 548);
  EXPECT_EQ(form->Dot(0).ForeColor(), 16771600 - 9200);
  EXPECT_EQ(form->state.ColorStep, 9200);  // one step short does not turn
  tick(*form, form->Time);
  EXPECT_EQ(form->Dot(0).ForeColor(), 16771600);
  EXPECT_EQ(form->state.ColorStep, -9200);
  tick(*form, form->Time);
  EXPECT_EQ(form->Dot(0).ForeColor(), 16771600 - 9200);
  EXPECT_EQ(form->Dot(1).ForeColor(), 16771600);
  EXPECT_EQ(form->Dot(2).ForeColor(), 16771600 - 9200);  // the fold shows on the trail

  tick(*form, form->Time, 16771600 / 9200 - 1);
  EXPECT_EQ(form->Dot(0).ForeColor(), 0);
  EXPECT_EQ(form->state.ColorStep, 9200);
  tick(*form, form->Time);
  EXPECT_EQ(form->Dot(0).ForeColor(), 9200);

  // Several full cycles: every value stays in range, the head on the 9200 grid, and each
  // dot shows what the head showed j ticks earlier.
  std::vector<rt::Colour> head{form->Dot(0).ForeColor()};
  for (int n = 1; n <= 4 * 3646; ++n) {
    tick(*form, form->Time);
    const rt::Colour value = form->Dot(0).ForeColor();
    head.push_back(value);
    ASSERT_TRUE(value >= 0 && value <= 16771600 && value % 9200 == 0) << value;
    ASSERT_EQ(std::abs(value - head[n - 1]), 9200);
    if (n >= 6) {
      ASSERT_EQ(form->Dot(6).ForeColor(), head[n - 6]);
    }
  }
}

TEST(TrailDrawing, MovedAndRecolouredDotsLeaveNoStalePixels) {
  auto form = startMainForm();
  for (int n = 0; n < 20; ++n) {
    QApplication::processEvents();  // a frame painted between ticks, as in the running program
    tick(*form, form->Run);
    tick(*form, form->Time);
  }
  const QImage image = grabWindow(*form);
  saveArtifact(image, "trail-after-20-ticks.png");
  for (rt::Integer k = 0; k < 7; ++k) {
    const rt::Label& dot = form->Dot(k);
    EXPECT_GT(pixelsOfColour(*form, image, dot.ForeColor(), dot.Left(), dot.Top(), 240, 240), 20)
        << "Dot(" << k << ")";
  }
  // Where the coloured head stood at start-up, only the play area shows now.
  EXPECT_EQ(pixelsOfColour(*form, image, 11720800, 2280, 1320, 240, 240), 0);
  EXPECT_EQ(pixelsOfColour(*form, image, 0, 2280, 1320, 240, 240), 16 * 16);
}
