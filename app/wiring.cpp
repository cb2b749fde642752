#include "app/handlers.h"
#include "app/mainform.h"
#include "trail/trail.h"

namespace {

template <void (*handler)(MainForm&)>
void on(rt::Form& form) {
  handler(static_cast<MainForm&>(form));
}

constexpr rt::Binding kWiring[] = {
    {"MainForm", rt::Event::Load, on<Form_Load>}, {"Run", rt::Event::Timer, on<Run_Timer>},
    {"Time", rt::Event::Timer, on<Time_Timer>},   {"End", rt::Event::Click, on<End_Click>},
    {"FIN", rt::Event::Timer, on<FIN_Timer>},
};

}  // namespace

std::span<const rt::Binding> mainFormWiring() {
  return kWiring;
}
