#include "engine/star_tables.h"

#include <cmath>

#include "model/colors.h"
#include "model/galaxy_types.h"
#include "store/values.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

// The phase at which a cycle starts: sin is -1 there, +1 half a cycle later.
constexpr double kThreeHalvesPi = 4.712388980384685;

}  // namespace

void BuildPulsarTables() {
  for (int t = 0; t < model::kEditableGalaxyTypes; ++t) {
    model::GalaxyTypeProps& g = model::records().GalaxyTypes[t];
    g.PulsarSizes.fill(0.0f);
    g.PulsarColors.fill(0);
    const int32_t n = store::ClampLong(g.Galaxy_PulsarFrames, 0, model::kStarColorFrames - 1);
    g.Galaxy_PulsarFrames = n;
    if (n == 0) continue;

    float a = static_cast<float>(model::kTwoPi / 12.0);
    const float step = static_cast<float>(model::kTwoPi / n * (60.0 / 90.0));
    // Frames before q1 brighten, frames from q3 on dim again; in between the colour is full.
    const int32_t q1 = runtime::ToLongOr(n * 0.25 - 1.0, 0);
    const int32_t q3 = runtime::ToLongOr(n * 0.75 + 1.0, 0);
    const double hueSwing = 0.5 * (static_cast<double>(g.Galaxy_HWC_End) - g.Galaxy_HWC_Start);
    const double hueMid = 0.5 * (static_cast<double>(g.Galaxy_HWC_Start) + g.Galaxy_HWC_End);
    const double sizeSwing = 0.5 * (static_cast<double>(g.Galaxy_PulsarMaxExt) - g.Galaxy_PulsarMinExt);
    const double sizeMid = 0.5 * (static_cast<double>(g.Galaxy_PulsarMinExt) + g.Galaxy_PulsarMaxExt);

    for (int32_t k = 0; k < n; ++k) {
      const double s = std::sin(k * model::kTwoPi / n + kThreeHalvesPi);
      const int32_t base = model::HueRampColor(runtime::ToLongOr(hueSwing * s + hueMid, 0));
      if (k < q1) {
        a = a + step;
        g.PulsarColors[k] = model::ScaleColor(base, static_cast<float>(std::sin(static_cast<double>(a))));
      } else if (k >= q3) {
        g.PulsarColors[k] = model::ScaleColor(base, static_cast<float>(std::sin(static_cast<double>(a))));
        a = a - step;
      } else {
        g.PulsarColors[k] = base;
      }
      g.PulsarSizes[k] = static_cast<float>((sizeSwing * s + sizeMid) * 0.001);
    }
  }
}

void BuildNewStarColors() {
  for (int t = 0; t < model::kEditableGalaxyTypes; ++t) {
    model::GalaxyTypeProps& g = model::records().GalaxyTypes[t];
    g.NewStarColors.fill(0);
    const int32_t n = store::ClampLong(g.Galaxy_NewFrames, 0, model::kStarColorFrames - 1);
    g.Galaxy_NewFrames = n;
    if (n == 0) continue;

    const double span = static_cast<double>(g.Galaxy_HWC_Start) - g.Galaxy_HWC_End;
    for (int32_t k = 0; k <= n; ++k) {
      const auto h = runtime::IntToLong(span * k / n + g.Galaxy_HWC_End);
      if (!h) continue;
      const float whiten = static_cast<float>(static_cast<double>(k) / n);
      g.NewStarColors[k] = model::BlendHueTowardWhite(*h % 360, whiten);
    }
  }
}

}  // namespace engine
