#include "capture/video_recording.h"

#include <filesystem>
#include <system_error>

#include "capture/video_frames.h"
#include "platform/message_box.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "runtime/numbers.h"

namespace capture {
namespace {

void RemoveFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

void ShowWriteError() {
  platform::ShowMessage(kWriteErrorText, platform::kProductName, platform::MsgIcon::Information);
}

// Composes the current frame `count` times; each passes the frame writer. Events run between
// the frames, so Stop is seen; nothing more is composed once the file is closed, a frame failed
// or Stop was pressed.
void BlitFrames(int32_t count) {
  VideoState& v = video();
  for (int32_t i = 0; i < count; ++i) {
    if (!RecordingOpen() || v.VideoWriteFailed || v.VideoStopRequested) return;
    presentation::zDX8_BlendBlit_Surface(-1, -1);
    presentation::hostPlatform().DoEvents();
  }
}

bool OpenVideoFile(const RecordingPlan& plan, const std::string& tempPath, const CompressorChooser& choose,
                   bool& cancelled) {
  VideoState& v = video();
  cancelled = false;
  RemoveFile(tempPath);
  if (!v.BitmapInfo) v.BitmapInfo.emplace();
  v.BitmapInfo->SetupImageProps(plan.width, plan.height);
  VideoCompressOptions options = LoadCompressOptions();
  if (!choose || !choose(options)) {
    cancelled = true;
    return false;
  }
  v.VideoFile = std::make_unique<avi::AviWriter>();
  if (!v.VideoFile->Open(tempPath, v.BitmapInfo->Width(), v.BitmapInfo->Height(), plan.framesPerSecond,
                         ToWriterOptions(options))) {
    v.VideoFile.reset();
    RemoveFile(tempPath);
    ShowWriteError();
    return false;
  }
  SaveCompressOptions(options);
  return true;
}

// Closes the file; a complete file replaces the target, an incomplete one is removed.
bool FinishVideo(const std::string& tempPath, const std::string& targetPath) {
  VideoState& v = video();
  const bool written = v.VideoFile != nullptr && v.VideoFile->Close() && !v.VideoWriteFailed;
  v.VideoFile.reset();
  if (!written) {
    RemoveFile(tempPath);
    ShowWriteError();
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(tempPath, targetPath, ec);
  if (ec) {
    platform::ShowMessage("The video could not be moved to\r\n" + targetPath + "\r\nIt was kept as\r\n" + tempPath,
                          platform::kProductName, platform::MsgIcon::Information);
    return false;
  }
  return true;
}

}  // namespace

std::string RecordingTempPathFor(const std::string& directory) {
  if (directory.empty()) return kRecordingTempName;
  const char last = directory.back();
  return directory + (last == '/' || last == '\\' ? "" : "/") + kRecordingTempName;
}

RecordingPlan ClampPlan(RecordingPlan p) {
  p.width = runtime::ClampLong(p.width, 32, 1920);
  p.width = (p.width + 3) / 4 * 4;
  p.height = runtime::ClampLong(p.height, 32, 1080);
  p.framesPerSecond = runtime::ClampLong(p.framesPerSecond, 1, 30);
  p.totalFrames = runtime::ClampLong(p.totalFrames, 1, 108000);
  p.blackBegin = runtime::ClampLong(p.blackBegin, 0, 999);
  p.blackEnd = runtime::ClampLong(p.blackEnd, 0, 999);
  return p;
}

void StopRecording() {
  VideoState& v = video();
  if (!v.VideoRecording) return;
  v.VideoStopRequested = true;
  presentation::pacing().G_bCancel = true;
}

bool RecordingRunning() { return video().VideoRecording; }

RecordingEnd RecordVideo(const RecordingPlan& requested, presentation::RenderSurface& picture,
                         const CompressorChooser& chooseCompressor, const AnimationRunner& runAnimation) {
  VideoState& v = video();
  if (v.VideoRecording) return RecordingEnd::Failed;
  const RecordingPlan plan = ClampPlan(requested);
  v.VideoFramesPerSecond = plan.framesPerSecond;
  v.VideoFramesWritten = 0;
  v.VideoTotalFrames = plan.totalFrames;
  v.VideoWriteFailed = false;
  v.VideoStopRequested = false;
  auto& pacing = presentation::pacing();
  pacing.RunMode = presentation::kRunProperties;
  // The picture takes the frame size first, so the frame buffer bound to it has exactly the
  // video's size.
  picture.ResizeInnerPx(plan.width, plan.height);
  presentation::LoadSaverProperties(picture, false, 1.0f);
  presentation::LoadPropsInitDX();
  const auto& r = presentation::render();
  if (r.RenderWidth != plan.width || r.RenderHeight != plan.height) {
    ShowWriteError();
    return RecordingEnd::Failed;
  }

  const std::string tempPath = RecordingTempPathFor(plan.directory);
  bool cancelled = false;
  if (!OpenVideoFile(plan, tempPath, chooseCompressor, cancelled)) {
    return cancelled ? RecordingEnd::Cancelled : RecordingEnd::Failed;
  }
  v.VideoRecording = true;
  v.VideoStartTick = presentation::hostPlatform().GetTickCount();

  v.VideoTotalFrames += plan.blackBegin;
  BlitFrames(plan.blackBegin);
  if (RecordingOpen() && !v.VideoWriteFailed && !v.VideoStopRequested) {
    pacing.G_bCancel = false;
    if (runAnimation) runAnimation();
  }
  if (!v.VideoWriteFailed && !v.VideoStopRequested && v.VideoFramesWritten == v.VideoTotalFrames) {
    v.VideoTotalFrames += plan.blackEnd;
    BlitFrames(plan.blackEnd);
  }
  const bool stopped = v.VideoStopRequested;
  const bool finished = FinishVideo(tempPath, plan.targetPath);
  v.VideoRecording = false;
  v.VideoStopRequested = false;
  pacing.G_bCancel = true;
  if (!finished) return RecordingEnd::Failed;
  return stopped ? RecordingEnd::Stopped : RecordingEnd::Finished;
}

}  // namespace capture
