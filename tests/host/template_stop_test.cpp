// A stop signal that comes while a template is being written: the file is finished and replaces
// the old one whole, no partial temporary file is left, and the stop is carried out afterwards.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <csignal>
#include <filesystem>
#include <string>

#include "host/qt_test_app.h"
#include "host/stop_requests.h"
#include "settings/template_file.h"
#include "support/test_support.h"

TEST(TemplateStop, AStopSignalDuringATemplateWriteLeavesAWholeFileAndNoTemporaryOne) {
  testsupport::EnsureQtApplication();
  host::InstallStopRequests();
  int stops = 0;
  host::SetStopAction([&stops](host::StopCause) { ++stops; });
  const std::string dir = testsupport::MakeTempDir();
  const std::string path = dir + "/t.glx";
  testsupport::WriteFile(path, "old");
  testsupport::MessageRecorder messages;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(sig);
    EXPECT_TRUE(settings::WriteWholeTemplate(path, [sig] {
      settings::WriteTemplateValue("Admin", "Product", "Zorvane");
      std::raise(sig);
      settings::WriteTemplateValue("Admin", "After", "1");
    }));
    EXPECT_EQ(testsupport::ReadFile(path), "\r\n[Admin]\r\nProduct=Zorvane\r\nAfter=1\r\n");
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u);
  }
  QDeadlineTimer limit(10000);
  while (stops == 0 && !limit.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_GE(stops, 1);
  EXPECT_TRUE(messages.messages.empty());
  host::SetStopAction(nullptr);
  std::filesystem::remove_all(dir);
}
