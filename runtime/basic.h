// SPDX-License-Identifier: MIT
// The forms layer's value types and its checked arithmetic.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <string_view>

namespace rt {

using Integer = std::int16_t;  // overflow-checked 16-bit
using Long = std::int32_t;     // overflow-checked 32-bit
using Single = float;          // positions, in twips
using Colour = std::int32_t;   // 0x00BBGGRR

// A run-time error: no handler catches it, so it ends the program through the error report.
struct RuntimeError {
  int number;
  std::string_view description;
};

inline constexpr RuntimeError kOverflow{6, "Overflow"};
inline constexpr RuntimeError kSubscriptOutOfRange{9, "Subscript out of range"};
inline constexpr RuntimeError kOutOfMemory{7, "Out of memory"};

[[noreturn]] inline void Raise(const RuntimeError& error) {
  throw error;
}

inline Integer Neg(Integer a) {
  if (a == std::numeric_limits<Integer>::min()) Raise(kOverflow);
  return static_cast<Integer>(-a);
}

// Integer and Long sums that do not fit are errors.
template <class T>
requires std::same_as<T, Integer> || std::same_as<T, Long> T Add(T a, T b) {
  const std::int64_t sum = std::int64_t{a} + b;
  if (sum < std::numeric_limits<T>::min() || sum > std::numeric_limits<T>::max()) Raise(kOverflow);
  return static_cast<T>(sum);
}

// A float sum that overflowed or is not a number is an error, never a position.
inline Single Add(Single a, Single b) {
  const Single sum = a + b;
  if (!std::isfinite(sum)) Raise(kOverflow);
  return sum;
}

}  // namespace rt
