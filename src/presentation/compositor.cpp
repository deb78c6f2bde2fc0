#include "presentation/compositor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "presentation/frame_pacing.h"
#include "platform/pixlib/pixlib.h"
#include "runtime/numbers.h"

namespace presentation {
namespace {

struct Collaborators {
  FrameSink* sink = nullptr;
  MessageOverlay* overlay = nullptr;
};

Collaborators& collaborators() {
  static Collaborators c;
  return c;
}

// Two decimals, no leading zero before the point (0.5 -> ".50").
std::string FormatHashDot00(double v) {
  if (!std::isfinite(v)) return ".00";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s;
}

std::string Pad2(int64_t v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld", static_cast<long long>(v));
  return buf;
}

std::string PadLeft(const std::string& s, size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string NowText() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%m/%d/%Y %H:%M", &tm);
  return buf;
}

// A whole number modulo m, with the sign of the dividend, both operands rounded first.
int32_t RoundedMod(double value, int32_t m) {
  const auto v = runtime::ToLong(value);
  if (!v || m == 0) return 0;
  return *v % m;
}

void CopyToScreen(FrameSink* sink, int32_t d) {
  RenderState& r = render();
  CompositorState& c = compositor();
  const bool plain = c.FilterMode == 0 && d == 0;
  std::span<const uint32_t> src = plain ? std::span<const uint32_t>(r.FrameBuffer)
                                        : std::span<const uint32_t>(r.OutputBuffer);
  if (pacing().RunMode == kRunSaver) {
    sink->StretchFrame(FrameDestination::SaverWindow, src, r.RenderWidth, r.RenderHeight, r.FrameBitmapInfo,
                       FrameRect{0, 0, r.ScreenPixelWidth, r.ScreenPixelHeight});
    if (r.MonitorCount > 0 && r.MultiMonitorMode == 0) {
      const size_t n = std::min({static_cast<size_t>(r.MonitorCount), r.MonitorLeft.size(), r.MonitorTop.size(),
                                 r.MonitorWidth.size(), r.MonitorHeight.size()});
      for (size_t i = 0; i < n; ++i) {
        // Every monitor shows the same composed (filtered and blended) frame.
        sink->StretchFrame(FrameDestination::SaverWindow, src, r.RenderWidth, r.RenderHeight,
                           r.FrameBitmapInfo,
                           FrameRect{r.MonitorLeft[i], r.MonitorTop[i], r.MonitorWidth[i], r.MonitorHeight[i]});
      }
    }
  } else if (r.RenderTarget != nullptr) {
    sink->StretchFrame(FrameDestination::RenderTarget, src, r.RenderWidth, r.RenderHeight, r.FrameBitmapInfo,
                       FrameRect{0, 0, r.RenderWidth, r.RenderHeight});
  }
}

}  // namespace

void InstallFrameSink(FrameSink* sink) { collaborators().sink = sink; }
void InstallMessageOverlay(MessageOverlay* overlay) { collaborators().overlay = overlay; }

CompositorState& compositor() {
  static CompositorState s;
  return s;
}

void ResetCompositorState() { compositor() = CompositorState{}; }

void SetDesktopCapture(std::vector<uint8_t> bytes) {
  CompositorState& c = compositor();
  c.DesktopBytes = std::move(bytes);
  c.DesktopByteCount = static_cast<int32_t>(std::min<size_t>(c.DesktopBytes.size(), 0x7FFFFFFF));
  c.DesktopWork.assign(c.DesktopBytes.size(), 0);
  c.LastDesktopLevel = -1;  // the next frame scales the new image
}

void SetFilterAndDesktopBlend(int32_t filterMode, int32_t filterMask, int32_t desktopPercent,
                              int32_t desktopFrames) {
  CompositorState& c = compositor();
  c.FilterMode = filterMode;
  c.FilterMask = filterMask;
  c.DesktopPercent = std::clamp(desktopPercent, 0, 99);
  c.DesktopFrames = std::max(desktopFrames, 0);
}

int32_t DesktopFadeLevel(int32_t n, int32_t frames, int32_t percent) {
  const double pi = 3.14159265358979;
  const double a = percent * 256.0 / 200.0;
  const double s = std::sin(static_cast<double>(n) / (static_cast<double>(frames) + 1.0) * pi + pi / 2.0);
  return runtime::ToLongOr(runtime::Fix((127.0 - a) * s) + a + 127.0, 0);
}

void TraceLog(const std::string&, const std::string&) {}

void ResetPerfCounters() {
  CompositorState& c = compositor();
  c.PerfMathMs = c.PerfBlendMs = c.PerfBlitMs = 0;
  c.LastBlitTick = 0;
  c.PerfStartTick = 0;
  c.PerfElapsedMs = 0;
  c.PerfFrameCount = 0;
  c.PerfLineCount = 0;
}

void BlendBlitNonDX(int32_t lLevel, int32_t lDesktopLevel) {
  RenderState& r = render();
  CompositorState& c = compositor();
  HostPlatform& host = hostPlatform();
  const bool timing = c.PerfLogFrames > 0;
  const bool saver = pacing().RunMode == kRunSaver;

  uint32_t tStart = 0;
  if (timing) {
    const uint32_t t = host.GetTickCount();
    const int64_t math = AbsTickDiff(t, c.LastBlitTick);
    if (math > 0 && c.LastBlitTick != 0) c.PerfMathMs += math;
    tStart = host.GetTickCount();
  }

  if (lLevel == -1) lLevel = r.BlendLevel;
  const int32_t levelCode = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(lLevel) + 720, 0, 0x7FFFFFFF));

  // Desktop level: saver mode with desktop blending and a captured image only.
  const int32_t percent = std::clamp(c.DesktopPercent, 0, 99);
  const int32_t frames = std::max(c.DesktopFrames, 0);
  const bool haveDesktop = c.DesktopByteCount > 0 && !c.DesktopBytes.empty();
  int32_t d = 0;
  if (saver && (percent > 0 || frames > 0) && haveDesktop) {
    if (lDesktopLevel >= 0) {
      d = lDesktopLevel;
    } else if (frames == 0) {
      d = percent * 256 / 100;
    } else {
      if (c.DesktopFrameCounter <= frames) c.DesktopFrameCounter += 1;
      d = DesktopFadeLevel(c.DesktopFrameCounter, frames, percent);
    }
    if (d != c.LastDesktopLevel) {
      c.LastDesktopLevel = d;
      const size_t n = std::min({static_cast<size_t>(c.DesktopByteCount), c.DesktopBytes.size(), c.DesktopWork.size()});
      std::copy_n(c.DesktopBytes.begin(), n, c.DesktopWork.begin());
      pixlib::MultDesktopIntensity(c.DesktopWork, static_cast<int32_t>(n), d);
    }
  }

  const int32_t pitch = static_cast<int32_t>(std::clamp<int64_t>(-4LL * r.BufferStride, INT32_MIN, INT32_MAX));
  const int32_t start = static_cast<int32_t>(std::clamp<int64_t>(4LL * r.BufferStride, INT32_MIN, INT32_MAX));
  if (saver && d > 0) {
    pixlib::BlendPixelDeskRGB32Mask(r.FrameBuffer, c.DesktopWork, r.OutputBuffer, r.RenderWidth, r.RenderHeight,
                                    levelCode, 255 - std::min(d, 256), pitch, start, c.FilterMode, c.FilterMask);
  } else if (c.FilterMode == 0) {
    pixlib::BlendPixelRGB32(r.FrameBuffer, r.RenderWidth, r.RenderHeight, levelCode, pitch, start);
  } else if (c.FilterMode == 1 || c.FilterMode == 2) {
    pixlib::BlendPixel32Filter(r.FrameBuffer, r.OutputBuffer, r.RenderWidth, r.RenderHeight, levelCode, pitch,
                               start, c.FilterMode, c.FilterMask);
  }

  // The message overlay; the first saver frame of the process carries none.
  if (saver) {
    if (c.MessageGate != 1) {
      c.MessageGate += 1;
    } else if (MessageOverlay* overlay = collaborators().overlay) {
      overlay->DrawScreenMessages();
      if (r.MessagePointCount > 0) {
        if (!c.MessageHue) c.MessageHue = r.MessageHueStart;
        *c.MessageHue += r.MessageHueStep * 0.04;
        const int32_t colour = overlay->HueToColor(RoundedMod(*c.MessageHue, 360));
        const int64_t top = static_cast<int64_t>(r.MessageTopOffset) * r.RenderWidth;
        if (top >= INT32_MIN && top <= INT32_MAX) {
          pixlib::PlotMessage(r.FrameBuffer, static_cast<int32_t>(top), r.BufferStride, r.MessagePointCount, colour,
                              r.MessagePointX, r.MessagePointY);
        }
      }
    }
  }

  if (timing) {
    const int64_t blend = AbsTickDiff(host.GetTickCount(), tStart);
    if (blend > 0) c.PerfBlendMs += blend;
    tStart = host.GetTickCount();
  }

  FrameSink* sink = collaborators().sink;
  if (sink != nullptr) {
    CopyToScreen(sink, d);
    sink->WriteVideoFrame();
  }
  UpdatePerfText(tStart);
}

void zDX8_BlendBlit_Surface(int32_t lLevel, int32_t lDesktopLevel) {
  try {
    BlendBlitNonDX(lLevel, lDesktopLevel);
  } catch (...) {
    TraceLog("DirectX", "zDX8_BlendBlit_Surface: Line - 0");
  }
}

void UpdatePerfText(uint32_t lBlendEndTick) {
  CompositorState& c = compositor();
  if (c.PerfLogFrames <= 0) return;
  HostPlatform& host = hostPlatform();
  const int64_t blit = AbsTickDiff(host.GetTickCount(), lBlendEndTick);
  if (blit > 0) c.PerfBlitMs += blit;
  c.LastBlitTick = host.GetTickCount();
  if (c.PerfStartTick == 0) {
    c.PerfStartTick = host.GetTickCount();
    c.PerfElapsedMs = 0;
    c.PerfLineCount = 0;
  }
  c.PerfFrameCount += 1;
  if (c.PerfFrameCount != c.PerfLogFrames) return;
  c.PerfFrameCount = 0;
  const int64_t e = AbsTickDiff(host.GetTickCount(), c.PerfStartTick);
  if (e <= 0) return;
  c.PerfElapsedMs += e;
  c.PerfLineCount += 1;
  const double secs = static_cast<double>(c.PerfElapsedMs) * 0.001;
  const auto n = static_cast<int64_t>(runtime::RoundHalfEven(secs));
  const int64_t frames = static_cast<int64_t>(c.PerfLineCount) * c.PerfLogFrames;
  c.PerfText = "fps: " + FormatHashDot00(static_cast<double>(frames) / secs) + "  F: " + std::to_string(frames) +
               "  T: " + Pad2(static_cast<int64_t>(runtime::Int(secs / 86400.0))) + ":" +
               Pad2((n % 86400) / 3600) + ":" + Pad2((n % 3600) / 60) + ":" + Pad2(n % 60) + "  " + NowText();
  c.PerfStartTick = host.GetTickCount();
}

std::string BuildPerformanceLog(const std::string& versionText, const std::string& programText,
                                int64_t starTotal) {
  const CompositorState& c = compositor();
  const RenderState& r = render();
  if (c.PerfText.empty() || c.PerfLogFrames < 1) return {};
  std::string out(120, '-');
  out += "\nZorvane 6.0  " + versionText + "  " + std::to_string(r.LogBitsPerPixel) + "-bpp" +
         "   Screen: " + std::to_string(r.RenderWidth) + "*" + std::to_string(r.RenderHeight) +
         "   Pitch: " + std::to_string(r.BufferStride) + "   Blend: " + std::to_string(r.BlendLevel) +
         "   Delay: " + std::to_string(r.FrameDelayMs) + "   Pixels: " + std::to_string(starTotal) + "\n";
  out += programText + "\n";
  out += c.PerfText + "\n";
  // Shares of the measured time, taken from the milliseconds themselves, so a run shorter than
  // one whole second still shows them; a run with no measured time shows none.
  const int64_t totalMs = c.PerfMathMs + c.PerfBlendMs + c.PerfBlitMs;
  const int64_t wholeSecs = totalMs / 1000;
  auto line = [&](const char* label, int64_t ms) {
    const double p = totalMs > 0 ? static_cast<double>(ms) / static_cast<double>(totalMs) * 100.0 : 0.0;
    out += std::string(label) + PadLeft(std::to_string(ms / 1000), 7) + "   " + PadLeft(FormatHashDot00(p), 6) + " %\n";
  };
  line("   Math     :  ", c.PerfMathMs);
  line("   Blending :  ", c.PerfBlendMs);
  line("   Blt/Flip :  ", c.PerfBlitMs);
  out += "   Total    :  " + PadLeft(std::to_string(wholeSecs), 7) + "   " +
         (totalMs > 0 ? FormatHashDot00(100.0) : PadLeft(FormatHashDot00(0.0), 6)) + " %\n";
  return out;
}

bool AppendPerformanceLog(const std::string& folder, const std::string& block) {
  if (block.empty()) return true;
  // Without the user's folder nothing is written anywhere else; a link at the log's name is
  // not followed.
  if (folder.empty()) return false;
  const int fd = ::open((folder + "/ZORVPerf.log").c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < block.size()) {
    const ssize_t n = ::write(fd, block.data() + done, block.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return ::close(fd) == 0 && done == block.size();
}

}  // namespace presentation
