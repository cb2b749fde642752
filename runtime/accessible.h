// SPDX-License-Identifier: MIT
// What a screen reader is told the window and its play areas are, where Qt cannot tell.
#pragma once

namespace rt::detail {

// Lets Qt make their interfaces; safe to call more than once.
void installAccessibility();

}  // namespace rt::detail
