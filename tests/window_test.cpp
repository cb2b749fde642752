// SPDX-License-Identifier: MIT
// The window as it starts and as it runs left alone: layout, focus, its first frame, its timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>

#include "tests/support.h"

TEST(StartUp, WindowHasItsTitleSizeIconAndLayout) {
  auto form = startMainForm();
  QWidget* window = windowOf(*form);
  ASSERT_EQ(twipsPerPixel(), 15);  // the offscreen screen is 96 DPI
  EXPECT_EQ(window->windowTitle(), "Tavimo");
  EXPECT_EQ(window->size(), QSize(279, 294));
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 192, 192));
  const QList<QSize> iconSizes = window->windowIcon().availableSizes();
  EXPECT_TRUE(iconSizes.contains(QSize(85, 82)) && iconSizes.contains(QSize(32, 32)));
  EXPECT_EQ(playArea(*form)->geometry(), QRect(8, 8, 265, 249));
  EXPECT_EQ(button(*form, "move")->geometry(), QRect(8, 264, 41, 25));
  EXPECT_EQ(button(*form, "date")->geometry(), QRect(64, 264, 41, 25));
  EXPECT_EQ(button(*form, "end")->geometry(), QRect(120, 264, 41, 25));
}

TEST(StartUp, FirstFrameShowsTealWindowBlackPlayAreaAndOnlyTheHeadColoured) {
  auto form = startMainForm();
  const QImage image = grabWindow(*form);
  saveArtifact(image, "startup.png");
  EXPECT_EQ(image.pixelColor(2, 2), QColor(0, 192, 192));
  EXPECT_EQ(image.pixelColor(playArea(*form)->geometry().center()), QColor(0, 0, 0));
  // Each dot shows as a disc in its own colour; the black ones cannot be told from the play area.
  EXPECT_GT(pixelsOfColour(*form, image, 11720800, 2280, 1320, 240, 240), 20);
  EXPECT_EQ(pixelsOfColour(*form, image, 11720800, 2490, 1305, 240, 240), 0);
  EXPECT_EQ(pixelsOfColour(*form, image, 0x00FFC0C0, 3120, 3360, 735, 255), 0);  // date hidden
}

// Left alone, the trail moves and the date is written, while the window stays where it was put
// and the program runs on: "move" and "end" alone start the other two timers.
TEST(StartUp, LeftAloneTheTrailRunsAndTheWindowStays) {
  auto form = startMainForm();
  const QPoint place = windowOf(*form)->pos();
  EXPECT_EQ(runLoop(*form, 2500), 99);  // still running when the test gave up
  EXPECT_FALSE(form->ended());
  EXPECT_EQ(windowOf(*form)->pos(), place);
  EXPECT_NE(form->Dot(0).Top(), 1320);
  EXPECT_NE(form->Dot(6).ForeColor(), 0);
  EXPECT_FALSE(form->Hizuke.Caption().empty());
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
    }
  }
}

TEST(Keyboard, TabVisitsPlayAreaDateEndMoveAndSpaceOrEnterPressesAButton) {
  auto form = startMainForm();
  QWidget* window = windowOf(*form);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const QWidget* order[] = {playArea(*form), button(*form, "date"), button(*form, "end"),
                            button(*form, "move"), playArea(*form)};
  EXPECT_EQ(QApplication::focusWidget(), order[0]);
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after Tab " << i;
  }
  QTest::keyClick(button(*form, "date"), Qt::Key_Space);
  EXPECT_TRUE(form->Hizuke.Visible());
  QTest::keyClick(button(*form, "end"), Qt::Key_Return);
  QTest::qWait(200);  // the press is animated
  EXPECT_TRUE(form->FIN.Enabled());
  EXPECT_EQ(form->Dot(0).Left(), 2280);  // the timers tick only once the form's loop runs
}

TEST(Events, ClicksOnThePlayAreaDotsAndBackgroundChangeNothing) {
  auto form = startMainForm();
  const FormState before = form->state;
  QTest::mouseClick(playArea(*form), Qt::LeftButton, {}, QPoint(160, 80));
  QTest::mouseClick(windowOf(*form), Qt::LeftButton, {}, QPoint(250, 280));
  EXPECT_EQ(std::memcmp(&before, &form->state, sizeof before), 0);
  EXPECT_EQ(form->Dot(0).Left(), 2280);
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_FALSE(form->FIN.Enabled());
}
