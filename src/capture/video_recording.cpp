#include "capture/video_recording.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Creates a new temporary file of a recording in `directory`, under a name of its own made
// there exclusively (a file or link already at a name is never opened); its descriptor, or -1.
// `path` receives the name.
int CreateRecordingTemp(const std::string& directory, std::string& path) {
  std::string name = RecordingTempPatternFor(directory);
  const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
  if (fd < 0) return -1;
  // The finished video gets the permissions of any new file, not the temporary file's private
  // ones.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  path = name;
  return fd;
}

bool OpenVideoFile(const RecordingPlan& plan, std::string& tempPath, const CompressorChooser& choose,
                   bool& cancelled) {
  VideoState& v = video();
  cancelled = false;
  tempPath.clear();
  if (!v.BitmapInfo) v.BitmapInfo.emplace();
  v.BitmapInfo->SetupImageProps(plan.width, plan.height);
  // The file comes first: an output folder that cannot be written is told at once, before the
  // compressor is chosen.
  const int fd = CreateRecordingTemp(plan.directory, tempPath);
  if (fd < 0) {
    ShowWriteError();
    return false;
  }
  VideoCompressOptions options = LoadCompressOptions();
  if (!choose || !choose(options)) {
    ::close(fd);
    RemoveFile(tempPath);
    cancelled = true;
    return false;
  }
  v.VideoFile = std::make_unique<avi::AviWriter>();
  // The writer takes the descriptor over, also when it fails.
  if (!v.VideoFile->Open(fd, v.BitmapInfo->Width(), v.BitmapInfo->Height(), plan.framesPerSecond,
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

std::string RecordingTempPatternFor(const std::string& directory) {
  const std::string name = std::string(kRecordingTempPrefix) + "XXXXXX.avi";
  if (directory.empty()) return name;
  const char last = directory.back();
  return directory + (last == '/' || last == '\\' ? "" : "/") + name;
}

bool HasRecordingTempFile(const std::string& directory) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(directory.empty() ? "." : directory, ec)) {
    if (entry.path().filename().string().rfind(kRecordingTempPrefix, 0) == 0) return true;
  }
  return false;
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

  std::string tempPath;
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
