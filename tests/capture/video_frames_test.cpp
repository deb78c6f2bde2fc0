#include "capture/video_frames.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/qt_platform.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "capture/recording_sink.h"
#include "support/test_support.h"

namespace {

using capture::FrameStatusText;

TEST(FrameStatus, TextsOfTheRecording) {
  struct Case {
    int32_t n, total, fps;
    int64_t elapsedMs;
    const char* text;
  };
  for (const Case& c : {
           Case{1500, 3000, 24, 50000, "Frame: 1500  Time (min:sec): 1 : 02\r\nEst. Time Left: 00:00:50"},
           Case{1, 1, 24, 40, "Frame: 1  Time (min:sec): 0 : 00\r\nEst. Time Left: 00:00:00"},
           Case{125, 10000, 25, 5000, "Frame: 125  Time (min:sec): 0 : 05\r\nEst. Time Left: 00:06:35"},
           Case{10, 108000, 30, 7000, "Frame: 10  Time (min:sec): 0 : 00\r\nEst. Time Left: 20:59:53"},
           Case{1, 3, 1, 2500, "Frame: 1  Time (min:sec): 0 : 01\r\nEst. Time Left: 00:00:05"},
       }) {
    EXPECT_EQ(FrameStatusText(c.n, c.total, c.fps, c.elapsedMs), c.text);
  }
}

// A video window that is active unless told otherwise, recording the status texts.
struct FakeVideoWindow : capture::VideoWindow {
  bool active = true;
  std::vector<std::string> texts;
  bool IsRecordingWindowActive() const override { return active; }
  void ShowFrameStatus(const std::string& text) override { texts.push_back(text); }
};

class FrameWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presentation::ResetRenderState();
    presentation::ResetPacingState();
    presentation::ResetCompositorState();
    capture::ResetVideoState();
    presentation::InstallFrameSink(&sink);
    presentation::LoadSaverProperties(surface, false, 1.0f);
    presentation::LoadPropsInitDX();
    capture::video().Window = &window;
    dir = testsupport::MakeTempDir();
  }
  void TearDown() override {
    presentation::InstallFrameSink(nullptr);
    capture::ResetVideoState();
    std::filesystem::remove_all(dir);
  }
  void Open(int32_t total) {
    auto& v = capture::video();
    v.BitmapInfo.emplace();
    v.BitmapInfo->SetupImageProps(presentation::render().RenderWidth, presentation::render().RenderHeight);
    v.VideoFile = std::make_unique<avi::AviWriter>();
    ASSERT_TRUE(v.VideoFile->Open(dir + "/f.avi", v.BitmapInfo->Width(), v.BitmapInfo->Height(), 10, {}));
    v.VideoFramesPerSecond = 10;
    v.VideoTotalFrames = total;
  }
  testsupport::TempConfig config;
  presentation::HeadlessRenderSurface surface{64, 48};
  testsupport::ForwardingSink sink;
  FakeVideoWindow window;
  std::string dir;
};

TEST_F(FrameWriterTest, CountsFramesAndStopsAtThePlannedCount) {
  Open(3);
  auto& v = capture::video();
  auto& fb = presentation::render().FrameBuffer;
  fb[0] = 0x00FF0000;  // top-left pixel red
  presentation::render().BlendLevel = 100;  // the trail blend keeps the frame as it is
  for (int i = 0; i < 2; ++i) presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 2);
  EXPECT_FALSE(presentation::pacing().G_bCancel);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 3);
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  // Past the planned count nothing more is written.
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 3);
  ASSERT_EQ(window.texts.size(), 3u);
  EXPECT_EQ(window.texts[0].rfind("Frame: 1  Time (min:sec): 0 : 00\r\nEst. Time Left: ", 0), 0u);
  // The frame's bits are bottom-up: the top-left pixel is at the start of the last row.
  const auto bits = v.BitmapInfo->PointerToBits();
  EXPECT_EQ(bits[static_cast<size_t>(64 * 47 * 3 + 2)], 255);
  ASSERT_TRUE(v.VideoFile->Close());
}

TEST_F(FrameWriterTest, WritesNothingWhenNotRecordingOrNotActive) {
  auto& v = capture::video();
  presentation::zDX8_BlendBlit_Surface(-1, -1);  // no file open
  EXPECT_EQ(v.VideoFramesWritten, 0);
  Open(10);
  window.active = false;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 0);
  window.active = true;
  presentation::pacing().RunMode = presentation::kRunPreview;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 0);
  presentation::pacing().RunMode = presentation::kRunProperties;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 1);
  // A frame of another size than the recording's is not taken.
  v.BitmapInfo->SetupImageProps(32, 48);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(v.VideoFramesWritten, 1);
  EXPECT_TRUE(window.texts.size() == 1);
}

TEST_F(FrameWriterTest, AFailedWriteIsNotCountedAndEndsTheLoop) {
  // A device that is always full: the writes fail once the muxer's buffer is flushed.
  auto& v = capture::video();
  v.BitmapInfo.emplace();
  v.BitmapInfo->SetupImageProps(64, 48);
  v.VideoFile = std::make_unique<avi::AviWriter>();
  ASSERT_TRUE(v.VideoFile->Open("/dev/full", 64, 48, 10, {}));
  v.VideoFramesPerSecond = 10;
  v.VideoTotalFrames = 50;
  int composed = 0;
  while (!v.VideoWriteFailed && composed < 50) {
    presentation::zDX8_BlendBlit_Surface(-1, -1);
    ++composed;
  }
  EXPECT_TRUE(v.VideoWriteFailed);
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  EXPECT_EQ(v.VideoFramesWritten, composed - 1);
  presentation::zDX8_BlendBlit_Surface(-1, -1);  // nothing more after a failure
  EXPECT_EQ(v.VideoFramesWritten, composed - 1);
  EXPECT_FALSE(v.VideoFile->Close());
}

int g_hookCalls = 0;
void CountingWriter() { ++g_hookCalls; }

TEST(FrameWriterHook, TheWindowLayersSinkCallsTheRegisteredWriter) {
  presentation::ResetRenderState();
  presentation::InstallFrameSink(&host::qtFrameSink());
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(g_hookCalls, 0);
  host::qtFrameSink().SetVideoFrameWriter(&CountingWriter);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(g_hookCalls, 2);
  host::qtFrameSink().SetVideoFrameWriter(nullptr);
  presentation::InstallFrameSink(nullptr);
}

}  // namespace
