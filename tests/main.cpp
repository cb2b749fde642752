// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QByteArray>

#include "runtime/application.h"
#include "runtime/translations.h"

int main(int argc, char** argv) {
  // Headless, whatever the shell says: the tests deliver every tick and click themselves.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  rt::loadTranslations();
  rt::Application app(argc, argv);
  return RUN_ALL_TESTS();
}
