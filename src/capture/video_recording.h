// The recording road of the video capture window: one run of the universe animation turned
// into an AVI file.
//
// A recording writes into a temporary file "ZORV_VideoTemp<unique>.avi", created exclusively
// in the output folder: black
// lead-in frames, the animation until the planned number of frames is written, black trailing
// frames. Only a file that was finished completely replaces the target, by rename; an unfinished
// one (a frame or the close could not be written) is removed and "There was an error writing the
// file." is shown. Stop ends the recording at any step; the frames written so far are finished
// into the target without trailing frames. A cancelled compressor dialog leaves no file and
// stores nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "capture/compressor_dialog.h"
#include "presentation/render_state.h"

namespace capture {

inline constexpr const char* kRecordingTempPrefix = "ZORV_VideoTemp";
inline constexpr const char* kWriteErrorText = "There was an error writing the file.";

// The name pattern of a recording's temporary file in `directory` (mkstemps: the X's become a
// unique part, made exclusively, so a file or link another user put in a shared folder is
// never written through).
std::string RecordingTempPatternFor(const std::string& directory);
// True when `directory` holds a recording's temporary file (one an unfinished recording left).
bool HasRecordingTempFile(const std::string& directory);

struct RecordingPlan {
  std::string directory;   // the output folder (VideoDirectory)
  std::string targetPath;  // the output file (VideoTargetPath)
  int32_t width = 320;     // clamped to 32..1920, then rounded up to a multiple of 4
  int32_t height = 240;    // clamped to 32..1080
  int32_t framesPerSecond = 24;  // clamped to 1..30
  int32_t totalFrames = 360;     // animation frames, clamped to 1..108000
  int32_t blackBegin = 0;        // clamped to 0..999
  int32_t blackEnd = 0;          // clamped to 0..999
};
// The plan with every value in its range.
RecordingPlan ClampPlan(RecordingPlan plan);

// Asks for the compressor, starting from the stored choice; false when cancelled.
using CompressorChooser = std::function<bool(VideoCompressOptions&)>;
// Runs the animation until G_bCancel (the window takes the universe fields of the Properties
// dialog; without one the stored universe settings are shown).
using AnimationRunner = std::function<void()>;

enum class RecordingEnd { Finished, Stopped, Cancelled, Failed };

// Records: sizes `picture` to the plan's frame size, binds it as the render target (Properties
// run mode), creates the temporary file (a folder it cannot be made in gives the write error
// without asking for the compressor), opens it with the chosen compressor (the choice is stored
// once the file is open), then lead-in, animation and trailer, and finishes the file. The registered video
// window must be the active one for frames to be written (see video_frames.h).
RecordingEnd RecordVideo(const RecordingPlan& plan, presentation::RenderSurface& picture,
                         const CompressorChooser& chooseCompressor, const AnimationRunner& runAnimation);

// Asks a running recording to stop (the Stop button, closing the window): the animation ends at
// its next frame and the file is finished with the frames written so far.
void StopRecording();
// True while RecordVideo runs.
bool RecordingRunning();

}  // namespace capture
