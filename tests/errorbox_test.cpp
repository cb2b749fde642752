// SPDX-License-Identifier: MIT
// The error report on a real screen: a message box naming the error, with the program held
// still until it is dismissed, then the end with status 1.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "lifecycle/lifecycle.h"
#include "tests/support.h"

namespace {

int ticks = 0;
void count(MainForm&) {
  ++ticks;
}
void overflow(MainForm& f) {
  f.state.DotStepY = rt::Neg(rt::Integer{-32768});
}

// The report as it reads in the language the test runs in (LANG), and Qt's own word for "Cancel"
// there, which shows that Qt speaks that language too.
struct Report {
  const char* language;
  QString text, cancel;
};
const Report kReports[] = {
    {"en", "Run-time error '6':\n\nOverflow", "Cancel"},
    {"ja", u8"実行時エラー '6':\n\nオーバーフローしました。", u8"キャンセル"},
    {"de", u8"Laufzeitfehler '6':\n\nÜberlauf", "Abbrechen"},
    {"fr", u8"Erreur d'exécution '6':\n\nDépassement de capacité", "Annuler"},
};

const Report& expectedReport() {
  const QString language = qEnvironmentVariable("LANG").left(2);
  for (const Report& report : kReports)
    if (language == QLatin1String(report.language)) return report;
  return kReports[0];
}

}  // namespace

TEST(ErrorBox, NamesTheErrorHoldsEveryHandlerAndEnterEndsWithStatusOne) {
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal") GTEST_SKIP() << "needs a screen";
  MainForm form;
  const rt::Binding wiring[] = {{"MainForm", rt::Event::Load, on<Form_Load>},
                                {"Run", rt::Event::Timer, on<overflow>},
                                {"Time", rt::Event::Timer, on<count>}};
  form.wire(wiring);
  form.load();

  QString text;
  int ticksWhenShown = -1, ticksBeforeEnter = -1;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || ticksWhenShown >= 0) return;
    text = box->text();
    ticksWhenShown = ticks;
    saveArtifact(box->grab().toImage(),
                 std::string("errorbox-") + expectedReport().language + ".png");
    QTimer::singleShot(600, box, [&, box] {
      ticksBeforeEnter = ticks;
      QTest::keyClick(box, Qt::Key_Return);
    });
  });
  poll.start(10);
  const int status = runLoop(form);

  EXPECT_EQ(status, 1);
  EXPECT_EQ(form.exitStatus(), 1);
  EXPECT_EQ(text, expectedReport().text);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), expectedReport().cancel);
  EXPECT_EQ(ticksBeforeEnter, ticksWhenShown) << "a timer ticked while the box was up";
  EXPECT_FALSE(windowOf(form)->isVisible());
}
