#include "presentation/render_state.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace presentation {
namespace {

ColorTablesReload& colorReload() {
  static ColorTablesReload fn = nullptr;
  return fn;
}

// The first `n` characters of a UTF-8 text (a character never split).
std::string FirstChars(const std::string& text, size_t n) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0u) != 0x80u) {
      if (chars == n) return text.substr(0, i);
      ++chars;
    }
  }
  return text;
}

bool InSizeList(const std::vector<WindowSize>& list, int32_t w, int32_t h) {
  return std::any_of(list.begin(), list.end(),
                     [&](const WindowSize& s) { return s.Width == w && s.Height == h; });
}

// Sizes both buffers to `elements` zeroed pixels; false when the memory is not there.
bool SizeBuffers(RenderState& r, size_t elements) {
  try {
    r.FrameBuffer.assign(elements, 0u);
    r.OutputBuffer.assign(elements, 0u);
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  r.FrameBuffer.clear();
  r.OutputBuffer.clear();
  return false;
}

// The clip bounds of the pixel store and the projection follow the frame size.
void SetClipAndProjection(RenderState& r, float sScale) {
  r.PlotMaxX = r.RenderWidth - 1;
  r.PlotMaxY = r.RenderHeight - 2;
  r.PlotMinY = 1;
  r.ScreenCentreX = runtime::ToLongOr(r.RenderWidth * 0.5, 0);
  r.ScreenCentreY = runtime::ToLongOr(r.RenderHeight * 0.5, 0);
  r.PerspectiveScale = static_cast<float>((static_cast<double>(r.ScreenCentreX) + r.ScreenCentreY) * 0.5 *
                                          static_cast<double>(r.FocalLength) * static_cast<double>(sScale));
}

}  // namespace

RenderState& render() {
  static RenderState s;
  return s;
}

void ResetRenderState() { render() = RenderState{}; }

void SetColorTablesReload(ColorTablesReload fn) { colorReload() = fn; }

void LoadSaverProperties(RenderSurface& target, bool bFixedPacing, float sScale, int32_t /*unused*/) {
  RenderState& r = render();
  const std::string adv = "Advanced";

  // Settings of the frame and of the on-screen message.
  float focal = store::GetSettingSingle(adv, "FocalLength", 1);
  // The pacer sleeps only for a rest of 1 to 999 ms: a stored delay outside 0..999 would make it
  // never sleep, so it is kept in range.
  r.FrameDelayMs = store::ClampLong(store::GetSettingLong(adv, "Adv_TimeDelay", 10), 0, 999);
  std::string fontName = store::GetSettingString(adv, "Adv_FontName", "Arial");
  int32_t fontSize = store::GetSettingLong(adv, "Adv_FontSize", 12);
  int32_t hueStart = store::GetSettingLong(adv, "Adv_FontHueV", 180);
  std::string lock = store::GetSettingString(adv, "LockMessage", "");
  r.MessageTopOffset = store::GetSettingLong(adv, "Adv_FontTOff", 2);
  r.MessageHueStep = store::GetSettingLong(adv, "Adv_FontHInc", 10);
  r.MessageMinutes = store::GetSettingLong(adv, "Adv_CMinutes", 0);
  r.MessageTimeText = store::GetSettingString(adv, "Adv_TimeText", "");
  r.MessageZeroText = store::GetSettingString(adv, "Adv_ZeroText", "");

  if (ColorTablesReload fn = colorReload()) fn();

  r.FocalLength = store::ClampSingle(focal, 0.01f, 10.0f);
  r.MessageFontName = fontName.empty() ? std::string("Arial") : fontName;
  r.MessageFontSize = store::ClampLong(fontSize, 10, 60);
  r.MessageHueStart = store::ClampLong(hueStart, 0, 359);
  r.LockMessageText = FirstChars(runtime::TrimBlanks(lock), 100);

  if (bFixedPacing) {
    r.FocalLength = 1.0f;
    r.FrameDelayMs = 20;
  }

  // Frame size by run mode.
  const int32_t mode = pacing().RunMode;
  if (mode == kRunProperties || mode == kRunPreview) {
    r.RenderWidth = target.InnerWidthPx();
    r.RenderHeight = target.InnerHeightPx();
  } else if (mode == kRunSaver) {
    const int32_t w = store::GetSettingLong("DirectX", "DX_WinWidth", r.ScreenPixelWidth);
    const int32_t h = store::GetSettingLong("DirectX", "DX_WinHeight", r.ScreenPixelHeight);
    // Every entry of the list counts, 640 x 480 included.
    if (InSizeList(r.WindowSizeList, w, h)) {
      r.RenderWidth = w;
      r.RenderHeight = h;
    } else {
      r.RenderWidth = r.ScreenPixelWidth;
      r.RenderHeight = r.ScreenPixelHeight;
    }
    target.ResizeInnerPx(r.RenderWidth, r.RenderHeight);
  }

  if (r.RenderWidth <= 16) r.RenderWidth = 16;
  if (r.RenderHeight <= 12) r.RenderHeight = 12;
  r.RenderWidth = static_cast<int32_t>(std::min<int64_t>((static_cast<int64_t>(r.RenderWidth) + 3) / 4 * 4,
                                                         0x7FFFFFFC));

  SetClipAndProjection(r, sScale);

  // A target narrower than the frame (width rounded up to a multiple of 4, or the minimum) is
  // widened to it.
  if (target.InnerWidthPx() < r.RenderWidth) target.ResizeInnerPx(r.RenderWidth, target.InnerHeightPx());

  // The buffers and the bitmap header follow the frame size; a target that would not take the
  // size still gets a frame the plotters can fill.
  if (!SizeBuffers(r, static_cast<size_t>(r.RenderWidth) * static_cast<size_t>(r.RenderHeight) + 1)) {
    r.RenderWidth = 16;
    r.RenderHeight = 12;
    SetClipAndProjection(r, sScale);
    SizeBuffers(r, 16 * 12 + 1);
  }
  r.FrameBitmapInfo = FrameBitmapHeader{};
  r.FrameBitmapInfo.Width = r.RenderWidth;
  r.FrameBitmapInfo.Height = -r.RenderHeight;
  r.FrameBitmapInfo.SizeImage = static_cast<int32_t>(
      std::min<int64_t>(4LL * r.RenderWidth * r.RenderHeight, 0x7FFFFFFF));

  target.ClearPicture();
  r.RenderTarget = &target;
}

void UnbindRenderTarget(const RenderSurface* target) {
  if (render().RenderTarget == target) render().RenderTarget = nullptr;
}

void LoadPropsInitDX() {
  RenderState& r = render();
  r.LogBitsPerPixel = r.RenderBitsPerPixel;
  r.BufferStride = r.RenderWidth;
  if (pacing().RunMode == kRunSaver) hostPlatform().HideCursor();
  ResetPerfCounters();
}

}  // namespace presentation
