// SPDX-License-Identifier: MIT
#include "runtime/application.h"

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/form.h"
#include "runtime/notices.h"
#include "runtime/platform.h"
#include "runtime/translations.h"

namespace rt {
namespace {

// The repaints are a few small rectangles ten times a second: shared memory saves nothing there,
// and its completion events cost the program and the X server more than the copy they avoid.
void preferPlainImageTransfer() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
}

std::vector<std::string> arguments;
bool platformChosenByUser = false;
std::vector<StartMessage> heldMessages;

// Qt's answer to a platform that cannot start is an abort with a core dump, after a list of every
// platform it knows; ours is one line, or two with Qt's reason, and status 1.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    for (const QString& line : startFailure(arguments, platformChosenByUser, heldMessages))
      say(line);
    std::_Exit(1);
  }
  heldMessages.push_back({type, QString::fromUtf8(context.category), message});
}

}  // namespace

Application::Application(int& argc, char** argv) {
  arguments.assign(argv, argv + argc);  // Qt takes its own options out
  platformChosenByUser = choosePlatform(arguments);
  preferPlainImageTransfer();

  const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
  app_ = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const StartMessage& m : heldMessages) {
    if (isAttemptNoise(m)) continue;  // a platform given up for the one that started
    const QByteArray category = m.category.toUtf8();
    qt_message_output(m.type, QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                      m.text);
  }
  heldMessages.clear();
  installQtTranslation();
}

Application::~Application() = default;

int Application::run(Form& form) {
  form.load();
  if (form.ended()) return form.exitStatus();
  const int status = QApplication::exec();
  return form.ended() ? form.exitStatus() : status;
}

}  // namespace rt
