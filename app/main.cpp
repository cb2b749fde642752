#include "app/commandline.h"
#include "app/wiring.h"
#include "mainform/mainform.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
  if (const auto status = answerCommandLine(argc, argv)) return *status;
  rt::Application app(argc, argv);
  MainForm form;
  form.wire(mainFormWiring());
  return app.run(form);
}
