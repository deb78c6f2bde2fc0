// One QApplication for the whole test program (widgets need it); offscreen unless a platform
// is set.
#pragma once

#include <QApplication>

namespace testsupport {

inline void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_host";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives for the whole test program
}

}  // namespace testsupport
