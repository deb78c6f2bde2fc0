#include "presentation/frame_pacing.h"

#include <chrono>
#include <thread>

#include "presentation/render_state.h"

namespace presentation {
namespace {

HostPlatform*& installed() {
  static HostPlatform* p = nullptr;
  return p;
}

}  // namespace

int64_t AbsTickDiff(uint32_t a, uint32_t b) {
  // The ticks wrap at 2^32: their distance is taken as a signed 32-bit value.
  const int64_t d = static_cast<int32_t>(a - b);
  return d < 0 ? -d : d;
}

PacingState& pacing() {
  static PacingState s;
  return s;
}

void ResetPacingState() { pacing() = PacingState{}; }

uint32_t HeadlessHostPlatform::GetTickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void HeadlessHostPlatform::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

HostPlatform& hostPlatform() {
  static HeadlessHostPlatform headless;
  HostPlatform* p = installed();
  return p ? *p : headless;
}

void InstallHostPlatform(HostPlatform* platform) { installed() = platform; }

bool PaceFrame() {
  HostPlatform& host = hostPlatform();
  host.DoEvents();
  if (pacing().G_bCancel) return true;
  const int64_t ms = static_cast<int64_t>(render().FrameDelayMs) - AbsTickDiff(host.GetTickCount(), pacing().FrameStartTick);
  if (ms >= 1 && ms <= 999) host.Sleep(static_cast<uint32_t>(ms));
  return false;
}

bool PaceFrameAndCheckHost() {
  const bool stop = PaceFrame();
  PacingState& p = pacing();
  const bool hosted = p.RunMode == kRunPreview || (p.RunMode == kRunSaver && p.SaverHostWindow != 0);
  if (hosted && !hostPlatform().IsWindow(p.RunMode == kRunPreview ? p.PreviewParentHwnd : p.SaverHostWindow)) {
    p.G_bCancel = true;
    return true;
  }
  return stop;
}

void PauseFirstFrames() {
  PacingState& p = pacing();
  if (p.PauseCounter > 5) return;
  p.PauseCounter += 1;
  HostPlatform& host = hostPlatform();
  const uint32_t t0 = host.GetTickCount();
  do {
    host.DoEvents();
  } while (AbsTickDiff(host.GetTickCount(), t0) < 20);
}

}  // namespace presentation
