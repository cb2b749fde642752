// SPDX-License-Identifier: MIT
// Ending the program: by "end", by closing the window, and by a run-time error.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <string>
#include <vector>

#include "lifecycle/lifecycle.h"
#include "tests/support.h"

namespace {

// Every handler call is recorded by the control's name, so a test can tell what ran after the end.
std::vector<std::string> calls;

template <void (*handler)(MainForm&), const char* name>
void logged(rt::Form& form) {
  calls.emplace_back(name);
  handler(static_cast<MainForm&>(form));
}

void nothing(MainForm&) {}
void overflow(MainForm& f) {
  f.state.DotStepY = rt::Neg(rt::Integer{-32768});
}

constexpr char kLoad[] = "Load", kEnd[] = "End", kFin[] = "FIN", kRun[] = "Run", kTime[] = "Time",
               kJikan1[] = "Jikan1", kMove1[] = "Move1", kFormMove[] = "FormMove";

const rt::Binding kLoggedWiring[] = {
    {"MainForm", rt::Event::Load, logged<Form_Load, kLoad>},
    {"End", rt::Event::Click, logged<End_Click, kEnd>},
    {"FIN", rt::Event::Timer, logged<FIN_Timer, kFin>},
    {"Run", rt::Event::Timer, logged<nothing, kRun>},
    {"Time", rt::Event::Timer, logged<nothing, kTime>},
    {"Jikan1", rt::Event::Timer, logged<nothing, kJikan1>},
    {"Move1", rt::Event::Click, logged<nothing, kMove1>},
    {"FormMove", rt::Event::Timer, logged<nothing, kFormMove>},
};

std::unique_ptr<MainForm> startLogged() {
  calls.clear();
  auto form = std::make_unique<MainForm>();
  form->wire(kLoggedWiring);
  form->load();
  return form;
}

}  // namespace

TEST(Closing, EndArmsFinAndItsTickEndsWithNoHandlerAfterIt) {
  auto form = startLogged();
  QTest::mouseClick(button(*form, "end"), Qt::LeftButton);
  EXPECT_TRUE(form->FIN.Enabled());
  EXPECT_FALSE(form->ended());
  QTest::mouseClick(button(*form, "end"), Qt::LeftButton);   // a second click changes nothing
  QTest::mouseClick(button(*form, "move"), Qt::LeftButton);  // clicks before the tick still count
  form->FIN.raise();
  EXPECT_TRUE(form->ended());
  EXPECT_EQ(form->exitStatus(), 0);
  EXPECT_FALSE(windowOf(*form)->isVisible());

  form->Run.raise();
  form->Time.raise();
  form->FIN.raise();
  QTest::mouseClick(button(*form, "move"), Qt::LeftButton);
  EXPECT_EQ(calls, (std::vector<std::string>{kLoad, kEnd, kEnd, kMove1, kFin}));
}

TEST(Closing, TicksDueAtTheSameMomentAsFinAreNotDelivered) {
  auto form = startLogged();
  form->FormMove.setEnabled(true);
  QTest::mouseClick(button(*form, "end"), Qt::LeftButton);
  QTimer::singleShot(0, [] { QThread::msleep(1100); });  // every timer is then due at once
  EXPECT_EQ(runLoop(*form), 0);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), kFin);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string(kFin)), 1);
}

TEST(Closing, ClosingTheWindowEndsTheProgramWithStatusZero) {
  auto form = startLogged();
  form->FormMove.setEnabled(true);  // closing while wandering, too
  QTimer::singleShot(120, windowOf(*form), [&] { windowOf(*form)->close(); });
  EXPECT_EQ(runLoop(*form), 0);
  EXPECT_TRUE(form->ended());
  const auto before = calls.size();
  form->Run.raise();
  QTest::mouseClick(button(*form, "end"), Qt::LeftButton);
  EXPECT_EQ(calls.size(), before);
}

TEST(Closing, RunTimeErrorIsReportedAndEndsWithNonZeroStatus) {
  auto form = startLogged();
  const rt::Binding faulty[] = {{"Run", rt::Event::Timer, logged<overflow, kRun>}};
  form->wire(faulty);
  testing::internal::CaptureStderr();
  form->Run.raise();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Run-time error '6': Overflow\n");
  EXPECT_TRUE(form->ended());
  EXPECT_EQ(form->exitStatus(), 1);
  form->Run.raise();
  form->Time.raise();
  EXPECT_EQ(calls, (std::vector<std::string>{kLoad, kRun}));
}

TEST(ClosingDeathTest, OverflowInATickEndsTheProcessThroughTheErrorReport) {
  const auto run = [] {
    MainForm form;
    const rt::Binding wiring[] = {{"MainForm", rt::Event::Load, logged<Form_Load, kLoad>},
                                  {"Run", rt::Event::Timer, logged<overflow, kRun>}};
    form.wire(wiring);
    form.load();
    std::exit(runLoop(form));
  };
  EXPECT_EXIT(run(), testing::ExitedWithCode(1), "Run-time error '6': Overflow");
}
