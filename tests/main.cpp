// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>

#include "runtime/application.h"
#include "runtime/translations.h"

int main(int argc, char** argv) {
  // Headless, whatever the shell says: the tests deliver every tick and click themselves.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  // A desktop session has a runtime folder; without one Qt says so on stderr, in the program too.
  QTemporaryDir runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  rt::loadTranslations();
  rt::Application app(argc, argv);
  return RUN_ALL_TESTS();
}
