// SPDX-License-Identifier: MIT
// The straightforward way, for scale: seven QLabels moved and recoloured through style sheets
// every 100 ms, and with "wander" the top-level window moved every 50 ms.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool wander = argc > 1 && std::strcmp(argv[1], "wander") == 0;
  QWidget window;
  window.setWindowTitle("Naive");
  window.setGeometry(219, 202, 279, 294);
  window.setStyleSheet("background: rgb(0, 192, 192)");
  auto* area = new QFrame(&window);
  area->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  area->setGeometry(8, 8, 265, 249);
  area->setStyleSheet("background: black");
  QLabel* dots[7];
  for (int i = 0; i < 7; ++i) {
    dots[i] = new QLabel("●", area);
    dots[i]->setGeometry(154 + 14 * i, 90 - i, 16, 16);
  }
  const char* captions[] = {"move", "date", "end"};
  for (int i = 0; i < 3; ++i)
    (new QPushButton(captions[i], &window))->setGeometry(8 + 56 * i, 264, 41, 25);

  int step = 0;
  QTimer animate;
  QObject::connect(&animate, &QTimer::timeout, [&] {
    ++step;
    for (int i = 0; i < 7; ++i) {
      const int t = step - i;
      dots[i]->move(10 + (t * 7) % 240, 10 + (t * 5) % 220);
      dots[i]->setStyleSheet(
          QString("color: rgb(%1, %2, %3)").arg(t * 16 % 256).arg(t * 36 % 256).arg(t % 256));
    }
  });
  animate.start(100);
  QTimer move;
  QObject::connect(&move, &QTimer::timeout,
                   [&] { window.move(window.pos() + QPoint(step % 200 < 100 ? -3 : 3, 0)); });
  if (wander) move.start(50);
  window.show();
  return QApplication::exec();
}
