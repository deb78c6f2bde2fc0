// The frame compositor: once per animation frame it blends the frame (trail level), mixes in
// the captured desktop or applies the colour filter, plots the on-screen message in saver mode,
// hands the result to the frame sink (the copy onto the screen, then the video writer) and
// advances the performance counters.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "presentation/render_state.h"

namespace presentation {

enum class FrameDestination { SaverWindow, RenderTarget };

struct FrameRect {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// Where composed frames go. The window layer implements it; tests record the calls.
class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // Copies `srcWidth` x `srcHeight` pixels of `bits` (rows of header.Width pixels, top-down)
  // into `dest` of the saver window or of the bound render target, scaled when the sizes differ.
  virtual void StretchFrame(FrameDestination dest, std::span<const uint32_t> bits, int32_t srcWidth,
                            int32_t srcHeight, const FrameBitmapHeader& header, const FrameRect& destRect) = 0;
  // Called after every copy; records the frame while a video recording runs.
  virtual void WriteVideoFrame() = 0;
};

// The on-screen message layer: composes the text and fills the message points of render();
// gives the colour of a hue (degrees) in colour-reference order.
class MessageOverlay {
 public:
  virtual ~MessageOverlay() = default;
  virtual void DrawScreenMessages() = 0;
  virtual int32_t HueToColor(int32_t hueDegrees) = 0;
};

// Installed collaborators; nullptr uninstalls. Without a sink frames are composed and dropped;
// without an overlay no message is drawn. The caller keeps ownership.
void InstallFrameSink(FrameSink* sink);
void InstallMessageOverlay(MessageOverlay* overlay);

struct CompositorState {
  // The desktop captured at saver start: 24-bit, bottom-up rows of RenderWidth pixels.
  std::vector<uint8_t> DesktopBytes;
  std::vector<uint8_t> DesktopWork;  // DesktopBytes scaled to the current desktop level
  int32_t DesktopByteCount = 0;

  int32_t FilterMode = 0;   // 0 none, 1 AND, 2 XOR with FilterMask
  int32_t FilterMask = 0;   // 24-bit, red in bits 16-23
  int32_t DesktopPercent = 0;  // 0 to 99
  int32_t DesktopFrames = 0;
  int32_t DesktopFrameCounter = 0;

  int16_t MessageGate = 0;
  int32_t LastDesktopLevel = 0;
  std::optional<double> MessageHue;

  // Performance counters (milliseconds unless said); PerfLogFrames = frames per performance
  // line, 0 = off (set at start-up).
  int32_t PerfLogFrames = 0;
  int64_t PerfMathMs = 0, PerfBlendMs = 0, PerfBlitMs = 0;
  uint32_t LastBlitTick = 0;
  uint32_t PerfStartTick = 0;
  int64_t PerfElapsedMs = 0;
  int32_t PerfFrameCount = 0;
  int32_t PerfLineCount = 0;
  std::string PerfText;
};

CompositorState& compositor();
void ResetCompositorState();

// Keeps a desktop capture (24-bit bottom-up rows) for the desktop blend; an empty capture
// turns the blend off. Forces the scaled copy to be rebuilt.
void SetDesktopCapture(std::vector<uint8_t> bytes);
// The filter and desktop blend values; the percent is kept to 0..99, the frames to 0 or more.
void SetFilterAndDesktopBlend(int32_t filterMode, int32_t filterMask, int32_t desktopPercent,
                              int32_t desktopFrames);

// Composes and shows one frame. lLevel -1 takes BlendLevel; lDesktopLevel -1 lets the
// compositor compute the desktop level (saver mode with desktop blending only), 0 or more is
// used as given. Nothing escapes; a failing frame is dropped.
void zDX8_BlendBlit_Surface(int32_t lLevel, int32_t lDesktopLevel);
void BlendBlitNonDX(int32_t lLevel, int32_t lDesktopLevel);

// Advances the performance counters after the copy; tBlendEnd is the tick at which the copy
// began.
void UpdatePerfText(uint32_t lBlendEndTick);
void ResetPerfCounters();

// The desktop level of the fade-in ramp for frame n of F frames at percent P.
int32_t DesktopFadeLevel(int32_t n, int32_t frames, int32_t percent);

// Trace of the compositor's failures: records nothing.
void TraceLog(const std::string& sModule, const std::string& sText);

// The performance log block appended when a saver run ends (lines joined by "\n"), empty when
// there is nothing to log. versionText is "major.minor.revision", programText a text of the
// running program, starTotal the universe's star total.
std::string BuildPerformanceLog(const std::string& versionText, const std::string& programText,
                                int64_t starTotal);
// Appends the block to "ZORVPerf.log" in `folder`; false when the file cannot be written, when
// `folder` is empty (nothing is written) or when a link stands at the log's name.
bool AppendPerformanceLog(const std::string& folder, const std::string& block);

}  // namespace presentation
