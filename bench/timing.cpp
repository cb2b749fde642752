// SPDX-License-Identifier: MIT
// Timer accuracy of the real window with its real timers: mean period and worst lateness of each
// timer's ticks over a run, measured by wrapping every wired handler with a clock reading.
// Usage: tavimo_timing [SECONDS]   (needs a display; "move" is clicked at the start)
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/wiring.h"
#include "mainform/mainform.h"
#include "runtime/application.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kMaxBindings = 16;

std::array<rt::Binding, kMaxBindings> original;
std::array<std::vector<Clock::time_point>, kMaxBindings> ticks;

template <std::size_t I>
void timed(rt::Form& form) {
  ticks[I].push_back(Clock::now());
  original[I].handler(form);
}

template <std::size_t... I>
constexpr std::array<rt::Handler, kMaxBindings> makeTimed(std::index_sequence<I...>) {
  return {timed<I>...};
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  rt::Application app(argc, argv);
  MainForm form;

  const auto wiring = mainFormWiring();
  constexpr auto wrappers = makeTimed(std::make_index_sequence<kMaxBindings>{});
  std::vector<rt::Binding> bindings;
  for (std::size_t i = 0; i < wiring.size() && i < kMaxBindings; ++i) {
    original[i] = wiring[i];
    bindings.push_back({wiring[i].control, wiring[i].event, wrappers[i]});
  }
  form.wire(bindings);
  QTimer::singleShot(0, [&] { form.Move1.raise(); });
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::quit(); });
  app.run(form);

  std::printf("%-10s %8s %6s %14s %12s %16s\n", "timer", "interval", "ticks", "mean period ms",
              "off by %", "max lateness ms");
  for (std::size_t i = 0; i < wiring.size() && i < kMaxBindings; ++i) {
    if (wiring[i].event != rt::Event::Timer || ticks[i].size() < 2) continue;
    const auto& t = ticks[i];
    const double interval = form.control<rt::Timer>(wiring[i].control).Interval();
    const double mean =
        std::chrono::duration<double, std::milli>(t.back() - t.front()).count() / (t.size() - 1);
    double late = 0;
    for (std::size_t k = 1; k < t.size(); ++k)
      late = std::max(
          late, std::chrono::duration<double, std::milli>(t[k] - t[k - 1]).count() - interval);
    std::printf("%-10s %8.0f %6zu %14.3f %12.3f %16.3f\n", std::string(wiring[i].control).c_str(),
                interval, t.size(), mean, 100 * (mean - interval) / interval, late);
  }
}
