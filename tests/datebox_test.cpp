// SPDX-License-Identifier: MIT
// The date label: shown and hidden by "date", rewritten every second in the user's locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <cstring>

#include "runtime/date.h"
#include "tests/support.h"

namespace {

// Today as the label writes it.
std::string today() {
  return rt::DateText(rt::Date());
}

// Pins the locale for one test.
class DateBox : public testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }
  void click(MainForm& form) { QTest::mouseClick(button(form, "date"), Qt::LeftButton); }
  // Pale blue drawn smoothly onto black: (192, 192, 255) scaled down, red equal to green.
  int paleBluePixels(const MainForm& form) {
    QApplication::processEvents();
    const QImage image = grabWindow(form);
    const QWidget* area = playArea(form);
    // the date may overflow its box leftwards: look at the whole bottom-right corner
    const QRect corner = QRect(area->geometry().topLeft() + QPoint(160, 215), QSize(105, 34));
    int count = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y) {
      for (int x = corner.left(); x <= corner.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.blue() > 64 && c.blue() > c.red() && std::abs(c.red() - c.green()) <= 2) ++count;
      }
    }
    return count;
  }
};

}  // namespace

TEST_F(DateBox, HiddenAndEmptyAtStartAndAClickBeforeTheFirstTickShowsItEmpty) {
  auto form = startMainForm();
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_EQ(form->Hizuke.Caption(), "");
  click(*form);
  EXPECT_TRUE(form->Hizuke.Visible());
  EXPECT_EQ(form->Hizuke.Caption(), "");
  EXPECT_EQ(paleBluePixels(*form), 0);
  form->fire(form->Jikan1);
  EXPECT_EQ(form->Hizuke.Caption(), today());
  EXPECT_GT(paleBluePixels(*form), 20);
}

TEST_F(DateBox, EachClickFlipsTheLabelAndNothingElse) {
  auto form = startMainForm();
  form->fire(form->Jikan1);
  const FormState before = form->state;
  for (const bool shown : {true, false, true, false}) {
    click(*form);
    EXPECT_EQ(form->Hizuke.Visible(), shown);
    EXPECT_EQ(paleBluePixels(*form) > 0, shown);
  }
  EXPECT_EQ(form->Hizuke.Caption(), today());
  EXPECT_EQ(std::memcmp(&before, &form->state, sizeof before), 0);
}

// As at midnight: a tick writes the day's text whether the label shows or not, so a hidden label
// shows the new date the moment it is shown.
TEST_F(DateBox, AHiddenLabelKeepsUp) {
  auto form = startMainForm();
  form->Hizuke.setCaption("yesterday");
  form->fire(form->Jikan1);
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_EQ(form->Hizuke.Caption(), today());
  click(*form);
  EXPECT_EQ(form->Hizuke.Caption(), today());
}

TEST_F(DateBox, TheTextIsTheLocalesShortDateWithNoTimeOfDay) {
  struct Case {
    QLocale locale;
    const char* text;
    const char* screenshot;
  };
  const Case cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), "12/8/26", "date-en_US.png"},
      {QLocale(QLocale::German, QLocale::Germany), "08.12.26", "date-de_DE.png"},
      {QLocale(QLocale::Japanese, QLocale::Japan), "2026/12/08", "date-ja_JP.png"},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), "08/12/2026", nullptr},
      {QLocale(QLocale::French, QLocale::France), "08/12/2026", nullptr},
  };
  for (const Case& c : cases) {
    QLocale::setDefault(c.locale);
    EXPECT_EQ(rt::DateText({2026, 12, 8}), c.text) << c.locale.name().toStdString();
    auto form = startMainForm();
    form->fire(form->Jikan1);
    click(*form);
    EXPECT_EQ(form->Hizuke.Caption(), today());
    EXPECT_EQ(form->Hizuke.Caption().find(':'), std::string::npos);
    if (c.screenshot) {
      QApplication::processEvents();
      saveArtifact(grabWindow(*form), c.screenshot);
    }
  }
}
