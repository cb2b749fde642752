// SPDX-License-Identifier: MIT
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/wiring.h"
#include "mainform/mainform.h"
#include "runtime/application.h"
#include "runtime/notices.h"
#include "runtime/translations.h"

int main(int argc, char** argv) {
  if (argc > 0) rt::setProgramName(argv[0]);
  rt::loadTranslations();
  if (const auto status = answerCommandLine(argc, argv)) return *status;
  std::vector<std::string> args = argumentsForQt(argc, argv);
  std::vector<char*> qtArgv;
  qtArgv.reserve(args.size() + 1);
  for (std::string& arg : args) qtArgv.push_back(arg.data());
  qtArgv.push_back(nullptr);
  int qtArgc = static_cast<int>(args.size());

  rt::Application app(qtArgc, qtArgv.data());
  MainForm form;
  form.wire(mainFormWiring());
  return app.run(form);
}
