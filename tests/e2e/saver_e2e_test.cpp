#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "e2e/program_run.h"
#include "store/registry_access.h"

using e2e::Process;
using e2e::SleepMs;
using e2e::XvfbSession;

namespace {

class SaverRun : public e2e::ProgramRun {
 protected:
  static size_t Lit(const std::vector<uint32_t>& px) {
    return static_cast<size_t>(std::count_if(px.begin(), px.end(), [](uint32_t p) { return p != 0; }));
  }
  // Polls the area until more than `minLit` pixels are not black; returns the last grab.
  std::vector<uint32_t> WaitForLit(xcb_window_t w, int width, int height, size_t minLit, int timeoutMs) {
    std::vector<uint32_t> px;
    for (int waited = 0; waited <= timeoutMs; waited += 250) {
      px = x.Grab(w, 0, 0, width, height);
      if (Lit(px) > minLit) break;
      SleepMs(250);
    }
    return px;
  }
};

}  // namespace

TEST_F(SaverRun, FullScreenDrawsChangingFramesAndEndsOnAKey) {
  auto saver = Start({"/S"});
  const auto a = WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  // A later frame differs (a loaded machine may take a while to draw the next one).
  std::vector<uint32_t> b = a;
  for (int waited = 0; waited < 20000 && b == a; waited += 250) {
    SleepMs(250);
    b = x.Grab(x.root(), 0, 0, 800, 600);
  }
  ASSERT_EQ(a.size(), 800u * 600u);
  EXPECT_GT(Lit(a), 200u) << "the saver drew no stars";
  EXPECT_NE(a, b) << "the frames do not change";
  // The first run stored the factory settings.
  EXPECT_EQ(StoredLong("Universe\\Galaxy0", "Galaxy_Radius", -1) > 0, true);
  EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key space"), 0);
  ASSERT_TRUE(saver->WaitFor(45000)) << "the saver did not end on a key";
  EXPECT_EQ(saver->exitCode(), 0);
}

TEST_F(SaverRun, SecondSaverDoesNothingWhileOneIsOpen) {
  auto first = Start({"/s"});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(first->running());
  auto second = Start({"/s"});
  ASSERT_TRUE(second->WaitFor(20000)) << "the second saver did not end by itself";
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_TRUE(first->running());
  e2e::RunCommand(x.display(), "xdotool mousedown 1 mouseup 1");
  ASSERT_TRUE(first->WaitFor(45000));
  EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(SaverRun, TemplateOnTheCommandLineIsStoredThenTheSaverRuns) {
  const std::string glx = home + "/deep space.glx";
  testsupport::WriteFile(glx,
                         "\r\n[General]\r\nAnimationType=0\r\n"
                         "\r\n[DirectX]\r\nDX_WinWidth=640\r\nDX_WinHeight=480\r\nDX_FilterIndex=8\r\n"
                         "\r\n[Universe]\r\nUniverse_Stars=4321\r\nUniverse_Galaxy=12\r\n");
  auto saver = Start({glx});
  const auto px = WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  EXPECT_EQ(StoredLong("Universe", "Universe_Stars", 0), 4321);
  EXPECT_EQ(StoredLong("Universe", "Universe_Galaxy", 0), 12);
  EXPECT_EQ(StoredLong("DirectX", "DX_FilterIndex", 0), 8);
  EXPECT_EQ(StoredLong("Universe", "Universe_AmStar", 0), 2000);  // missing: the default
  EXPECT_GT(Lit(px), 200u);
  e2e::RunCommand(x.display(), "xdotool key Escape");
  ASSERT_TRUE(saver->WaitFor(45000));
  EXPECT_EQ(saver->exitCode(), 0);
}

TEST_F(SaverRun, PreviewDrawsIntoAForeignWindowAndEndsWithIt) {
  const xcb_window_t host = x.CreateWindow(152, 112);
  auto preview = Start({"/p", std::to_string(host)});
  for (int waited = 0; waited < 45000 && x.Children(host).empty(); waited += 250) SleepMs(250);
  ASSERT_TRUE(preview->running());
  ASSERT_FALSE(x.Children(host).empty()) << "the preview did not enter the host window";
  SleepMs(1500);
  const auto px = x.Grab(host, 0, 0, 152, 112);
  ASSERT_EQ(px.size(), 152u * 112u);
  const size_t white = static_cast<size_t>(std::count(px.begin(), px.end(), 0xFFFFFFu));
  EXPECT_LT(white, px.size() / 2) << "the host window still shows its own background";
  x.DestroyWindow(host);
  ASSERT_TRUE(preview->WaitFor(45000)) << "the preview did not end with its host";
  EXPECT_EQ(preview->exitCode(), 0);
}

TEST_F(SaverRun, PerformanceLogIsAppendedWhenTheSaverEnds) {
  {
    testsupport::ScopedEnv env("XDG_CONFIG_HOME", home + "/config");
    platform::ResetRegistry();
    ASSERT_TRUE(store::SaveRegSetting("DirectX", "DX_WriteLog", 5));
    platform::ResetRegistry();
  }
  auto saver = Start({"/S"});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  SleepMs(1500);  // some lines of performance text
  e2e::RunCommand(x.display(), "xdotool key Escape");
  ASSERT_TRUE(saver->WaitFor(45000));
  // The log goes to the program's folder in the user's data folder, which the run creates
  // when it is missing.
  std::string log;
  ASSERT_TRUE(std::filesystem::is_directory(home + "/data")) << "no data folder was made";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home + "/data"))
    if (entry.path().filename() == "ZORVPerf.log") {
      EXPECT_EQ(entry.path().string(), home + "/data/zorvane/ZORVPerf.log");
      log = testsupport::ReadFile(entry.path().string());
    }
  ASSERT_FALSE(log.empty()) << "no performance log was written";
  EXPECT_EQ(log.rfind(std::string(120, '-') + "\nZorvane 6.0  ", 0), 0u) << log;
  EXPECT_NE(log.find("   Total    :  "), std::string::npos) << log;
}
