#include "model/hue_wheel.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/galaxy_types.h"
#include "store/values.h"
#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace model {

namespace {

HueWheelFields*& advancedFieldsSlot() {
  static HueWheelFields* fields = nullptr;
  return fields;
}

// Int(v) as a colour channel: the largest whole number not above v, held within 0 to 255.
int32_t Channel(double v) {
  const double whole = std::floor(v);
  if (!(whole >= 0.0)) return 0;  // also NaN
  if (whole > 255.0) return 255;
  return static_cast<int32_t>(whole);
}

// Whole-number value of a box's text, rounded halves to even; nothing when it is no number.
std::optional<int32_t> BoxValue(const HueWheelFields& window, int index) {
  double v = 0.0;
  if (!runtime::IsNumeric(window.HueWheelText(index), &v)) return std::nullopt;
  return runtime::ToLong(v);
}

}  // namespace

HueWheelState& hueWheelState() {
  static HueWheelState s;
  return s;
}

void BuildHueWheelTable() {
  HueWheelState& s = hueWheelState();
  const auto& types = records().GalaxyTypes;
  for (int32_t t = 0; t < kEditableGalaxyTypes; ++t) {
    const GalaxyTypeProps& g = types[t];
    // Percent to 0-255; a base beyond the channel range is held to it.
    const int32_t base = std::clamp(runtime::ToLongOr(g.Galaxy_HueBase * 2.55, 0), 0, 255);
    const float scale = static_cast<float>((255 - base) * 0.01);
    const double red = g.Galaxy_HueRed, grn = g.Galaxy_HueGrn, blu = g.Galaxy_HueBlu;
    for (int32_t i = 0; i < 360; ++i) {
      const int32_t h = (600 - i) % 360;
      const float f = static_cast<float>((h % 60) / 60.0);
      const float rising = f * scale;                           // Single product
      const float falling = (1.0f - f) * scale;                 // Single product
      auto full = [&](double x) { return Channel(base + static_cast<double>(scale) * x); };
      auto rise = [&](double x) { return Channel(base + static_cast<double>(rising) * x); };
      auto fall = [&](double x) { return Channel(base + static_cast<double>(falling) * x); };
      int32_t r = base, gr = base, b = base;
      switch (h / 60) {
        case 0: r = full(red); gr = rise(grn); break;
        case 1: r = fall(red); gr = full(grn); break;
        case 2: gr = full(grn); b = rise(blu); break;
        case 3: gr = fall(grn); b = full(blu); break;
        case 4: r = rise(red); b = full(blu); break;
        default: r = full(red); b = fall(blu); break;
      }
      s.HueWheelTable[HueWheelIndex(t, i)] = r + 256 * gr + 65536 * b;
    }
  }
}

int32_t HueColor(int32_t GalaxyType, int32_t Hue) {
  if (GalaxyType < 0 || GalaxyType >= kHueWheelColumns || Hue < 0) return 0;
  return hueWheelState().HueWheelTable[HueWheelIndex(GalaxyType, Hue % 360)];
}

void ApplyParticleHueCycle(int32_t starCount, std::span<const int32_t> StarType, std::span<int32_t> StarColor,
                           std::span<float> StarHue) {
  const auto& types = records().GalaxyTypes;
  const size_t n = std::min({starCount < 0 ? size_t{0} : static_cast<size_t>(starCount), StarType.size(),
                             StarColor.size(), StarHue.size()});
  if (n == 0) return;
  // The step of every type gathered once, so the star loop reads one small table instead of
  // the type records; a type that does not cycle gets no step.
  std::array<float, kGalaxyTypeCount> step{};
  std::array<bool, kGalaxyTypeCount> cycles{};
  for (int32_t t = 0; t < kGalaxyTypeCount; ++t) {
    cycles[t] = types[t].HueCycling;
    step[t] = types[t].Galaxy_HWheelInc;
  }
  const int32_t* const typeOf = StarType.data();
  int32_t* const colour = StarColor.data();
  float* const hues = StarHue.data();
  const int32_t* const table = hueWheelState().HueWheelTable.data();
  for (size_t i = 0; i < n; ++i) {
    const int32_t t = typeOf[i];
    if (t < 0 || t >= kGalaxyTypeCount || !cycles[t]) continue;
    float hue = hues[i] + step[t];
    if (hue >= 360.0f) hue -= 360.0f;
    hues[i] = hue;
    int32_t k = 0;
    if (!runtime::ToLongInline(hue, k)) continue;
    // The flat position as the wheel's readers compute it; a position outside the table
    // (a negative hue) leaves the colour as it was.
    const int32_t degree = static_cast<uint32_t>(k) < 360u ? k : k % 360;
    const int64_t pos = static_cast<int64_t>(degree) * kHueWheelColumns + t;
    if (pos < 0 || pos >= kHueWheelSize) continue;
    colour[i] = table[pos];
  }
}

void SetAdvancedHueWheelFields(HueWheelFields* fields) { advancedFieldsSlot() = fields; }
HueWheelFields* AdvancedHueWheelFields() { return advancedFieldsSlot(); }

bool LoadHueWheelSettings(const HueWheelFields* window) {
  static constexpr const char* kNames[9] = {"Adv_HueWheel0", "Adv_HueWheel1", "Adv_HueWheel2",
                                            "Adv_HueWheel3", "Adv_HueWheel4", "Adv_HWB_Start",
                                            "Adv_HWB_Level", "Adv_HWB_BSpan", "Adv_HWB_Speed"};
  static constexpr int32_t kDefaults[9] = {100, 150, 180, 255, 315, 0, 0, 0, 0};
  std::array<int32_t, 9> raw{};
  for (int k = 0; k < 9; ++k) {
    if (window) {
      const std::optional<int32_t> v = BoxValue(*window, k);
      if (!v) return false;  // keep every earlier setting
      raw[k] = *v;
    } else {
      raw[k] = store::GetSettingLong("Advanced", kNames[k], kDefaults[k]);
    }
  }

  HueWheelState& s = hueWheelState();
  std::array<int32_t, 5> deg{};
  for (int k = 0; k < 5; ++k) deg[k] = store::ClampLong(raw[k], k == 0 ? 0 : deg[k - 1], 360);
  for (int k = 0; k < 5; ++k)
    s.HueWheelDiv[k] = runtime::ToLongOr(static_cast<double>(deg[k]) * kDegreesToRampSteps, 0);
  for (int k = 0; k < 4; ++k) s.HueWheelLen[k] = s.HueWheelDiv[k + 1] - s.HueWheelDiv[k];
  s.HueWheelLen[4] = 1024 - s.HueWheelDiv[4];

  s.HwbStart = static_cast<float>(store::ClampLong(raw[5], 0, 360) * static_cast<double>(kDegreesToRampSteps));
  s.HwbLevel = static_cast<float>(store::ClampLong(raw[6], 0, 100) * 0.01);
  s.HwbSpan = static_cast<float>(store::ClampLong(raw[7], 0, 9999) * 0.0001 * 1024);
  s.HwbSpeed = static_cast<float>(store::ClampLong(raw[8], 0, 9999) * 0.001);
  return true;
}

}  // namespace model
