// SPDX-License-Identifier: MIT
// Window wandering: the zigzag, its bounds, the 1000-tick run, and moves made by others.
#include <gtest/gtest.h>

#include <QTest>
#include <cstring>

#include "tests/support.h"

namespace {

struct Wander {
  rt::Single left, top;
  int phase;
  bool operator==(const Wander&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Wander& w) {
  return os << "Left " << w.left << ", Top " << w.top << ", phase " << w.phase;
}

Wander wanderOf(const MainForm& f) {
  return {f.Left(), f.Top(), f.state.WanderPhase};
}

// The window as the worked example has it: at 320, 200 and wandering.
std::unique_ptr<MainForm> wanderingFrom(rt::Single left, rt::Single top) {
  auto form = startMainForm();
  form->setLeft(left);
  form->setTop(top);
  QTest::mouseClick(button(*form, "move"), Qt::LeftButton);
  return form;
}

void ticks(MainForm& f, int n) {
  for (int i = 0; i < n; ++i) f.FormMove.raise();
}

}  // namespace

TEST(Wandering, FollowsTheWorkedExampleForAWholeRun) {
  struct Row {
    int tick;
    Wander after;
  };
  const Row rows[] = {
      {1, {270, 200, 1}},        {4, {120, 200, 1}},        {5, {70, 200, 1}},
      {6, {70, 250, -89}},       {96, {70, 4750, 1}},       {97, {120, 4750, 1}},
      {315, {11020, 4750, 1}},   {316, {11020, 4800, -89}}, {346, {11020, 6300, -59}},
      {347, {11020, 6350, -58}}, {348, {10970, 6350, 1}},   {566, {70, 6350, 1}},
      {567, {70, 6300, -89}},    {657, {70, 1800, 1}},      {876, {11020, 1800, 1}},
      {877, {11020, 1750, -89}}, {912, {11020, 0, -54}},    {913, {11020, -50, -53}},
      {914, {10970, -50, 1}},    {999, {6720, -50, 1}},     {1000, {6720, -50, 1}},
  };
  auto form = wanderingFrom(320, 200);
  EXPECT_EQ(form->Move1.Caption(), "stop");
  EXPECT_TRUE(form->FormMove.Enabled());
  int done = 0;
  for (const Row& row : rows) {
    ticks(*form, row.tick - done);
    done = row.tick;
    EXPECT_EQ(wanderOf(*form), row.after) << "after tick " << row.tick;
    if (row.tick < 1000) {
      EXPECT_TRUE(form->FormMove.Enabled()) << "after tick " << row.tick;
    }
  }
  const FormState& s = form->state;
  EXPECT_EQ(std::vector<int>({s.WanderTicks, s.WindowStepY, s.WindowStepX, s.WanderPhase}),
            std::vector<int>({0, 50, -50, 1}));
  EXPECT_EQ(form->Move1.Caption(), "move");
  EXPECT_FALSE(form->FormMove.Enabled());
}

TEST(Wandering, StoppingKeepsTheRunsCountAndTheLeg) {
  auto form = wanderingFrom(320, 200);
  ticks(*form, 50);  // inside the first vertical leg
  const FormState before = form->state;
  QTest::mouseClick(button(*form, "stop"), Qt::LeftButton);
  EXPECT_EQ(form->Move1.Caption(), "move");
  EXPECT_FALSE(form->FormMove.Enabled());
  QTest::mouseClick(button(*form, "move"), Qt::LeftButton);
  EXPECT_EQ(std::memcmp(&before, &form->state, sizeof before), 0);

  const Wander resumed = wanderOf(*form);
  ticks(*form, 1);
  EXPECT_EQ(wanderOf(*form), (Wander{resumed.left, resumed.top + 50, resumed.phase + 1}));
  ticks(*form, 1000 - 50 - 2);
  EXPECT_TRUE(form->FormMove.Enabled());
  const Wander last = wanderOf(*form);
  ticks(*form, 1);  // the 1000th tick of the run makes no move
  EXPECT_FALSE(form->FormMove.Enabled());
  EXPECT_EQ(wanderOf(*form), last);
  EXPECT_EQ(form->state.WanderTicks, 0);
}

TEST(Wandering, AWindowBeyondABoundWithTheStepPointingInComesBack) {
  auto form = wanderingFrom(20, 200);  // left of 120, going right
  form->state.WindowStepX = 50;
  ticks(*form, 3);
  EXPECT_EQ(wanderOf(*form), (Wander{170, 200, 1}));

  form->setTop(7000);  // below 6300 in a leg going up
  form->state.WindowStepY = -50;
  form->state.WanderPhase = -10;
  ticks(*form, 2);
  EXPECT_EQ(wanderOf(*form), (Wander{170, 6900, -8}));
}

TEST(Wandering, BothBoundsInOneTickStartALegInTheNewDirection) {
  auto form = wanderingFrom(11100, 6400);
  form->state.WindowStepX = 50;
  ticks(*form, 1);
  EXPECT_EQ(form->state.WindowStepX, -50);
  EXPECT_EQ(form->state.WindowStepY, -50);
  EXPECT_EQ(wanderOf(*form), (Wander{11100, 6350, -89}));
}

TEST(WindowPosition, AMoveBySomeoneElseIsWhereTheNextTickGoesOn) {
  auto form = wanderingFrom(320, 200);
  ticks(*form, 1);
  windowOf(*form)->move(400, 300);  // as a user dragging the window would
  EXPECT_EQ(form->Left(), 6000);
  EXPECT_EQ(form->Top(), 4500);
  ticks(*form, 1);
  EXPECT_EQ(wanderOf(*form), (Wander{5950, 4500, 1}));
  EXPECT_EQ(windowOf(*form)->pos(), QPoint(397, 300));
}

TEST(WindowPosition, PositionsPutReadBackExactlyAndAreDrawnRounded) {
  auto form = startMainForm();
  for (const rt::Single left : {320.0F, 335.5F, 4987.25F}) {
    form->setLeft(left);
    form->setTop(left + 1);
    EXPECT_EQ(form->Left(), left);
    EXPECT_EQ(form->Top(), left + 1);
    EXPECT_EQ(windowOf(*form)->pos(), QPoint(qRound(left / 15), qRound((left + 1) / 15)));
  }
}

TEST(WindowPosition, AWindowSystemThatHoldsAnEdgeDoesNotTrapTheWander) {
  auto form = wanderingFrom(320, 200);
  form->state.WindowStepY = -50;
  form->state.WanderPhase = -90;
  ticks(*form, 5);                                 // upwards past the top of the screen
  windowOf(*form)->move(windowOf(*form)->x(), 0);  // a window manager that holds the screen's edge
  EXPECT_EQ(form->Top(), -50);
  EXPECT_EQ(form->state.WindowStepY, -50);
  ticks(*form, 1);
  EXPECT_EQ(form->state.WindowStepY, 50);  // turned, and goes on sweeping
  EXPECT_EQ(form->state.WanderPhase, 1);
}
