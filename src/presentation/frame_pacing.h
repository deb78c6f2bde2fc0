// The stop flag, the run mode and the frame pacer. Every animation runs as a loop inside the
// handler that started it; once per frame it calls the pacer, which lets pending window events
// run, reports whether G_bCancel is set and sleeps for what is left of the frame delay.
#pragma once

#include <cstdint>

namespace presentation {

enum RunModes : int32_t { kRunProperties = 0, kRunSaver = 1, kRunPreview = 2 };

struct PacingState {
  bool G_bCancel = false;             // asks every running animation loop to end
  int32_t RunMode = kRunProperties;   // 0 Properties, 1 full-screen saver, 2 preview
  uint32_t FrameStartTick = 0;        // tick at the start of the current frame (loops set it)
  int64_t PreviewParentHwnd = 0;      // host window of the preview
  // The window a screen-saver daemon gave the full-screen saver to draw into (0: its own); the
  // saver ends once it is gone, as the preview ends with its host.
  int64_t SaverHostWindow = 0;
  int32_t PauseCounter = 0;           // calls of PauseFirstFrames that paused
};

PacingState& pacing();
// Back to a fresh process state (tests).
void ResetPacingState();

// The clock and the event pump of the platform. The window layer installs its own; the
// default is HeadlessHostPlatform.
class HostPlatform {
 public:
  virtual ~HostPlatform() = default;
  virtual void DoEvents() = 0;               // one pass of pending window events
  virtual uint32_t GetTickCount() = 0;       // milliseconds, wrapping at 2^32
  virtual void Sleep(uint32_t ms) = 0;
  virtual bool IsWindow(int64_t hwnd) = 0;   // the window still exists
  virtual void HideCursor() = 0;             // one step down of the cursor's show counter
};

// A steady clock, real sleeps, no events, every window present.
class HeadlessHostPlatform : public HostPlatform {
 public:
  void DoEvents() override {}
  uint32_t GetTickCount() override;
  void Sleep(uint32_t ms) override;
  bool IsWindow(int64_t) override { return true; }
  void HideCursor() override {}
};

// The installed platform (never null). Installing nullptr restores the headless one; the caller
// keeps ownership and must uninstall before destroying it.
HostPlatform& hostPlatform();
void InstallHostPlatform(HostPlatform* platform);

// Distance in milliseconds of two readings of the wrapping tick counter.
int64_t AbsTickDiff(uint32_t a, uint32_t b);

// Lets events run, then: true at once when G_bCancel is set; otherwise sleeps for
// FrameDelayMs minus the time since FrameStartTick when that is 1 to 999 ms, and returns false.
bool PaceFrame();
// PaceFrame, and in preview mode (or in saver mode drawing into a daemon's window) also stops
// (setting G_bCancel) once the host window is gone.
bool PaceFrameAndCheckHost();
// The first six calls in a process busy-wait at least 20 ms each, running events; later calls
// return at once.
void PauseFirstFrames();

}  // namespace presentation
