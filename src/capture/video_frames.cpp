#include "capture/video_frames.h"

#include <cstdio>

#include "platform/pixlib/pixlib.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"

namespace capture {

VideoState& video() {
  static VideoState state;
  return state;
}

void ResetVideoState() { video() = VideoState{}; }

bool RecordingOpen() {
  const VideoState& v = video();
  return v.VideoFile != nullptr && v.VideoFile->isOpen();
}

std::string FrameStatusText(int32_t n, int32_t total, int32_t framesPerSecond, int64_t elapsedMs) {
  const int64_t fps = framesPerSecond < 1 ? 1 : framesPerSecond;
  const int64_t frames = n < 1 ? 1 : n;
  const double elapsed = static_cast<double>(elapsedMs) * 0.001;
  const int64_t left64 = runtime::ToLongOr(elapsed * static_cast<double>(total - frames) / static_cast<double>(frames), 0);
  const int64_t left = left64 < 0 ? 0 : left64;
  const int64_t minutes = n / fps / 60;
  const int64_t seconds = (n - minutes * 60 * fps) / fps;
  const int64_t hours = (left % 86400) / 3600;
  const int64_t minutesLeft = (left % 3600) / 60;
  const int64_t secondsLeft = left % 60;
  char text[160];
  std::snprintf(text, sizeof text, "Frame: %d  Time (min:sec): %lld : %02lld\r\nEst. Time Left: %02lld:%02lld:%02lld", n,
                static_cast<long long>(minutes), static_cast<long long>(seconds), static_cast<long long>(hours),
                static_cast<long long>(minutesLeft), static_cast<long long>(secondsLeft));
  return text;
}

void WriteVideoFrame() {
  VideoState& v = video();
  auto& pacing = presentation::pacing();
  if (pacing.RunMode != presentation::kRunProperties || v.Window == nullptr || !v.Window->IsRecordingWindowActive())
    return;
  // Nothing is written without an open file, after a failed frame, past the planned count, or
  // for a frame of another size than the recording's.
  if (!RecordingOpen() || v.VideoWriteFailed || v.VideoFramesWritten >= v.VideoTotalFrames || !v.BitmapInfo) return;
  clsBitmap& bmp = *v.BitmapInfo;
  const auto& r = presentation::render();
  if (r.RenderWidth != bmp.Width() || r.RenderHeight != bmp.Height() || r.BufferStride < r.RenderWidth ||
      r.FrameBuffer.size() < static_cast<size_t>(r.BufferStride) * static_cast<size_t>(r.RenderHeight)) {
    return;
  }
  const auto& c = presentation::compositor();
  pixlib::CopyRGBtoBMP(r.FrameBuffer, bmp.PointerToBits(), r.RenderWidth, r.BufferStride, r.RenderHeight, c.FilterMode,
                       c.FilterMask, r.RenderBitsPerPixel);
  if (!v.VideoFile->WriteFrame(bmp.PointerToBits())) {
    v.VideoWriteFailed = true;
    pacing.G_bCancel = true;
    return;
  }
  const int32_t n = ++v.VideoFramesWritten;
  const uint32_t now = presentation::hostPlatform().GetTickCount();
  v.Window->ShowFrameStatus(FrameStatusText(n, v.VideoTotalFrames, v.VideoFramesPerSecond,
                                            static_cast<int64_t>(static_cast<uint32_t>(now - v.VideoStartTick))));
  if (n == v.VideoTotalFrames) pacing.G_bCancel = true;
}

}  // namespace capture
