// SPDX-License-Identifier: MIT
// Start-up and the message loop of a forms program.
#pragma once

#include <memory>

class QApplication;

namespace rt {

class Form;

class Application {
 public:
  // Ends the process with one line on stderr and status 1 when no display can be opened.
  Application(int& argc, char** argv);
  ~Application();

  // Raises Load, shows the window and runs the message loop until the program ends.
  int run(Form& form);

 private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace rt
