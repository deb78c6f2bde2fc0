// The video module: the values of a running recording and the frame writer that the
// compositor calls after every frame it has shown.
//
// While a recording's file is open and the video capture window is the window of this program
// activated last (in the Properties run mode), every composed frame of exactly the recording's
// size is converted to bottom-up 24-bit bits and appended to the file, counted, and reported in
// the window's status label; the frame that completes the planned count sets G_bCancel, which
// ends the animation loop at its next pacing. A frame that cannot be converted or written is not
// counted: the writer marks the recording failed and sets G_bCancel, and the recording road
// ends it with a message.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "capture/bitmap_info.h"
#include "platform/avi/avi_writer.h"

namespace capture {

// What the frame writer needs of the video capture window.
class VideoWindow {
 public:
  virtual ~VideoWindow() = default;
  // True while the window is the one of this program activated last.
  virtual bool IsRecordingWindowActive() const = 0;
  // Shows the status text and repaints the label at once.
  virtual void ShowFrameStatus(const std::string& text) = 0;
};

struct VideoState {
  std::unique_ptr<avi::AviWriter> VideoFile;  // the open recording; null or closed when none
  int32_t VideoFramesPerSecond = 0;
  int32_t VideoTotalFrames = 0;    // frames the recording is to hold so far
  int32_t VideoFramesWritten = 0;  // frames written so far
  uint32_t VideoStartTick = 0;     // tick when the file was opened
  bool VideoCycleThemes = false;
  bool VideoWriteFailed = false;   // a frame could not be written; the recording must end
  bool VideoStopRequested = false; // Stop was pressed while recording
  bool VideoRecording = false;     // RecordVideo is running
  std::optional<clsBitmap> BitmapInfo;  // created on first use
  VideoWindow* Window = nullptr;   // the registered video capture window; not owned
};

VideoState& video();
// Back to a fresh process state (tests); an open recording is dropped unfinished.
void ResetVideoState();

// True while a recording's file is open.
bool RecordingOpen();

// The frame writer; see the file comment.
void WriteVideoFrame();

// The status text after frame n of `total` at `framesPerSecond` (1 or more), `elapsedMs`
// milliseconds after the recording started: "Frame: n  Time (min:sec): m : ss" CR LF
// "Est. Time Left: hh:mm:ss".
std::string FrameStatusText(int32_t n, int32_t total, int32_t framesPerSecond, int64_t elapsedMs);

}  // namespace capture
