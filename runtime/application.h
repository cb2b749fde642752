// SPDX-License-Identifier: MIT
// Start-up and the message loop of a forms program.
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>

class QApplication;

namespace rt {

class Form;

class Application {
 public:
  // Ends the process with one line on stderr and status 1 when no display can be opened.
  Application(int& argc, char** argv);
  ~Application();

  // Raises Load, shows the window and runs the message loop until the program ends. The window's
  // font is chosen to fit the buttons' captions, with those that handlers give them later.
  int run(Form& form, std::initializer_list<std::string_view> laterCaptions = {});

 private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace rt
