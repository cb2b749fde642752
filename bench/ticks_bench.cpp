// SPDX-License-Identifier: MIT
// The cost of one tick of each timer through the forms layer (handler, repaint and flush to the
// backing store), beside the cost of simply moving one Qt label. Runs under Qt's offscreen
// platform.
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

void tick(benchmark::State& state, const char* timer) {
  MainForm form;
  form.wire(mainFormWiring());
  form.load();
  QApplication::processEvents();
  // Only the bench's own ticks: the window's timers start with its message loop, never run here.
  PaintCounter counter;
  form.Ijigen.widget()->installEventFilter(&counter);
  rt::Timer& ticking = form.control<rt::Timer>(timer);
  for (auto _ : state) {
    ticking.raise();
    QApplication::processEvents();
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

BENCHMARK_CAPTURE(tick, Run, "Run");
BENCHMARK_CAPTURE(tick, Time, "Time");
BENCHMARK_CAPTURE(tick, FormMove, "FormMove");
BENCHMARK(QLabelMove);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  rt::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
