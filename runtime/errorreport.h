// SPDX-License-Identifier: MIT
// The report of an error that no handler caught.
#pragma once

#include "runtime/basic.h"

class QWidget;

namespace rt {

// A line on stderr and, where there is a screen to show it on, a message box over the window
// naming the error; returns once the box has been dismissed.
void reportError(const RuntimeError& error, QWidget* window);

}  // namespace rt
