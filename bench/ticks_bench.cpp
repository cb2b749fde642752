// SPDX-License-Identifier: MIT
// The cost of one tick of each timer through the forms layer: with the Qt widgets attached
// (handler, repaint and flush to the backing store) and without them (handler and properties
// alone), beside the cost of simply moving one Qt label. Runs under Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QWidget>

#include "app/wiring.h"
#include "mainform/mainform.h"
#include "runtime/application.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  long paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

void tick(benchmark::State& state, const char* timer, rt::Form::Widgets widgets) {
  MainForm form(widgets);
  form.wire(mainFormWiring());
  form.load();
  QApplication::processEvents();
  // Only the bench's own ticks: the window's timers would add theirs.
  for (rt::Timer* t : {&form.Run, &form.Time, &form.Jikan1}) t->setEnabled(false);
  PaintCounter counter;
  if (QWidget* area =
          widgets == rt::Form::Widgets::Qt ? form.window()->findChild<QFrame*>() : nullptr)
    area->installEventFilter(&counter);
  rt::Timer& ticking = form.control<rt::Timer>(timer);
  for (auto _ : state) {
    form.fire(ticking);
    if (widgets == rt::Form::Widgets::Qt) QApplication::processEvents();
  }
  state.counters["paints/tick"] = benchmark::Counter(static_cast<double>(counter.paints) /
                                                     static_cast<double>(state.iterations()));
}

void QLabelMove(benchmark::State& state) {
  QWidget window;
  window.resize(279, 294);
  auto* label = new QLabel("●", &window);
  label->setGeometry(100, 100, 16, 16);
  window.show();
  QApplication::processEvents();
  int step = 1;
  for (auto _ : state) {
    label->move(label->pos() + QPoint(step, step));
    step = -step;
    QApplication::processEvents();
  }
}

}  // namespace

BENCHMARK_CAPTURE(tick, Run_Widgets, "Run", rt::Form::Widgets::Qt);
BENCHMARK_CAPTURE(tick, Time_Widgets, "Time", rt::Form::Widgets::Qt);
BENCHMARK_CAPTURE(tick, FormMove_Widgets, "FormMove", rt::Form::Widgets::Qt);
BENCHMARK_CAPTURE(tick, Run_NoWidgets, "Run", rt::Form::Widgets::None);
BENCHMARK_CAPTURE(tick, Time_NoWidgets, "Time", rt::Form::Widgets::None);
BENCHMARK_CAPTURE(tick, FormMove_NoWidgets, "FormMove", rt::Form::Widgets::None);
BENCHMARK(QLabelMove);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  rt::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
