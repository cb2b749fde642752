// SPDX-License-Identifier: MIT
// The window as it starts: state, controls, layout, focus and its first frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>

#include "tests/support.h"

namespace {

struct DotDesign {
  rt::Single left, top;
};
constexpr DotDesign kDotDesign[] = {{2280, 1320}, {2490, 1305}, {2700, 1290}, {2910, 1275},
                                    {3120, 1260}, {3330, 1245}, {3540, 1230}};

}  // namespace

TEST(StartUp, FormStateAndControlsHoldTheirStartValues) {
  auto form = startMainForm();
  const FormState& s = form->state;
  EXPECT_EQ(std::vector<int>({s.ColorStep, s.DotStepY, s.DotStepX, s.WanderTicks, s.WindowStepY,
                              s.WindowStepX, s.WanderPhase}),
            std::vector<int>({9200, 100, 100, 0, 50, -50, 1}));

  for (int i = 0; i < 7; ++i) {
    const rt::Label& dot = form->Dot(static_cast<rt::Integer>(i));
    EXPECT_EQ(dot.Index(), i);
    EXPECT_EQ(dot.Left(), kDotDesign[i].left) << "Dot(" << i << ")";
    EXPECT_EQ(dot.Top(), kDotDesign[i].top) << "Dot(" << i << ")";
    EXPECT_EQ(dot.ForeColor(), i == 0 ? 11720800 : 0) << "Dot(" << i << ")";
    EXPECT_EQ(dot.Caption(), "●");
  }
  EXPECT_EQ(form->Ijigen.Left(), 120);
  EXPECT_EQ(form->Ijigen.Top(), 120);
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_EQ(form->Hizuke.Caption(), "");
  EXPECT_EQ(form->Hizuke.ForeColor(), 0x00FFC0C0);

  EXPECT_EQ(form->Move1.Caption(), "move");
  EXPECT_EQ(form->Jikan.Caption(), "date");
  EXPECT_EQ(form->End.Caption(), "end");
  const std::pair<const rt::Timer*, std::pair<int, bool>> timers[] = {
      {&form->Run, {100, true}},      {&form->Time, {100, true}}, {&form->Jikan1, {1000, true}},
      {&form->FormMove, {50, false}}, {&form->FIN, {10, false}},
  };
  for (const auto& [timer, expected] : timers) {
    EXPECT_EQ(timer->Interval(), expected.first) << timer->Name();
    EXPECT_EQ(timer->Enabled(), expected.second) << timer->Name();
  }
  EXPECT_FALSE(form->ended());
}

TEST(StartUp, LoadRunsOnceBeforeTheWindowIsFirstShown) {
  static int loads;
  static bool shownDuringLoad;
  loads = 0;
  shownDuringLoad = true;
  const rt::Binding wiring[] = {{"MainForm", rt::Event::Load, [](rt::Form& f) {
                                   ++loads;
                                   shownDuringLoad = f.window()->isVisible();
                                 }}};
  MainForm form;
  form.wire(wiring);
  form.load();
  EXPECT_EQ(loads, 1);
  EXPECT_FALSE(shownDuringLoad);
  EXPECT_TRUE(form.window()->isVisible());
}

TEST(StartUp, WindowHasItsTitleSizeIconAndLayout) {
  auto form = startMainForm();
  QWidget* window = form->window();
  ASSERT_EQ(twipsPerPixel(), 15);  // the offscreen screen is 96 DPI
  EXPECT_EQ(window->windowTitle(), "Tavimo");
  EXPECT_EQ(window->size(), QSize(279, 294));
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 192, 192));
  const QList<QSize> iconSizes = window->windowIcon().availableSizes();
  EXPECT_TRUE(iconSizes.contains(QSize(85, 82)));
  EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));

  EXPECT_EQ(playArea(*form)->geometry(), QRect(8, 8, 265, 249));
  EXPECT_EQ(button(*form, "move")->geometry(), QRect(8, 264, 41, 25));
  EXPECT_EQ(button(*form, "date")->geometry(), QRect(64, 264, 41, 25));
  EXPECT_EQ(button(*form, "end")->geometry(), QRect(120, 264, 41, 25));
}

TEST(StartUp, FirstFrameShowsTealWindowBlackPlayAreaAndColouredHead) {
  auto form = startMainForm();
  const QImage image = grabWindow(*form);
  saveArtifact(image, "startup.png");
  EXPECT_EQ(image.pixelColor(2, 2), QColor(0, 192, 192));
  const QWidget* area = playArea(*form);
  EXPECT_EQ(image.pixelColor(area->geometry().center()), QColor(0, 0, 0));
  // Each dot shows as a disc in its own colour; the black ones cannot be told from the play area.
  EXPECT_GT(pixelsOfColour(*form, image, 11720800, 2280, 1320, 240, 240), 20);
  EXPECT_EQ(pixelsOfColour(*form, image, 11720800, 2490, 1305, 240, 240), 0);
  EXPECT_EQ(pixelsOfColour(*form, image, 0x00FFC0C0, 3120, 3360, 735, 255), 0);  // date hidden
}

TEST(ControlArray, MembersAreFoundByIndexAndABadIndexIsAnError) {
  auto form = startMainForm();
  EXPECT_EQ(form->Dot(0).Left(), 2280);  // created last, found first
  EXPECT_EQ(form->Dot(6).Top(), 1230);
  for (const rt::Integer bad : {rt::Integer{-1}, rt::Integer{7}, rt::Integer{32767}}) {
    try {
      form->Dot(bad);
      ADD_FAILURE() << "Dot(" << bad << ") was found";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.number, 9);
      EXPECT_EQ(e.description, "Subscript out of range");
    }
  }
}

TEST(Keyboard, TabVisitsPlayAreaDateEndMoveAndAButtonIsPressedByKeys) {
  auto form = startMainForm();
  QWidget* window = form->window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const QWidget* order[] = {playArea(*form), button(*form, "date"), button(*form, "end"),
                            button(*form, "move"), playArea(*form)};
  EXPECT_EQ(QApplication::focusWidget(), order[0]);
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after Tab " << i;
  }
  QTest::keyClick(playArea(*form), Qt::Key_Tab);
  QTest::keyClick(button(*form, "date"), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), button(*form, "end"));
  QTest::keyClick(button(*form, "end"), Qt::Key_Space);
  EXPECT_TRUE(form->FIN.Enabled());
}

TEST(Keyboard, EnterPressesTheFocusedButton) {
  auto form = startMainForm();
  QPushButton* end = button(*form, "end");
  end->setFocus();
  QTest::keyClick(end, Qt::Key_Return);
  QTest::qWait(200);  // the press is animated
  EXPECT_TRUE(form->FIN.Enabled());
}

TEST(Events, ClicksOnThePlayAreaDotsAndBackgroundChangeNothing) {
  auto form = startMainForm();
  const FormState before = form->state;
  QTest::mouseClick(playArea(*form), Qt::LeftButton, {}, QPoint(160, 80));
  QTest::mouseClick(form->window(), Qt::LeftButton, {}, QPoint(250, 280));
  EXPECT_EQ(std::memcmp(&before, &form->state, sizeof before), 0);
  EXPECT_EQ(form->Dot(0).Left(), 2280);
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_FALSE(form->FIN.Enabled());
}
