#include "app/mainform.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
  rt::Application app(argc, argv);
  MainForm form;
  form.wire(mainFormWiring());
  return app.run(form);
}
