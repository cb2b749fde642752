// SPDX-License-Identifier: MIT
#include "app/wiring.h"

#include "datebox/datebox.h"
#include "lifecycle/lifecycle.h"
#include "mainform/mainform.h"
#include "trail/trail.h"
#include "wander/wander.h"

namespace {

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
