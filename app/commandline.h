// SPDX-License-Identifier: MIT
// The command line: Qt takes its own options; the program's are --help and --version, and
// anything else is a usage error. The ornament itself takes no options.
#pragma once

#include <optional>

// Answers --help or --version wherever it stands, before any window system is asked for: the
// status to end with once the answer is printed, or nothing.
std::optional<int> answerOwnOptions(int argc, char** argv);

// Tells of an argument that neither Qt nor the program takes; the status to end with.
int usageError(const char* argument);
