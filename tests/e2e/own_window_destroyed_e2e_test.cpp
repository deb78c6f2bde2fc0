// Whole-program runs: another X client destroys one of the program's own windows. The saver or
// the preview ends as on its stop messages: status 0, the saver's performance log appended. A
// window of the Properties dialog closes as its Cancel or close box closes it. Never a stream of
// X errors about the window that is gone.
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "e2e/program_run.h"
#include "store/registry_access.h"

using e2e::Process;
using e2e::SleepMs;

namespace {

class OwnWindowRun : public e2e::ProgramRun {
 protected:
  std::string PerfLog() const { return testsupport::ReadFile(home + "/data/zorvane/ZORVPerf.log"); }
  bool Exists(xcb_window_t w) const {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(x.conn(), xcb_get_geometry(x.conn(), w), nullptr);
    const bool found = g != nullptr;
    std::free(g);
    return found;
  }
  // Lit pixels of a window other than black and the white of a host's own background.
  size_t Stars(xcb_window_t w, int width, int height) {
    const std::vector<uint32_t> px = x.Grab(w, 0, 0, width, height);
    return static_cast<size_t>(std::count_if(px.begin(), px.end(), [](uint32_t p) { return p != 0 && p != 0xFFFFFFu; }));
  }
};

}  // namespace

// The saver's full-screen window, or the preview's picture inside a host window that stays,
// destroyed by this test's own connection.
TEST_F(OwnWindowRun, DestroyedOwnWindowEndsTheRun) {
  struct Case {
    const char* name;
    bool preview;
  } cases[] = {{"saver", false}, {"preview", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(home + "/data/zorvane/ZORVPerf.log");
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("DirectX", "DX_WriteLog", 5); }));
    xcb_window_t host = 0;
    std::unique_ptr<Process> run;
    xcb_window_t own = 0;
    if (c.preview) {
      host = x.CreateWindow(152, 112);
      run = StartLogged({"/p", std::to_string(host)});
      own = WaitForWindow("ZIDI:Preview Zorvane 6.0");
      ASSERT_NE(own, 0u) << "the preview's window did not come";
      const std::vector<xcb_window_t> children = x.Children(host);
      ASSERT_NE(std::find(children.begin(), children.end(), own), children.end()) << "the preview is not in its host";
    } else {
      run = StartLogged({"/S"});
      own = WaitForWindow("ZIDI:Zorvane 6.0");
      ASSERT_NE(own, 0u) << "the saver's window did not come";
    }
    const xcb_window_t drawn = c.preview ? host : x.root();
    const int width = c.preview ? 152 : 800, height = c.preview ? 112 : 600;
    for (int waited = 0; waited < 45000 && Stars(drawn, width, height) < 50; waited += 250) SleepMs(250);
    ASSERT_GE(Stars(drawn, width, height), 50u) << "the run drew nothing";
    SleepMs(1500);  // some lines of performance text
    ASSERT_TRUE(run->running());

    x.DestroyWindow(own);
    ASSERT_TRUE(run->WaitFor(20000)) << "the run went on without its window\n" << ErrorOutput();
    EXPECT_EQ(run->exitCode(), 0);
    const std::string errors = ErrorOutput();
    EXPECT_EQ(errors.find("XCB error"), std::string::npos) << errors;
    if (c.preview) {
      EXPECT_TRUE(Exists(host)) << "the host window was touched";
      x.DestroyWindow(host);
    } else {
      const std::string log = PerfLog();
      EXPECT_EQ(log.rfind(std::string(120, '-') + "\nZorvane 6.0  ", 0), 0u) << log;
      EXPECT_NE(log.find("   Total    :  "), std::string::npos) << log;
    }
  }
}

// The Properties window destroyed by another client closes as Cancel closes it: a value typed
// into it is not stored, and the program ends with status 0.
TEST_F(OwnWindowRun, DestroyedPropertiesWindowClosesAsCancel) {
  // Opened before: no welcome window.
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  auto run = StartLogged({"/C"});
  const xcb_window_t props = WaitForWindow("Zorvane Properties");
  ASSERT_NE(props, 0u) << "the Properties window did not open";
  ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not take the keyboard";
  // The hue cone brightness has the focus, its text selected.
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 77"), 0);
  SleepMs(300);
  const int32_t before = StoredLong("GenColor", "HWC_ConeBright", -1);
  ASSERT_NE(before, 77);

  x.DestroyWindow(props);
  ASSERT_TRUE(run->WaitFor(45000)) << "the program went on without its window\n" << ErrorOutput();
  EXPECT_EQ(run->exitCode(), 0);
  EXPECT_EQ(StoredLong("GenColor", "HWC_ConeBright", -1), before);
  const std::string errors = ErrorOutput();
  EXPECT_EQ(errors.find("XCB error"), std::string::npos) << errors;
}

// The help window destroyed by another client closes; F1 shows it again, in a new window, and
// the Properties window still closes by Esc.
TEST_F(OwnWindowRun, DestroyedHelpWindowShowsAgainOnF1) {
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  auto run = StartLogged({"/C"});
  const xcb_window_t props = WaitForWindow("Zorvane Properties");
  ASSERT_NE(props, 0u) << "the Properties window did not open";
  ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not take the keyboard";
  ASSERT_TRUE(Keys("F1"));
  const xcb_window_t help = WaitForWindow("Zorvane Help");
  ASSERT_NE(help, 0u) << "F1 did not open the help";
  SleepMs(500);

  x.DestroyWindow(help);
  ASSERT_FALSE(Exists(help));
  SleepMs(500);
  EXPECT_TRUE(Focus(props)) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("F1"));
  const xcb_window_t again = WaitForWindow("Zorvane Help");
  ASSERT_NE(again, 0u) << "F1 did not show the help again";
  EXPECT_NE(again, help);
  EXPECT_TRUE(run->running());

  EXPECT_TRUE(Focus(props)) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(run->WaitFor(45000)) << "Esc did not close the Properties window\n" << ErrorOutput();
  EXPECT_EQ(run->exitCode(), 0);
  const std::string errors = ErrorOutput();
  EXPECT_EQ(errors.find("XCB error"), std::string::npos) << errors;
}
