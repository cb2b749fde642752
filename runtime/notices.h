// SPDX-License-Identifier: MIT
// Lines the program says on stderr in its own name, some of them only once a run.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace rt {

// The name the program's messages begin with: argv[0] without its folders.
void setProgramName(std::string_view argv0);
const std::string& programName();

// Says a line on stderr in the program's name.
void say(const QString& line);

enum class Notice {
  CannotMoveWindows,  // the session keeps programs from placing their own windows
  MovesIgnored,       // the window manager has carried out none of the program's moves
};

// Says the notice on stderr the first time it is asked for in this run; later asks say nothing.
void tellOnce(Notice notice);

}  // namespace rt
