// SPDX-License-Identifier: MIT
// Which handler serves each event of the window.
#pragma once

#include <span>

#include "runtime/records.h"

// Every event that reaches program code, and its handler.
std::span<const rt::Binding> mainFormWiring();
