// SPDX-License-Identifier: MIT
// The date label: shown and hidden by "date", rewritten every second in the user's locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QTest>
#include <cstring>

#include "runtime/date.h"
#include "tests/support.h"

namespace {

// Today as en_US writes it, month/day/two-digit year.
std::string todayInUs() {
  const QDate d = QDate::currentDate();
  return QString("%1/%2/%3")
      .arg(d.month())
      .arg(d.day())
      .arg(d.year() % 100, 2, 10, QChar('0'))
      .toStdString();
}

class DateBox : public testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }
  void click(MainForm& form) { QTest::mouseClick(button(form, "date"), Qt::LeftButton); }
  // Pale blue drawn smoothly onto black: (192, 192, 255) scaled down, red equal to green; in the
  // play area's bottom-right corner, where a long date reaches leftwards out of its box.
  int paleBluePixels(const MainForm& form) {
    const QImage image = grabWindow(form);
    const QRect corner(playArea(form)->geometry().topLeft() + QPoint(160, 215), QSize(105, 34));
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
  EXPECT_EQ(paleBluePixels(*form), 0);
  form->Jikan1.raise();
  EXPECT_EQ(form->Hizuke.Caption(), todayInUs());
  EXPECT_GT(paleBluePixels(*form), 20);
}

TEST_F(DateBox, EachClickFlipsTheLabelAndNothingElse) {
  auto form = startMainForm();
  form->Jikan1.raise();
  const FormState before = form->state;
  for (const bool shown : {true, false, true, false}) {
    click(*form);
    EXPECT_EQ(form->Hizuke.Visible(), shown);
    EXPECT_EQ(paleBluePixels(*form) > 0, shown);
  }
  EXPECT_EQ(std::memcmp(&before, &form->state, sizeof before), 0);
}

// As at midnight: a tick writes the day's text whether the label shows or not, so a hidden label
// shows the new date the moment it is shown.
TEST_F(DateBox, AHiddenLabelKeepsUp) {
  auto form = startMainForm();
  form->Hizuke.setCaption("yesterday");
  form->Jikan1.raise();
  EXPECT_FALSE(form->Hizuke.Visible());
  EXPECT_EQ(form->Hizuke.Caption(), todayInUs());
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
    if (!c.screenshot) continue;
    auto form = startMainForm();
    form->Jikan1.raise();
    click(*form);
    EXPECT_GT(paleBluePixels(*form), 20) << c.locale.name().toStdString();
    saveArtifact(grabWindow(*form), c.screenshot);
  }
}
