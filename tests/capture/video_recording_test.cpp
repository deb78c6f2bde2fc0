#include "capture/video_recording.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "capture/video_frames.h"
#include "engine/display_universe.h"
#include "engine/universe_settings.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/typed_readers.h"
#include "capture/recording_sink.h"
#include "support/avi_read_back.h"
#include "support/test_support.h"

namespace {

using capture::RecordingEnd;
using capture::RecordingPlan;

// The video window: always active; Stop is pressed when the status shows frame `stopAt`.
struct FakeVideoWindow : capture::VideoWindow {
  int32_t stopAt = 0;
  int32_t shown = 0;
  bool IsRecordingWindowActive() const override { return true; }
  void ShowFrameStatus(const std::string&) override {
    if (++shown == stopAt) capture::StopRecording();
  }
};

void RunStoredUniverse() {
  engine::LoadUniverseSettings(false);
  engine::DisplayUniverse();
}

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetRecordingState();
    presentation::InstallFrameSink(&sink);
    capture::video().Window = &window;
    dir = testsupport::MakeTempDir();
    plan.directory = dir;
    plan.targetPath = dir + "/clip.avi";
    plan.width = 320;
    plan.height = 240;
    plan.framesPerSecond = 24;
    plan.totalFrames = 20;
    plan.blackBegin = 3;
    plan.blackEnd = 2;
  }
  void TearDown() override {
    presentation::InstallFrameSink(nullptr);
    capture::ResetVideoState();
    std::filesystem::remove_all(dir);
  }
  static capture::CompressorChooser Choose(uint32_t fourcc) {
    return [fourcc](capture::VideoCompressOptions& o) {
      o = capture::VideoCompressOptions{};
      o.fccType = static_cast<int32_t>(avi::FourCC("vids"));
      o.fccHandler = static_cast<int32_t>(fourcc);
      o.dwFlags = capture::kCompressValid;
      o.dwQuality = 7500;
      return true;
    };
  }
  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  presentation::HeadlessRenderSurface surface{100, 100};
  testsupport::ForwardingSink sink;
  FakeVideoWindow window;
  RecordingPlan plan;
  std::string dir;
};

TEST_F(RecordingTest, LeadInAnimationAndTrailerForEachCompressor) {
  struct Case {
    const char* fourcc;
    AVCodecID codec;
  };
  for (const Case& c : {Case{"", AV_CODEC_ID_RAWVIDEO}, Case{"MJPG", AV_CODEC_ID_MJPEG}, Case{"FFV1", AV_CODEC_ID_FFV1},
                        Case{"FMP4", AV_CODEC_ID_MPEG4}}) {
    SCOPED_TRACE(c.fourcc);
    const uint32_t fourcc = *c.fourcc ? avi::FourCC(*reinterpret_cast<const char(*)[5]>(c.fourcc)) : 0;
    EXPECT_EQ(capture::RecordVideo(plan, surface, Choose(fourcc), RunStoredUniverse), RecordingEnd::Finished);
    EXPECT_EQ(surface.InnerWidthPx(), 320);
    const testsupport::AviReadBack r = testsupport::ReadAvi(plan.targetPath);
    EXPECT_EQ(r.packets, 25);
    EXPECT_EQ(r.width, 320);
    EXPECT_EQ(r.height, 240);
    EXPECT_EQ(r.codec, c.codec);
    EXPECT_FALSE(capture::HasRecordingTempFile(dir));
    EXPECT_EQ(store::GetSettingLong("Video", "DefaultParms_fccHandler", -1), static_cast<int32_t>(fourcc));
    if (fourcc == 0) {
      // The stream format is the bitmap header; the lead-in frames are black.
      const std::string bytes = testsupport::ReadFile(plan.targetPath);
      const std::string golden = testsupport::ReadFile(testsupport::FixturePath("bitmap_info_320x240.bin"));
      const size_t at = bytes.find("strf");
      ASSERT_NE(at, std::string::npos);
      EXPECT_EQ(bytes.substr(at + 8, 40), golden);
      ASSERT_EQ(r.firstPacket.size(), 320u * 240 * 3);
      EXPECT_TRUE(std::all_of(r.firstPacket.begin(), r.firstPacket.end(), [](uint8_t b) { return b == 0; }));
    }
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RecordingTest, StopAfterFiveFramesKeepsWhatWasWritten) {
  window.stopAt = 3 + 5;
  EXPECT_EQ(capture::RecordVideo(plan, surface, Choose(0), RunStoredUniverse), RecordingEnd::Stopped);
  EXPECT_EQ(testsupport::ReadAvi(plan.targetPath).packets, 8);
  EXPECT_FALSE(capture::RecordingRunning());
}

TEST_F(RecordingTest, CancelledCompressorLeavesNoFileAndNoSetting) {
  testsupport::WriteFile(plan.targetPath, "old");
  const auto cancel = [](capture::VideoCompressOptions&) { return false; };
  EXPECT_EQ(capture::RecordVideo(plan, surface, cancel, RunStoredUniverse), RecordingEnd::Cancelled);
  EXPECT_FALSE(capture::HasRecordingTempFile(dir));
  EXPECT_EQ(testsupport::ReadFile(plan.targetPath), "old");
  EXPECT_EQ(store::GetSettingString("Video", "DefaultParms_fccType", "missing"), "missing");
  EXPECT_TRUE(messages.messages.empty());
}

// The temporary file is made before the compressor is asked for: an output folder it cannot be
// made in gives the write error at once, and no compressor dialog.
TEST_F(RecordingTest, OutputFolderThatCannotTakeTheFileIsToldBeforeTheCompressorIsChosen) {
  testsupport::WriteFile(dir + "/plain", "");
  for (const char* folder : {"/missing", "/plain"}) {
    SCOPED_TRACE(folder);
    messages.messages.clear();
    plan.directory = dir + folder;
    bool asked = false;
    const auto choose = [&asked](capture::VideoCompressOptions&) { return asked = true; };
    EXPECT_EQ(capture::RecordVideo(plan, surface, choose, RunStoredUniverse), RecordingEnd::Failed);
    EXPECT_FALSE(asked);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, capture::kWriteErrorText);
    EXPECT_FALSE(capture::RecordingRunning());
    EXPECT_EQ(store::GetSettingString("Video", "DefaultParms_fccType", "missing"), "missing");
  }
}

TEST_F(RecordingTest, SizesAndCountsAreClamped) {
  RecordingPlan wild = plan;
  wild.width = 321;
  wild.height = 5000;
  wild.framesPerSecond = 0;
  wild.totalFrames = 0;
  wild.blackBegin = -4;
  wild.blackEnd = 5000;
  const RecordingPlan p = capture::ClampPlan(wild);
  EXPECT_EQ(p.width, 324);
  EXPECT_EQ(p.height, 1080);
  EXPECT_EQ(p.framesPerSecond, 1);
  EXPECT_EQ(p.totalFrames, 1);
  EXPECT_EQ(p.blackBegin, 0);
  EXPECT_EQ(p.blackEnd, 999);
  EXPECT_EQ(capture::ClampPlan(RecordingPlan{"", "", 5000, 10, 31, 200000, 0, 0}).width, 1920);
  EXPECT_EQ(capture::RecordingTempPatternFor("/v/"), "/v/ZORV_VideoTempXXXXXX.avi");
  EXPECT_EQ(capture::RecordingTempPatternFor("/v"), "/v/ZORV_VideoTempXXXXXX.avi");
}

// Links another user could have put in a shared output folder, at the old fixed temporary name
// and at unique-looking names, are never written through: the recording makes its temporary
// file exclusively and only renames it over the target.
TEST_F(RecordingTest, LinksInTheOutputFolderAreNeverWrittenThrough) {
  const std::string victim = testsupport::MakeTempDir();
  testsupport::WriteFile(victim + "/mine", "keep");
  for (const char* name : {"ZORV_VideoTemp.avi", "ZORV_VideoTempAAAAAA.avi", "ZORV_VideoTemp"})
    std::filesystem::create_symlink(victim + "/mine", dir + "/" + name);
  EXPECT_EQ(capture::RecordVideo(plan, surface, Choose(0), RunStoredUniverse), RecordingEnd::Finished);
  EXPECT_EQ(testsupport::ReadFile(victim + "/mine"), "keep");
  EXPECT_EQ(testsupport::ReadAvi(plan.targetPath).packets, 25);
  EXPECT_TRUE(std::filesystem::is_symlink(dir + "/ZORV_VideoTemp.avi"));
  // Only the links remain beside the video.
  int others = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    others += entry.path() != plan.targetPath && !entry.is_symlink();
  EXPECT_EQ(others, 0);
  EXPECT_TRUE(messages.messages.empty());
  std::filesystem::remove_all(victim);
}

TEST_F(RecordingTest, FullDiskEndsWithTheMessageAndKeepsTheOldTarget) {
  testsupport::WriteFile(plan.targetPath, "old");
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{1 << 20, 1 << 20};
    setrlimit(RLIMIT_FSIZE, &lim);
    const RecordingEnd end = capture::RecordVideo(plan, surface, Choose(0), RunStoredUniverse);
    const bool told = messages.messages.size() == 1 && messages.messages[0].text == capture::kWriteErrorText;
    _exit(end == RecordingEnd::Failed && told ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(testsupport::ReadFile(plan.targetPath), "old");
  EXPECT_FALSE(capture::HasRecordingTempFile(dir));
}

}  // namespace
