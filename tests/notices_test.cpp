// SPDX-License-Identifier: MIT
// What the user is told once a run about moves that cannot be made, and when a window manager is
// found to ignore them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/ignoredmoves.h"
#include "runtime/notices.h"

using Position = QPoint;

namespace {

// Feeds moves of 3 px to the left from 300, 200; `at` says where the window is reported after
// move i (from 1). Returns the moves after which the watcher spoke.
template <class At>
std::vector<int> spoken(int moves, At at) {
  rt::IgnoredMoves watch;
  std::vector<int> said;
  for (int i = 1; i <= moves; ++i)
    if (watch.reported({300 - 3 * i, 200}, at(i))) said.push_back(i);
  return said;
}

}  // namespace

TEST(IgnoredMoves, AWindowThatNeverMovesIsToldOfOnceAtTheTwentiethMove) {
  EXPECT_EQ(spoken(100, [](int) { return Position{300, 200}; }), std::vector<int>{20});
  // A window manager that holds the window elsewhere, say at the edge of its work area.
  EXPECT_EQ(spoken(100, [](int) { return Position{0, 24}; }), std::vector<int>{20});
}

TEST(IgnoredMoves, AnyMoveCarriedOutInTheFirstTwentyKeepsItQuiet) {
  const std::vector<int> none;
  EXPECT_EQ(spoken(100, [](int i) { return Position{300 - 3 * i, 200}; }), none);
  // Scaling rounds a place a pixel off.
  EXPECT_EQ(spoken(100, [](int i) { return Position{301 - 3 * i, 199}; }), none);
  // A window manager a move behind.
  EXPECT_EQ(spoken(100, [](int i) { return Position{303 - 3 * i, 200}; }), none);
  // Only the nineteenth carried out, or the window dragged away once by the user.
  EXPECT_EQ(spoken(100,
                   [](int i) {
                     return i == 19 ? Position{243, 200} : Position{300, 200};
                   }),
            none);
  EXPECT_EQ(spoken(100, [](int i) { return i < 7 ? Position{300, 200} : Position{40, 90}; }), none);
  // Ignored only from the twenty-first on: the window manager did move it before.
  EXPECT_EQ(spoken(100, [](int i) { return Position{300 - 3 * std::min(i, 20), 200}; }), none);
}

TEST(Notices, TheProgramsNameIsItsFileNameWithoutFolderOrWindowsExtension) {
  for (const char* argv0 :
       {"/usr/games/tavimo", "tavimo", "C:\\Program Files\\Tavimo\\tavimo.exe", "tavimo.EXE"}) {
    rt::setProgramName(argv0);
    EXPECT_EQ(rt::programName(), "tavimo") << argv0;
  }
}

TEST(NoticesDeathTest, EachNoticeIsSaidOnceARunInTheProgramsName) {
  const auto run = [] {
    rt::setProgramName("/usr/games/tavimo");
    for (int i = 0; i < 3; ++i) {
      rt::tellOnce(rt::Notice::CannotMoveWindows);
      rt::tellOnce(rt::Notice::MovesIgnored);
    }
    std::exit(0);
  };
  EXPECT_EXIT(run(), testing::ExitedWithCode(0),
              "(^|\n)tavimo: this session does not let programs move their windows\n"
              "tavimo: the window manager ignores this program's moves\n$");
}
