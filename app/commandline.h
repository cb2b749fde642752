// SPDX-License-Identifier: MIT
// The command line: --help and --version; Qt's own standard options pass through to Qt, and
// anything else is a usage error. The ornament itself takes no options.
#pragma once

#include <optional>
#include <string>
#include <vector>

// What to do before the window opens: nothing (nullopt), or end at once with this status after
// the answer has been printed.
std::optional<int> answerCommandLine(int argc, char** argv);

// The command line as Qt is to read it: each option's value in an argument of its own, the only
// form most of Qt's options take (-display=NAME becomes -display NAME).
std::vector<std::string> argumentsForQt(int argc, char** argv);
