// Opening a page: the desktop opener runs with the address as one argument, is watched without
// blocking, and an opener that fails to start, ends with an error or is killed is reported.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "host/qt_test_app.h"
#include "host/window_state.h"
#include "support/test_support.h"

namespace {

// Lets events run until `done` holds (at most 20 seconds); whether it held.
bool RunEventsUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class WebPage : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::EnsureQtApplication(); }
  void TearDown() override { host::SetDesktopOpener({}); }
  testsupport::TempConfig config;
};

TEST_F(WebPage, OpenerEndingBadlyIsReported) {
  const std::string address = "mailto:me@example.org?Subject=A%20B&Body=$(false);'x'";
  const std::string seen = config.dir() + "/seen.txt";
  const struct {
    std::string script;  // the opener: sh -c script, with the address as $1
    bool reported;
  } cases[] = {
      {"printf %s \"$1\" > '" + seen + "'", false},
      {"exit 3", true},
      {"kill -9 $$", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    testsupport::MessageRecorder recorder;
    host::SetDesktopOpener({"/bin/sh", "-c", c.script, "opener"});
    host::OpenWebPage(address);
    ASSERT_TRUE(RunEventsUntil([] { return host::WatchedWebPageOpeners() == 0; }));
    if (!c.reported) {
      EXPECT_TRUE(recorder.messages.empty());
      EXPECT_EQ(ReadFile(seen), address);  // one argument, untouched by any shell
      continue;
    }
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "The Web Page could not be reached.\r\n\r\nURL:  " + address);
    EXPECT_EQ(recorder.messages[0].title, "Zorvane");
    EXPECT_EQ(recorder.messages[0].icon, platform::MsgIcon::Information);
  }
}

// Only web pages and mail links reach the opener; any other scheme is reported unreached at once.
TEST_F(WebPage, OtherSchemesNeverReachTheOpener) {
  const std::string seen = config.dir() + "/seen.txt";
  host::SetDesktopOpener({"/bin/sh", "-c", "printf %s \"$1\" > '" + seen + "'", "opener"});
  for (const char* address : {"file:///etc/passwd", "smb://host/share", "javascript:alert(1)", "zorvane.org", ""}) {
    SCOPED_TRACE(address);
    testsupport::MessageRecorder recorder;
    host::OpenWebPage(address);
    EXPECT_EQ(host::WatchedWebPageOpeners(), 0u);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "The Web Page could not be reached.\r\n\r\nURL:  " + std::string(address));
  }
  EXPECT_FALSE(std::filesystem::exists(seen));
}

TEST_F(WebPage, OpenerThatCannotStartIsReportedAtOnce) {
  testsupport::MessageRecorder recorder;
  host::SetDesktopOpener({config.dir() + "/no-such-opener"});
  host::OpenWebPage("https://zorvane.org/");
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, "The Web Page could not be reached.\r\n\r\nURL:  https://zorvane.org/");
  EXPECT_EQ(host::WatchedWebPageOpeners(), 0u);
}

TEST_F(WebPage, ProgramGoesOnWhileTheOpenerRuns) {
  testsupport::MessageRecorder recorder;
  const std::string go = config.dir() + "/go";
  // The opener cannot end before the test lets it, so returning proves nothing waited for it.
  host::SetDesktopOpener({"/bin/sh", "-c", "while [ ! -e '" + go + "' ]; do sleep 0.02; done; exit 4", "opener"});
  host::OpenWebPage("https://a.example/");
  host::OpenWebPage("https://b.example/");
  EXPECT_EQ(host::WatchedWebPageOpeners(), 2u);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.messages.empty());
  std::ofstream(go) << "go";
  ASSERT_TRUE(RunEventsUntil([] { return host::WatchedWebPageOpeners() == 0; }));
  ASSERT_EQ(recorder.messages.size(), 2u);
  EXPECT_NE(recorder.messages[0].text.find("https://a.example/"), std::string::npos);
  EXPECT_NE(recorder.messages[1].text.find("https://b.example/"), std::string::npos);
}

}  // namespace
