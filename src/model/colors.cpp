#include "model/colors.h"

#include <cmath>

#include "model/hue_wheel.h"
#include "store/values.h"
#include "runtime/numbers.h"

namespace model {

namespace {

// The six-sector pattern both hue functions share: sector 1 to 6 and the Single fraction of
// the way through it. No channel falls below 55.
int32_t SectorColor(int32_t sector, float f) {
  const int32_t rise = runtime::IntToLong(f * 200.0f + 55.0f).value_or(55);
  const int32_t fall = runtime::IntToLong((1.0f - f) * 200.0f + 55.0f).value_or(55);
  int32_t r = 55, g = 55, b = 55;
  switch (sector) {
    case 1: r = 255; g = rise; break;
    case 2: r = fall; g = 255; break;
    case 3: g = 255; b = rise; break;
    case 4: g = fall; b = 255; break;
    case 5: r = rise; b = 255; break;
    default: r = 255; b = fall; break;
  }
  return r + 256 * g + 65536 * b;
}

}  // namespace

ColorState& colorState() {
  static ColorState s;
  return s;
}

int32_t HueToColor(int32_t Hue) {
  const int32_t h = ((Hue % 360) + 360) % 360;
  const float f = static_cast<float>((h % 60) * (1.0 / 60.0));
  return SectorColor(h / 60 + 1, f);
}

int32_t HueRampColor(int32_t Step) {
  const HueWheelState& w = hueWheelState();
  const int32_t k = Step & 1023;
  // Stretches [0, D0), [D0, D1), ..., [D4, 1024); the first one that holds k is taken, so an
  // empty stretch between two equal divisions is passed over.
  int32_t stretch = 5;
  for (int32_t j = 0; j < 5; ++j) {
    if (k < w.HueWheelDiv[j]) {
      stretch = j;
      break;
    }
  }
  const int32_t start = stretch == 0 ? 0 : w.HueWheelDiv[stretch - 1];
  const int32_t length = stretch == 0 ? w.HueWheelDiv[0] : w.HueWheelLen[stretch - 1];
  const float f = length > 0 ? static_cast<float>(static_cast<double>(k - start) / length) : 0.0f;
  return SectorColor(stretch + 1, f);
}

int32_t ToDisplayColorOrder(int32_t Colour) {
  const uint32_t c = static_cast<uint32_t>(Colour);
  return static_cast<int32_t>(((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c & 0xFF0000u) >> 16));
}

int32_t ScaleColor(int32_t Colour, float Factor) {
  const double k = Factor;
  const int32_t green = runtime::ToLongOr((Colour & 0xFF00) * k, 0) & 0xFF00;
  const int32_t blue = runtime::ToLongOr((Colour & 0xFF0000) * k, 0) & 0xFF0000;
  const double red = (Colour & 0xFF) * k;
  return runtime::ToLongOr(green + blue + red, Colour);
}

int32_t LightenColor(int32_t Colour, float Fraction) {
  const int32_t n = ~Colour;
  const double k = Fraction;
  const int32_t green = runtime::ToLongOr((n & 0xFF00) * k, 0) & 0xFF00;
  const int32_t blue = runtime::ToLongOr((n & 0xFF0000) * k, 0) & 0xFF0000;
  const double red = (n & 0xFF) * k;
  return runtime::ToLongOr(static_cast<double>(Colour) + red + green + blue, Colour);
}

int32_t BlendHueTowardWhite(int32_t Step, float Fraction) {
  return LightenColor(colorState().HueColorTable[static_cast<size_t>(Step & 1023)], Fraction);
}

void CalcHueRamp(std::span<int32_t> Dest, std::span<const int32_t> Source, bool Force) {
  HueWheelState& w = hueWheelState();
  ColorState& s = colorState();
  if (!(w.HwbLevel > 0.0f) || !(w.HwbSpan > 0.0f)) return;
  if (Dest.size() < kHueRampSteps || Source.size() < kHueRampSteps) return;

  w.HwbStart = w.HwbStart + w.HwbSpeed;
  if (w.HwbStart >= 1024.0f) w.HwbStart = w.HwbStart - 1024.0f;
  const std::optional<int32_t> whole = runtime::FixToLong(w.HwbStart);
  if (!whole) return;
  const int32_t p = *whole;
  if (p == s.LastBubbleStep && !Force) return;
  s.LastBubbleStep = p;

  if (Dest.data() != Source.data())
    for (int32_t i = 0; i < kHueRampSteps; ++i) Dest[i] = Source[i];

  // A raised-cosine patch: full level at the centre, down to 0 at the span below 512 steps;
  // a wider span covers 512 steps each way and falls only to a floor.
  float step, floor, amplitude;
  if (w.HwbSpan < 512.0f) {
    step = static_cast<float>(3.14159265358979 / w.HwbSpan);
    floor = 0.0f;
    amplitude = w.HwbLevel;
  } else {
    step = static_cast<float>(3.14159265358979 / 512.0);
    floor = ((w.HwbSpan - 512.0f) / 512.0f) * w.HwbLevel;
    amplitude = w.HwbLevel - floor;
  }
  Dest[p & 1023] = LightenColor(Dest[p & 1023], w.HwbLevel);
  const int32_t n = store::ClampLong(runtime::ToLongOr(w.HwbSpan, 0), 0, 512);
  float angle = 0.0f;
  for (int32_t d = 1; d <= n; ++d) {
    angle = angle + step;
    const auto weight = static_cast<float>((std::cos(static_cast<double>(angle)) * 0.5 + 0.5) * amplitude + floor);
    Dest[(p + d) & 1023] = LightenColor(Dest[(p + d) & 1023], weight);
    Dest[(p - d) & 1023] = LightenColor(Dest[(p - d) & 1023], weight);
  }
}

void RebuildColorTables(bool Rebuild, bool Bubble) {
  ColorState& s = colorState();
  if (Rebuild) {
    for (int32_t i = 0; i < kHueRampSteps; ++i) {
      s.CleanHueRamp[i] = ToDisplayColorOrder(HueRampColor(i));
      s.HueColorTable[i] = s.CleanHueRamp[i];
    }
  }
  if (Bubble) CalcHueRamp(s.HueColorTable, s.CleanHueRamp, Rebuild);
}

}  // namespace model
