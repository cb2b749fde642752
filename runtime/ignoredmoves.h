// SPDX-License-Identifier: MIT
// Telling a window manager that carries out none of the program's moves from one that does.
#pragma once

namespace rt {

// Fed each move of the run, in pixels: where the program asked the window to go, and where the
// window was reported to stand afterwards. A move was carried out when the window stands within
// a pixel of the place asked (scaling may round it one pixel off), or when it stands anywhere else
// than at the first report (a window manager that lags a move behind still moves the window).
class IgnoredMoves {
 public:
  static constexpr int kMoves = 20;
  struct Position {
    int x = 0, y = 0;
  };

  // True once: when the 20th move of the run is reported and none of them was carried out.
  bool reported(Position asked, Position at);
  // Whether it has told all it will: later reports change nothing.
  bool settled() const { return settled_; }

 private:
  int ignored_ = 0;
  bool settled_ = false;  // a move was carried out, or the 20 were not
  Position first_;
};

}  // namespace rt
