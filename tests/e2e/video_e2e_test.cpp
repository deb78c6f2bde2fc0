#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"
#include "support/avi_read_back.h"

namespace {

class VideoRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before (no welcome window); the recording's length stored beforehand.
    ASSERT_TRUE(WithStore([] {
      return store::SaveRegSetting("General", "ResetSettings", 1) && store::SaveRegSetting("Video", "FrameTotal", 48);
    }));
  }
  // Waits until a window of that exact title shows.
  bool WaitForWindow(const std::string& title) {
    return e2e::RunCommand(x.display(), "timeout 90 xdotool search --sync --onlyvisible --name '^" + title + "$'") == 0;
  }
  bool Keys(const std::string& keys) { return e2e::RunCommand(x.display(), "xdotool key " + keys) == 0; }
};

}  // namespace

// Edit > Video Capture by keys, Enter begins, Enter takes the offered compressor: the planned
// frames end up as a playable AVI in the user's videos folder.
TEST_F(VideoRun, VideoCaptureByKeysRecordsThePlannedFramesIntoTheVideosFolder) {
  auto program = Start({"/C"});
  ASSERT_TRUE(WaitForWindow("Zorvane Properties")) << "the Properties window did not open";
  e2e::SleepMs(1000);
  ASSERT_TRUE(Keys("alt+e"));
  e2e::SleepMs(300);
  ASSERT_TRUE(Keys("v"));
  ASSERT_TRUE(WaitForWindow("Zorvane Video Creation")) << "Edit > Video Capture did not open the window";
  e2e::SleepMs(1000);
  ASSERT_TRUE(Keys("Return"));
  ASSERT_TRUE(WaitForWindow("Video Compression")) << "Begin did not ask for the compressor";
  e2e::SleepMs(500);
  ASSERT_TRUE(Keys("Return"));

  // The finished file replaces the target in one step.
  const std::string video = home + "/Videos/Zorvane_Video.AVI";
  for (int waited = 0; waited < 120000 && !std::filesystem::exists(video); waited += 200) e2e::SleepMs(200);
  ASSERT_TRUE(std::filesystem::exists(video)) << "no video was written";
  const testsupport::AviReadBack r = testsupport::ReadAvi(video);
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.packets, 48);
  EXPECT_EQ(r.width, 320);
  EXPECT_EQ(r.height, 240);
  EXPECT_FALSE(std::filesystem::exists(home + "/Videos/ZORV_VideoTemp.avi"));

  // Esc closes the video window, then the Properties window, and the program ends.
  e2e::SleepMs(500);
  ASSERT_TRUE(Keys("Escape"));
  e2e::SleepMs(1000);
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the program did not end";
  EXPECT_EQ(program->exitCode(), 0);
  EXPECT_EQ(StoredLong("Video", "FrameTotal", -1), 48);
}
