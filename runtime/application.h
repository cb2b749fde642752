// SPDX-License-Identifier: MIT
// Start-up and the message loop of a forms program.
#pragma once

#include <memory>

class QApplication;

namespace rt {

class Form;

class Application {
 public:
  // Qt takes its own options out of argc and argv. Where no display can be opened, the process
  // ends with one line on stderr and status 1.
  Application(int& argc, char** argv);
  ~Application();

  // Raises Load, shows the window and runs the message loop until the program ends.
  int run(Form& form);

 private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace rt
