// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <limits>

#include "runtime/basic.h"

using namespace rt;

namespace {

int errorOf(auto&& operation) {
  try {
    operation();
  } catch (const RuntimeError& e) {
    return e.number;
  }
  return 0;
}

}  // namespace

TEST(CheckedArithmetic, IntegerResultsThatFitAreExact) {
  EXPECT_EQ(Add(Integer{32766}, Integer{1}), 32767);
  EXPECT_EQ(Add(Integer{-32767}, Integer{-1}), -32768);
  EXPECT_EQ(Neg(Integer{-32767}), 32767);
  EXPECT_EQ(Neg(Integer{-50}), 50);
  EXPECT_EQ(Add(Long{11720800}, Long{-9200}), 11711600);
}

TEST(CheckedArithmetic, ResultsThatDoNotFitRaiseOverflow) {
  EXPECT_EQ(errorOf([] { Add(Integer{32767}, Integer{1}); }), 6);
  EXPECT_EQ(errorOf([] { Add(Integer{-32768}, Integer{-1}); }), 6);
  EXPECT_EQ(errorOf([] { Neg(Integer{-32768}); }), 6);
  EXPECT_EQ(errorOf([] { Add(std::numeric_limits<Long>::max(), Long{1}); }), 6);
  EXPECT_EQ(errorOf([] { Add(std::numeric_limits<Long>::min(), Long{-9200}); }), 6);
}

TEST(CheckedArithmetic, FloatSumsThatOverflowOrAreInvalidRaise) {
  constexpr Single big = std::numeric_limits<Single>::max();
  constexpr Single inf = std::numeric_limits<Single>::infinity();
  EXPECT_EQ(errorOf([] { Add(big, big); }), 6);
  EXPECT_EQ(errorOf([] { Add(inf, -inf); }), 6);
  EXPECT_EQ(errorOf([] { Add(std::numeric_limits<Single>::quiet_NaN(), Single{1}); }), 6);
  EXPECT_EQ(Add(Single{2280}, Single{100}), 2380.0F);
  EXPECT_EQ(Add(Single{120}, Single{3200.0}), 3320.0F);
}
