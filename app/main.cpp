// SPDX-License-Identifier: MIT
#include "app/commandline.h"
#include "app/wiring.h"
#include "mainform/mainform.h"
#include "runtime/application.h"
#include "runtime/notices.h"
#include "runtime/translations.h"

int main(int argc, char** argv) {
  if (argc > 0) rt::setProgramName(argv[0]);
  rt::loadTranslations();
  if (const auto status = answerOwnOptions(argc, argv)) return *status;
  rt::Application app(argc, argv);
  if (argc > 1) return usageError(argv[1]);  // Qt has taken what is its own
  MainForm form;
  form.wire(mainFormWiring());
  return app.run(form);
}
