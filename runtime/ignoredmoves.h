// SPDX-License-Identifier: MIT
// Telling a window manager that carries out none of the program's moves from one that does.
#pragma once

#include <QPoint>
#include <cstdlib>

namespace rt {

// Within a pixel: the server's place and Qt's may round apart at a scale.
inline bool near(QPoint a, QPoint b) {
  return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

// Fed each move of the run: where the window's client area was asked to go, and where it was
// reported to stand afterwards. A move was carried out when the window stands within a pixel of
// the place asked (scaling may round it a pixel off), or anywhere else than at the first report
// (a window manager that lags a move behind still moves the window).
class IgnoredMoves {
 public:
  static constexpr int kMoves = 20;

  // True once: when the 20th move of the run is reported and none of them was carried out.
  bool reported(QPoint asked, QPoint at) {
    if (settled_) return false;
    if (ignored_ == 0) first_ = at;
    if (near(at, asked) || !near(at, first_)) {
      settled_ = true;
      return false;
    }
    settled_ = ++ignored_ == kMoves;
    return settled_;
  }
  // Whether it has told all it will: later reports change nothing.
  bool settled() const { return settled_; }
  // Where nothing can be reported, nothing will be told.
  void settle() { settled_ = true; }

 private:
  int ignored_ = 0;
  bool settled_ = false;  // a move was carried out, or the 20 were not
  QPoint first_;
};

}  // namespace rt
