#include "app/handlers.h"
#include "app/mainform.h"
#include "datebox/datebox.h"
#include "trail/trail.h"
#include "wander/wander.h"

namespace {

template <void (*handler)(MainForm&)>
void on(rt::Form& form) {
  handler(static_cast<MainForm&>(form));
}

// clang-format off
constexpr rt::Binding kWiring[] = {
    {"MainForm", rt::Event::Load,  on<Form_Load>},
    {"Run",      rt::Event::Timer, on<Run_Timer>},
    {"Time",     rt::Event::Timer, on<Time_Timer>},
    {"FormMove", rt::Event::Timer, on<FormMove_Timer>},
    {"Move1",    rt::Event::Click, on<Move1_Click>},
    {"Jikan1",   rt::Event::Timer, on<Jikan1_Timer>},
    {"Jikan",    rt::Event::Click, on<Jikan_Click>},
    {"End",      rt::Event::Click, on<End_Click>},
    {"FIN",      rt::Event::Timer, on<FIN_Timer>},
};
// clang-format on

}  // namespace

std::span<const rt::Binding> mainFormWiring() {
  return kWiring;
}
