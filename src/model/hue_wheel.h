// The per-type hue wheels and the user's hue wheel settings.
//
// Every galaxy type colours its stars from its own wheel of 360 colours, one per degree,
// made from the type's four hue percentages. HueWheelTable holds the wheels of types 0 to 49
// side by side in colour-reference order (red in bits 0-7, green 8-15, blue 16-23). The
// type index varies fastest: element (t, h) is flat element h * 51 + t.
//
// The same module keeps the five hue wheel divisions (where the six colour sectors of the
// 1024-step hue ramp change) and the brightness bubble that travels round that ramp. They
// are read from section "Advanced" of the settings, or from the nine hue boxes of the
// advanced settings window while that window is open.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace model {

inline constexpr int kHueWheelColumns = 51;  // types 0 to 50 (column 50 is never written)
inline constexpr int kHueWheelRows = 361;    // hues 0 to 360 (row 360 is never written)
inline constexpr int kHueWheelSize = kHueWheelColumns * kHueWheelRows;

// 1024 / 360 as the Single the ramp conversions use (2.844444513320923).
inline constexpr float kDegreesToRampSteps = 2.8444445f;

struct HueWheelState {
  std::array<int32_t, kHueWheelSize> HueWheelTable{};
  // Divisions in ramp steps (0 to 1024, ascending) and the length of the sector that begins
  // at each. They start at the values of the default settings, so the ramp is usable before
  // the first load.
  std::array<int32_t, 5> HueWheelDiv{284, 427, 512, 725, 896};
  std::array<int32_t, 5> HueWheelLen{143, 85, 213, 171, 128};
  float HwbStart = 0.0f;  // bubble centre in ramp steps, 0 to 1024; moved by CalcHueRamp
  float HwbLevel = 0.0f;  // brightness at the centre, 0 to 1
  float HwbSpan = 0.0f;   // half-width in ramp steps, 0 to 1023.9
  float HwbSpeed = 0.0f;  // ramp steps per advance, 0 to 9.999
};
HueWheelState& hueWheelState();

// Flat position of element (type, hue) of HueWheelTable.
constexpr int32_t HueWheelIndex(int32_t type, int32_t hue) { return hue * kHueWheelColumns + type; }

// Fills rows 0 to 359 of columns 0 to 49 from the current galaxy type records.
void BuildHueWheelTable();

// Element (GalaxyType, Hue Mod 360) of HueWheelTable; 0 for a type outside 0 to 50 or a
// negative hue.
int32_t HueColor(int32_t GalaxyType, int32_t Hue);

// One hue step for stars 0 to starCount - 1 (clipped to the shortest array): every star of a
// cycling type turns by its type's Galaxy_HWheelInc and takes its colour from the wheel.
void ApplyParticleHueCycle(int32_t starCount, std::span<const int32_t> StarType, std::span<int32_t> StarColor,
                           std::span<float> StarHue);

// The nine hue boxes of the advanced settings window: divisions 0-4, bubble start, level,
// span and speed, in that order.
struct HueWheelFields {
  virtual ~HueWheelFields() = default;
  virtual std::string HueWheelText(int index) const = 0;
};

// The advanced settings window registers itself while it is open (nullptr when it closes).
void SetAdvancedHueWheelFields(HueWheelFields* fields);
HueWheelFields* AdvancedHueWheelFields();

// Reads the hue wheel settings: from the given window's boxes, or from section "Advanced"
// when window is nullptr. A box that holds no number stops the load and leaves every
// setting as it was; the result is then false.
bool LoadHueWheelSettings(const HueWheelFields* window = nullptr);

}  // namespace model
