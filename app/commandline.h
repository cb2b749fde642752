// The command line: --help and --version; Qt's own standard options pass through to Qt, and
// anything else is a usage error. The ornament itself takes no options.
#pragma once

#include <optional>

// What to do before the window opens: nothing (nullopt), or end at once with this status after
// the answer has been printed.
std::optional<int> answerCommandLine(int argc, char** argv);
