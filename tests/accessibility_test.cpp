// SPDX-License-Identifier: MIT
// What a screen reader is told while the window runs: each change of the date label once, and
// nothing at all from the dots' ticks. Needs an active reader, so it runs in the private session
// of `servers.py atspi` (e2e/) rather than offscreen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <vector>

#include "tests/support.h"

namespace {

struct Heard {
  QAccessibleInterface* source;
  QAccessible::Event type;
};
std::vector<Heard> heard;

void listen(QAccessibleEvent* event) {
  heard.push_back({event->accessibleInterface(), event->type()});
}

std::vector<Heard> from(const QAccessibleInterface* source) {
  std::vector<Heard> found;
  for (const Heard& h : heard)
    if (h.source == source) found.push_back(h);
  return found;
}

}  // namespace

TEST(Accessibility, TheDateLabelTellsEachChangeOnceAndTheTicksTellNothing) {
  ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
      << "no screen reader bridge became active";
  auto form = startMainForm();
  QAccessibleInterface* area = QAccessible::queryAccessibleInterface(playArea(*form));
  ASSERT_NE(area, nullptr);
  ASSERT_EQ(area->childCount(), 1);
  QAccessibleInterface* date = area->child(0);
  ASSERT_EQ(date->role(), QAccessible::StaticText);
  QApplication::processEvents();
  heard.clear();
  QAccessible::installUpdateHandler(listen);

  for (int tick = 0; tick < 30; ++tick) {
    form->Run.raise();
    form->Time.raise();
  }
  QApplication::processEvents();
  EXPECT_TRUE(from(area).empty() && from(date).empty()) << heard.size() << " events from ticks";

  form->Jikan1.raise();
  form->Jikan1.raise();  // the same text again: nothing new to tell
  const QString caption = QString::fromStdString(form->Hizuke.Caption());
  ASSERT_FALSE(caption.isEmpty());
  QTest::mouseClick(button(*form, "date"), Qt::LeftButton);
  EXPECT_FALSE(date->state().invisible);
  QTest::mouseClick(button(*form, "date"), Qt::LeftButton);
  EXPECT_TRUE(date->state().invisible);
  QAccessible::installUpdateHandler(nullptr);

  std::vector<QAccessible::Event> told;
  for (const Heard& h : from(date)) told.push_back(h.type);
  EXPECT_EQ(told, (std::vector<QAccessible::Event>{
                      QAccessible::NameChanged, QAccessible::ObjectShow, QAccessible::ObjectHide}));
  EXPECT_EQ(date->text(QAccessible::Name), caption);
  EXPECT_TRUE(from(area).empty());
}
