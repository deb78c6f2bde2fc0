// The shared hue ramp and the small colour functions.
//
// Two byte orders of 32-bit colours meet here. Colour-reference order keeps red in bits 0-7
// and blue in bits 16-23 (R + 256 G + 65536 B); the hue functions return it. Display order,
// the frame buffer's layout, keeps blue in bits 0-7 and red in bits 16-23.
//
// The hue ramp runs round the hue circle in 1024 steps; its six colour sectors change at the
// five hue wheel divisions (hue_wheel.h). HueColorTable holds the ramp in display order with
// the brightness bubble applied; CleanHueRamp the same ramp without the bubble.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace model {

inline constexpr int kHueRampSteps = 1024;

struct ColorState {
  std::array<int32_t, kHueRampSteps + 1> HueColorTable{};  // element 1024 is never written
  std::array<int32_t, kHueRampSteps + 1> CleanHueRamp{};
  int32_t LastBubbleStep = 0;  // whole-step bubble position last applied
};
ColorState& colorState();

// Colour of ramp step Step And 1023, colour-reference order.
int32_t HueRampColor(int32_t Step);
// Colour of a hue in degrees (any sign; six fixed 60-degree sectors), colour-reference order.
int32_t HueToColor(int32_t Hue);

// Rebuild: recomputes the clean ramp and copies it to HueColorTable. Bubble: moves the
// brightness bubble on and re-applies it (always when Rebuild).
void RebuildColorTables(bool Rebuild, bool Bubble);

// Moves the bubble by HwbSpeed and, when its whole-step position changed (or Force), copies
// Source to Dest and lightens Dest round the bubble. Elements 0 to 1023 are used; Dest and
// Source may be the same array. Arrays shorter than 1024 are left alone.
void CalcHueRamp(std::span<int32_t> Dest, std::span<const int32_t> Source, bool Force);

// Exchanges the red and blue bytes; bits 24-31 are cleared.
int32_t ToDisplayColorOrder(int32_t Colour);
// Every channel multiplied by Factor (0 to 1).
int32_t ScaleColor(int32_t Colour, float Factor);
// Every channel moved toward 255 by Fraction (0 to 1) of its distance; bits 24-31 pass.
int32_t LightenColor(int32_t Colour, float Fraction);
// LightenColor(HueColorTable(Step And 1023), Fraction).
int32_t BlendHueTowardWhite(int32_t Step, float Fraction);

}  // namespace model
