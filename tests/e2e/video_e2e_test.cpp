#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <regex>
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
  // Edit > Video Capture in the Properties window, Enter begins, Enter takes the offered
  // compressor.
  void BeginRecordingByKeys() {
    ASSERT_TRUE(WaitForKeyboard("Zorvane Properties")) << "the Properties window did not open with the keyboard";
    ASSERT_TRUE(Choose("alt+e", "v", "Zorvane Video Creation")) << "Edit > Video Capture did not open the window";
    ASSERT_TRUE(WaitForKeyboard("Zorvane Video Creation")) << "the video window did not take the keyboard";
    ASSERT_TRUE(Keys("Return"));
    ASSERT_TRUE(WaitForKeyboard("Video Compression")) << "Begin did not ask for the compressor";
    ASSERT_TRUE(Keys("Return"));
  }
  bool Type(const std::string& text) { return e2e::RunCommand(x.display(), "xdotool type '" + text + "'") == 0; }
  // Whether a recording's temporary file ("ZORV_VideoTemp" and a unique part) lies in `dir`.
  static bool TempFileLeft(const std::string& dir) { return TempFileSize(dir) >= 0; }
  // The size of the recording's temporary file in `dir`; -1 when there is none.
  static std::intmax_t TempFileSize(const std::string& dir) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
      if (entry.path().filename().string().rfind("ZORV_VideoTemp", 0) != 0) continue;
      const std::uintmax_t size = std::filesystem::file_size(entry.path(), ec);
      return ec ? 0 : static_cast<std::intmax_t>(size);
    }
    return -1;
  }
};

}  // namespace

// Edit > Video Capture by keys, Enter begins, Enter takes the offered compressor: the planned
// frames end up as a playable AVI in the user's videos folder.
TEST_F(VideoRun, VideoCaptureByKeysRecordsThePlannedFramesIntoTheVideosFolder) {
  auto program = Start({"/C"});
  BeginRecordingByKeys();
  if (HasFatalFailure()) return;

  // The finished file replaces the target in one step.
  const std::string video = home + "/Videos/Zorvane_Video.AVI";
  for (int waited = 0; waited < 120000 && !std::filesystem::exists(video); waited += 200) e2e::SleepMs(200);
  ASSERT_TRUE(std::filesystem::exists(video)) << "no video was written";
  const testsupport::AviReadBack r = testsupport::ReadAvi(video);
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.packets, 48);
  EXPECT_EQ(r.width, 320);
  EXPECT_EQ(r.height, 240);
  EXPECT_FALSE(TempFileLeft(home + "/Videos"));

  // Esc closes the video window, then the Properties window, and the program ends.
  ASSERT_TRUE(WaitForKeyboard("Zorvane Video Creation")) << "the video window did not keep the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Zorvane Video Creation")) << "Esc did not close the video window";
  EXPECT_TRUE(Focus("Zorvane Properties")) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the program did not end";
  EXPECT_EQ(program->exitCode(), 0);
  EXPECT_EQ(StoredLong("Video", "FrameTotal", -1), 48);
}

// Under a file-size limit (ulimit -f) a recording's write past it fails like a full disk: the
// program stays, says "There was an error writing the file.", and leaves no temporary file and no
// video; the windows then close as usual.
TEST_F(VideoRun, AFileSizeLimitEndsTheRecordingWithItsMessage) {
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 2 << 20;
  // The program inherits the limit; the test itself writes nothing large meanwhile.
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  auto program = Start({"/C"});
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
  BeginRecordingByKeys();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(WaitForWindow("Zorvane")) << "no message about the failed write";
  EXPECT_TRUE(program->running()) << "the program ended (killed by the size limit?)";
  EXPECT_FALSE(std::filesystem::exists(home + "/Videos/Zorvane_Video.AVI"));
  EXPECT_FALSE(TempFileLeft(home + "/Videos"));
  ASSERT_TRUE(WaitForKeyboard("Zorvane")) << "the message did not take the keyboard";
  ASSERT_TRUE(Keys("Return"));
  EXPECT_TRUE(WaitUntilGone("Zorvane"));
  EXPECT_TRUE(Focus("Zorvane Video Creation")) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Zorvane Video Creation")) << "Esc did not close the video window";
  EXPECT_TRUE(Focus("Zorvane Properties")) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the program did not end";
  EXPECT_EQ(program->exitCode(), 0);
}

// File > Save Template As... in the folder the dialog remembers: a typed name becomes a template
// file there. File > Open Template...: the file list shows it, the first arrow key picks it, and
// Enter loads it (an advanced value edited in the file reaches the stored settings).
TEST_F(VideoRun, TemplateSavedByATypedNameAndOpenedFromTheFileList) {
  const std::string folder = home + "/templates";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(WithStore([&] { return store::SaveRegSetting("Template", "Path_Dir", folder); }));
  auto program = Start({"/C"});
  ASSERT_TRUE(WaitForKeyboard("Zorvane Properties")) << "the Properties window did not open with the keyboard";

  ASSERT_TRUE(Choose("alt+f", "a", "Enter or Select Template to Save")) << "File > Save Template As did not open";
  ASSERT_TRUE(WaitForKeyboard("Enter or Select Template to Save")) << "the save dialog did not take the keyboard";
  ASSERT_TRUE(Type("mine"));
  ASSERT_TRUE(Keys("Return"));
  ASSERT_TRUE(WaitUntilGone("Enter or Select Template to Save")) << "the save dialog stayed open";
  const std::string saved = folder + "/mine.GLX";
  ASSERT_TRUE(std::filesystem::exists(saved)) << "no template was written";

  std::string text = testsupport::ReadFile(saved);
  ASSERT_NE(text.find("Adv_TimeDelay="), std::string::npos);
  text = std::regex_replace(text, std::regex("Adv_TimeDelay=[0-9]+"), "Adv_TimeDelay=37");
  testsupport::WriteFile(saved, text);

  EXPECT_TRUE(Focus("Zorvane Properties")) << "the window did not take the keyboard";
  ASSERT_TRUE(Choose("alt+f", "o", "Select Template to Open")) << "File > Open Template did not open";
  ASSERT_TRUE(WaitForKeyboard("Select Template to Open")) << "the open dialog did not take the keyboard";
  // From the name box back to the file list; Down selects its first (only) file.
  ASSERT_TRUE(Keys("shift+Tab shift+Tab"));
  e2e::SleepMs(200);
  ASSERT_TRUE(Keys("Down"));
  e2e::SleepMs(200);
  ASSERT_TRUE(Keys("Return"));
  ASSERT_TRUE(WaitUntilGone("Select Template to Open")) << "the open dialog stayed open";
  int32_t delay = 0;
  for (int waited = 0; waited < 10000 && (delay = StoredLong("Advanced", "Adv_TimeDelay", -1)) != 37; waited += 200)
    e2e::SleepMs(200);
  EXPECT_EQ(delay, 37) << "the opened template did not reach the settings";

  EXPECT_TRUE(Focus("Zorvane Properties")) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the program did not end";
  EXPECT_EQ(program->exitCode(), 0);
}

// Another X client destroys the video window, while a recording runs or while it is idle: the
// window closes as its close box closes it. A recording ends as Stop ends it (the frames so far
// become a playable video at the target, no temporary file is left); the window's settings are
// stored as at every unload; the Properties window then answers Esc and the program ends with
// status 0, with no X error about the window that is gone.
TEST_F(VideoRun, VideoWindowDestroyedByAnotherClientClosesAsItsCloseBoxDoes) {
  struct Case {
    const char* name;
    bool recording;
    int32_t storedFrames;  // before the run
    int32_t framesAfter;   // stored by the window's unload
  } cases[] = {
      // Far more frames than the test waits for.
      {"recording", true, 100000, 100000},
      // The unload stores the frame count clamped to its range: proof that it ran.
      {"idle", false, 0, 1},
  };
  const std::string videos = home + "/Videos";
  const std::string video = videos + "/Zorvane_Video.AVI";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(videos);
    ASSERT_TRUE(WithStore([&] { return store::SaveRegSetting("Video", "FrameTotal", c.storedFrames); }));
    auto program = StartLogged({"/C"});
    if (c.recording) {
      BeginRecordingByKeys();
      if (HasFatalFailure()) return;
      // Frames reach the temporary file.
      for (int waited = 0; waited < 60000 && TempFileSize(videos) < 64 * 1024; waited += 200) e2e::SleepMs(200);
      ASSERT_GE(TempFileSize(videos), 64 * 1024) << "the recording wrote no frames";
      ASSERT_FALSE(std::filesystem::exists(video));
    } else {
      ASSERT_TRUE(WaitForKeyboard("Zorvane Properties")) << "the Properties window did not open with the keyboard";
      ASSERT_TRUE(Choose("alt+e", "v", "Zorvane Video Creation")) << "Edit > Video Capture did not open the window";
      e2e::SleepMs(1000);
    }
    const xcb_window_t window = WaitForWindow("Zorvane Video Creation");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(program->running());

    x.DestroyWindow(window);
    if (c.recording) {
      for (int waited = 0; waited < 60000 && !std::filesystem::exists(video); waited += 200) e2e::SleepMs(200);
      ASSERT_TRUE(std::filesystem::exists(video)) << "the recording was not finished\n" << ErrorOutput();
      const testsupport::AviReadBack r = testsupport::ReadAvi(video);
      EXPECT_TRUE(r.opened);
      EXPECT_GT(r.packets, 0);
      EXPECT_LT(r.packets, 100000);
      EXPECT_EQ(r.width, 320);
      EXPECT_EQ(r.height, 240);
      EXPECT_FALSE(TempFileLeft(videos));
    }

    // The keyboard to the Properties window (no window manager gives it here).
    EXPECT_TRUE(Focus("Zorvane Properties")) << "the window did not take the keyboard";
    ASSERT_TRUE(Keys("Escape"));
    ASSERT_TRUE(program->WaitFor(45000)) << "the Properties window did not answer Esc\n" << ErrorOutput();
    EXPECT_EQ(program->exitCode(), 0);
    EXPECT_EQ(StoredLong("Video", "FrameTotal", -1), c.framesAfter);
    if (!c.recording) {
      EXPECT_FALSE(std::filesystem::exists(video));
    }
    const std::string errors = ErrorOutput();
    EXPECT_EQ(errors.find("XCB error"), std::string::npos) << errors;
  }
}
