// SPDX-License-Identifier: MIT
#include "runtime/ignoredmoves.h"

#include <cstdlib>

namespace rt {
namespace {

bool near(QPoint a, QPoint b) {
  return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

}  // namespace

bool IgnoredMoves::reported(QPoint asked, QPoint at) {
  if (settled_) return false;
  if (ignored_ == 0) first_ = at;
  if (near(at, asked) || !near(at, first_)) {
    settled_ = true;
    return false;
  }
  if (++ignored_ < kMoves) return false;
  settled_ = true;
  return true;
}

}  // namespace rt
