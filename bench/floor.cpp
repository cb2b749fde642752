// SPDX-License-Identifier: MIT
// The floor: a plain Qt Widgets window of Tavimo's size with the same controls, nothing moving.
// Benchmarks measure Tavimo against it, side by side in one run.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Floor");
  window.setGeometry(219, 202, 279, 294);
  window.setFixedSize(279, 294);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0, 192, 192));
  window.setPalette(palette);
  window.setAutoFillBackground(true);

  auto* area = new QFrame(&window);
  area->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  area->setGeometry(8, 8, 265, 249);
  QPalette black = area->palette();
  black.setColor(QPalette::Window, Qt::black);
  area->setPalette(black);
  area->setAutoFillBackground(true);
  for (int i = 0; i < 7; ++i) {
    auto* dot = new QLabel("●", area);
    dot->setGeometry(154 + 14 * i, 90 - i, 16, 16);
  }
  auto* date = new QLabel(area);
  date->setGeometry(210, 226, 49, 17);
  date->hide();
  const char* captions[] = {"move", "date", "end"};
  for (int i = 0; i < 3; ++i)
    (new QPushButton(captions[i], &window))->setGeometry(8 + 56 * i, 264, 41, 25);

  window.show();
  return QApplication::exec();
}
