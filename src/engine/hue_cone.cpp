#include "engine/hue_cone.h"

#include <cmath>
#include <span>

#include "model/angles.h"
#include "model/colors.h"
#include "model/hue_wheel.h"
#include "engine/universe_settings.h"
#include "store/values.h"
#include "platform/pixlib/pixlib.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

struct ConeRange {
  int32_t lower;
  int32_t upper;
};
// Ranges of the four cone fields, in field order.
constexpr ConeRange kConeRanges[4] = {{0, 100}, {0, 100}, {0, 999}, {-999, 999}};

void StoreConeValue(HueConeState& s, int k, int32_t v) {
  switch (k) {
    case 0: s.ConeBright = v; break;
    case 1: s.ConeBlack = v; break;
    case 2: s.ConeBBias = v; break;
    case 3: s.ConeTwist = v; break;
    default: break;
  }
}

// The disc's point list from a picture of w x ht pixels: every pixel within the radius gets
// the cone entry of its angle (hue) and its distance from the rim (level).
void BuildConePoints(HueConeState& s, int32_t w, int32_t ht) {
  s.ConePointCount = 0;
  const auto rOpt = runtime::ToLong(w * 0.5);
  const auto cyOpt = runtime::ToLong(ht * 0.5 - 1.0);
  if (!rOpt || !cyOpt) return;
  const int32_t r = *rOpt;
  const int32_t cy = *cyOpt;
  const float R = static_cast<float>(r);
  if (!(R > 0.0f)) return;
  const float scale = static_cast<float>(1024.0 / model::kTwoPi);
  const float levelFactor = 63.0f / R;

  for (int64_t y = 0; y <= 2 * static_cast<int64_t>(cy) + 1; ++y) {
    for (int64_t x = 0; x <= 2 * static_cast<int64_t>(r); ++x) {
      const double dx = static_cast<double>(x - r);
      const double dy = static_cast<double>(y - cy);
      const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
      if (!(d < R)) continue;
      double a = std::atan(static_cast<double>(cy - y) / (static_cast<double>(r - x) + 0.000000001));
      a = (x <= r) ? 3.0 * model::kPi - a : model::kTwoPi - a;
      const auto hue = runtime::ToLong(scale * a);
      // The two Singles' product is taken exactly before it is truncated, not rounded to a
      // Single first: the centre of a 110-pixel disc has 55 x (63 / 55 as a Single) =
      // 62.99999893, level 62, where a Single product would round to 63.
      const auto level = runtime::FixToLong(static_cast<double>(R - d) * levelFactor);
      if (!hue || !level) continue;
      if (s.ConePointCount >= kConePointCapacity) return;  // a larger picture keeps the inner part of its rows
      const int32_t i = s.ConePointCount++;
      s.ConePointX[i] = static_cast<int32_t>(x - 1);
      s.ConePointY[i] = static_cast<int32_t>(y);
      s.ConePointIndex[i] = (*hue & 1023) * 64 + *level;
    }
  }
}

// The preview's own ramp in colour-reference order, with the bubble moved on by one step
// and applied. Every preview redraw starts with this step, so each redraw moves the bubble.
void AdvancePreviewRamp(HueConeState& s) {
  for (int i = 0; i < model::kHueRampSteps; ++i) s.PreviewRamp[i] = model::HueRampColor(i);
  s.PreviewRamp[model::kHueRampSteps] = 0;
  model::CalcHueRamp(std::span<int32_t>(s.PreviewRamp), std::span<const int32_t>(s.PreviewRamp), true);
}

}  // namespace

HueConeState& hueCone() {
  static HueConeState s;
  return s;
}

void ResetHueConeState() { hueCone() = HueConeState{}; }

void SetHueConeDialog(HueConeDialog* dialog) { hueCone().Dialog = dialog; }
HueConeDialog* hueConeDialog() { return hueCone().Dialog; }

void LoadColorConeSettings(const HueConeDialog& window) {
  HueConeState& s = hueCone();
  for (int k = 0; k < 4; ++k) {
    const ConeRange& range = kConeRanges[k];
    StoreConeValue(s, k,
                   store::LeadingWholeClamped(window.ColorPropText(k), static_cast<float>(range.lower),
                                             static_cast<float>(range.upper)));
  }
  s.ConeValuesFromDialog = true;
}

void LoadStoredConeSettings() {
  HueConeState& s = hueCone();
  const UniverseSettings& u = universeSettings();
  s.ConeBright = store::ClampLong(u.HWC_ConeBright, kConeRanges[0].lower, kConeRanges[0].upper);
  s.ConeBlack = store::ClampLong(u.HWC_ConeBlack, kConeRanges[1].lower, kConeRanges[1].upper);
  s.ConeBBias = store::ClampLong(u.HWC_ConeBBias, kConeRanges[2].lower, kConeRanges[2].upper);
  s.ConeTwist = store::ClampLong(u.HWC_ConeTwist, kConeRanges[3].lower, kConeRanges[3].upper);
  s.ConeValuesFromDialog = false;
}

void BuildHueConeColors(HueConePicture& picture) {
  HueConeState& s = hueCone();

  // A private ramp in colour-reference order; the bubble moves on and lightens it.
  AdvancePreviewRamp(s);

  // The cone values as the open dialog's fields show them now (whole part, not clamped);
  // without a dialog, the values loaded for the display.
  int32_t values[4] = {0, 0, 0, 0};
  if (s.Dialog != nullptr) {
    for (int k = 0; k < 4; ++k) {
      values[k] = runtime::FixToLong(runtime::Val(s.Dialog->ColorPropText(k))).value_or(0);
    }
  } else {
    LoadStoredConeSettings();
    values[0] = s.ConeBright;
    values[1] = s.ConeBlack;
    values[2] = s.ConeBBias;
    values[3] = s.ConeTwist;
  }

  const model::HueWheelState& hw = model::hueWheelState();
  pixlib::CalcHueConeBrightness(s.PreviewRamp, s.PreviewCone, 1, values[0], values[1], values[2], values[3],
                                hw.HwbLevel, hw.HwbSpan, hw.HwbStart);

  if (!s.ConePointsBuilt) {
    const int32_t w = picture.InnerWidthPx();
    const int32_t ht = picture.InnerHeightPx();
    // A picture without area yields no disc; the list waits for a picture that has one.
    if (w > 0 && ht > 0) {
      s.ConePointsBuilt = true;
      BuildConePoints(s, w, ht);
    }
  }

  picture.ClearPicture();
  for (int32_t i = 0; i < s.ConePointCount; ++i) {
    const int32_t index = s.ConePointIndex[i];
    if (index < 0 || index >= kHueConeTableSize) continue;
    picture.SetPixel(s.ConePointX[i], s.ConePointY[i], s.PreviewCone[index]);
  }
  picture.PublishToImage();
}

void HueConeColor() {
  HueConeState& s = hueCone();
  model::RebuildColorTables(false, true);
  // Without the dialog (or before its preview loaded the fields) the stored cone applies.
  if (s.Dialog == nullptr || !s.ConeValuesFromDialog) LoadStoredConeSettings();
  const model::HueWheelState& hw = model::hueWheelState();
  pixlib::CalcHueConeBrightness(model::colorState().HueColorTable, s.HueConeTable, 1, s.ConeBright, s.ConeBlack,
                                s.ConeBBias, s.ConeTwist, hw.HwbLevel, hw.HwbSpan, hw.HwbStart);
  if (hw.HwbLevel > 0 && hw.HwbSpan > 0) {
    HueConePicture* picture = s.Dialog != nullptr ? s.Dialog->HueWheelPicture() : nullptr;
    if (picture != nullptr) {
      BuildHueConeColors(*picture);
    } else {
      // The preview's redraw moves the bubble a second time in every frame; without a
      // picture to draw into the bubble still keeps that pace.
      AdvancePreviewRamp(s);
    }
  }
}

void ReloadHueColors(HueConePicture& picture) {
  model::LoadHueWheelSettings();
  BuildHueConeColors(picture);
}

void RefreshHueColorPreview(HueConeDialog& window) {
  if (HueConePicture* picture = window.HueWheelPicture()) ReloadHueColors(*picture);
}

void ColorPropsArrowKey(HueConeDialog& window, int16_t Index, int16_t KeyCode) {
  static constexpr int32_t kSteps[4] = {1, 1, 10, 5};
  if (Index < 0 || Index > 3) return;
  if (KeyCode != 38 && KeyCode != 40) return;
  const double v = runtime::Val(window.ColorPropText(Index));
  const ConeRange& range = kConeRanges[Index];
  // Only the bound in the direction of the step applies.
  if (KeyCode == 38) {
    const auto next = runtime::ToLong(v + kSteps[Index]);
    if (!next) return;
    window.SetColorPropText(Index, runtime::LongToText(store::MinLong(range.upper, *next)));
  } else {
    const auto next = runtime::ToLong(v - kSteps[Index]);
    if (!next) return;
    window.SetColorPropText(Index, runtime::LongToText(store::MaxLong(range.lower, *next)));
  }
}

void ValidateColorProp(HueConeDialog& window, int16_t Index) {
  if (Index < 0 || Index > 3) return;
  const ConeRange& range = kConeRanges[Index];
  const int32_t v = store::LeadingWholeClamped(window.ColorPropText(Index), static_cast<float>(range.lower),
                                              static_cast<float>(range.upper));
  window.SetColorPropText(Index, runtime::LongToText(v));
  if (HueConePicture* picture = window.HueWheelPicture()) BuildHueConeColors(*picture);
}

}  // namespace engine
