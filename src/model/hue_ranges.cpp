#include "model/hue_ranges.h"

#include "model/colors.h"
#include "model/galaxy_types.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace model {

namespace {

// The divisors and offset of a sequence, as exact as the arithmetic needs them.
constexpr double kSteps = 71.99999988079071;
constexpr double kFadeSteps = 7.0000001192092896;
constexpr double kDarkOffset = 8.00000011920929;

// Channel of the white fade, as a 16-bit whole number; 0 when it cannot be held.
int32_t FadeChannel(int32_t c, float t) {
  const std::optional<int16_t> v = runtime::ToInteger(255 - (255 - c) * static_cast<double>(t));
  return v ? *v : 0;
}

}  // namespace

HueRangeState& hueRangeState() {
  static HueRangeState s;
  return s;
}

void BuildHueRangeTable(std::span<int32_t> Table, int32_t Column, int32_t StartHue, int32_t EndHue, bool UseRamp) {
  if (Column < -1 || Column >= kHueRangeColumns) return;
  auto put = [&](int32_t i, int32_t colour) {
    const size_t pos = static_cast<size_t>(Column < 0 ? i : HueRangeIndex(Column, i));
    if (pos < Table.size()) Table[pos] = colour;
  };

  const auto step = static_cast<float>(1.0 / kSteps);
  const int32_t first = UseRamp ? HueRampColor(StartHue) : HueToColor(StartHue);
  const int32_t r0 = first & 0xFF, g0 = (first >> 8) & 0xFF, b0 = (first >> 16) & 0xFF;
  for (int32_t i = 0; i < 8; ++i) {
    const auto t = static_cast<float>(i / kFadeSteps);
    put(i, FadeChannel(r0, t) + 256 * FadeChannel(g0, t) + 65536 * FadeChannel(b0, t));
  }

  const double span = static_cast<double>(EndHue) - StartHue;
  for (int32_t i = 8; i < 80; ++i) {
    const std::optional<int32_t> h = runtime::ToLong((i - 8) * static_cast<double>(step) * span + StartHue);
    if (!h) continue;
    const int32_t colour = UseRamp ? HueRampColor(*h % 1024) : HueToColor(*h % 360);
    const auto factor = static_cast<float>((400 - i + kDarkOffset) / 400.0);
    put(i, ScaleColor(colour, factor));
  }
}

void SetUniverseHueWheel(int32_t StartHue, int32_t EndHue) {
  if (StartHue == -1) StartHue = store::GetSettingLong("Universe", "Universe_HW_Start", 170);
  if (EndHue == -1) EndHue = store::GetSettingLong("Universe", "Universe_HW_End", 250);
  HueRangeState& s = hueRangeState();
  BuildHueRangeTable(s.UniverseHueRangeTable, -1, StartHue, EndHue, true);
  const auto& types = records().GalaxyTypes;
  for (int32_t t = 0; t < kEditableGalaxyTypes; ++t)
    BuildHueRangeTable(s.TypeHueRangeTable, t, types[t].Galaxy_HWC_Start, types[t].Galaxy_HWC_End, true);
}

}  // namespace model
