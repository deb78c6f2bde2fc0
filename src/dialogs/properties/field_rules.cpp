#include "dialogs/properties/field_rules.h"

#include <string>

#include "platform/controls/controls.h"
#include "model/hue_ranges.h"
#include "runtime/numbers.h"
#include "store/values.h"

namespace dialogs {

namespace {

constexpr FieldClamp Whole(float lower, float upper) { return {0, lower, upper}; }
constexpr FieldClamp Decimal(float lower, float upper) { return {1, lower, upper}; }
constexpr ArrowRule kNoArrows{0, 0, 0};

// clang-format off
constexpr NumericFieldRule kUniverseFields[] = {
    // index keys               clamp on leaving          arrows (step, lower, upper)  spinner
    {0,  KeyFilter::Digits,  Whole(10, 99999),     {100, 100, 99999}, true},   // stars
    {1,  KeyFilter::Digits,  Whole(1, 999),        {1, 1, 999},       true},   // galaxies
    {2,  KeyFilter::Digits,  Whole(0, 100),        {1, 0, 100},       true},   // blending, burst
    {3,  KeyFilter::Digits,  Whole(0, 100),        {1, 0, 100},       true},   // blending, travel
    {10, KeyFilter::Digits,  Whole(0, 99999),      kNoArrows,         false},  // expansion speed
    {11, KeyFilter::Digits,  Whole(1, 9999),       kNoArrows,         false},  // expansion steps
    {12, KeyFilter::Decimal, Decimal(0.25f, 1.0f), kNoArrows,         false},  // star persistence
    {14, KeyFilter::Decimal, Decimal(0, 1.0f),     kNoArrows,         false},  // expansion damping
    {16, KeyFilter::Digits,  Whole(0, 999),        {1, 0, 999},       true},   // hue start
    {17, KeyFilter::Digits,  Whole(0, 999),        {1, 0, 999},       true},   // hue end
    {18, KeyFilter::Digits,  Whole(1, 999),        kNoArrows,         false},  // recycle after visits
    {20, KeyFilter::Digits,  Whole(0, 9999),       kNoArrows,         false},  // new star frequency
    {21, KeyFilter::Digits,  Whole(0, 100),        kNoArrows,         false},  // exclusive to galaxy %
    {30, KeyFilter::Digits,  Whole(1, 9999),       kNoArrows,         false},  // steps per control point
    {31, KeyFilter::Digits,  Whole(1, 999),        kNoArrows,         false},  // control points per visit
    {32, KeyFilter::Digits,  Whole(0, 999),        kNoArrows,         false},  // control points thru core
    {33, KeyFilter::Digits,  Whole(0, 999999),     kNoArrows,         false},  // distance from centre
    {34, KeyFilter::Decimal, Whole(0, 999),        kNoArrows,         false},  // camera rotation ramping
    {40, KeyFilter::Digits,  Whole(0, 9999),       kNoArrows,         false},  // ambient stars
    {41, KeyFilter::Decimal, Decimal(0.25f, 1.0f), kNoArrows,         false},  // ambient persistence
    {42, KeyFilter::Decimal, Decimal(0, 10.0f),    kNoArrows,         false},  // ambient age increment
    {43, KeyFilter::Digits,  Whole(0, 999),        kNoArrows,         false},  // ambient cycle down frames
    {44, KeyFilter::Digits,  Whole(1, 99999),      kNoArrows,         false},  // ambient size extension
    {50, KeyFilter::Digits,  Whole(0, 999999),     kNoArrows,         false},  // gravitational magnitude
    {51, KeyFilter::Digits,  Whole(1, 999),        kNoArrows,         false},  // velocity vectors per frame
};

constexpr NumericFieldRule kFilterMasks[] = {
    {0, KeyFilter::Digits, Whole(0, 255), {1, 0, 255}, false},  // red
    {1, KeyFilter::Digits, Whole(0, 255), {1, 0, 255}, false},  // green
    {2, KeyFilter::Digits, Whole(0, 255), {1, 0, 255}, false},  // blue
};

constexpr NumericFieldRule kDesktopBlend[] = {
    {0, KeyFilter::Digits, Whole(0, 99),  {1, 0, 99},  false},  // desktop percent
    {1, KeyFilter::Digits, Whole(0, 999), {1, 0, 999}, false},  // blend frames
};
// clang-format on

const NumericFieldRule* FindRule(std::span<const NumericFieldRule> rules, int index) {
  for (const NumericFieldRule& r : rules)
    if (r.index == index) return &r;
  return nullptr;
}

}  // namespace

const NumericFieldRule* UniverseFieldRule(int index) { return FindRule(kUniverseFields, index); }
std::span<const NumericFieldRule> UniverseFieldRules() { return kUniverseFields; }
const NumericFieldRule* FilterMaskRule(int index) { return FindRule(kFilterMasks, index); }
const NumericFieldRule* DesktopBlendRule(int index) { return FindRule(kDesktopBlend, index); }

std::optional<int32_t> ArrowStepValue(std::string_view text, int keyCode, const ArrowRule& rule) {
  if (rule.step == 0) return std::nullopt;
  const double v = runtime::Val(text);
  if (keyCode == kKeyUp) {
    const std::optional<int32_t> next = runtime::ToLong(v + rule.step);
    if (!next) return std::nullopt;
    return store::MinLong(rule.upper, *next);
  }
  if (keyCode == kKeyDown) {
    const std::optional<int32_t> next = runtime::ToLong(v - rule.step);
    if (!next) return std::nullopt;
    return store::MaxLong(rule.lower, *next);
  }
  return std::nullopt;
}

bool StepFieldByArrow(controls::TextBox& box, const NumericFieldRule* rule, int keyCode) {
  if (rule == nullptr) return false;
  const std::optional<int32_t> v = ArrowStepValue(box.Text(), keyCode, rule->arrows);
  if (!v) return false;
  box.SetText(runtime::LongToText(*v));
  return true;
}

void ClampFieldOnLeaving(controls::TextBox& box, const NumericFieldRule* rule) {
  if (rule != nullptr) controls::ClampTextBox(box, rule->clamp.kind, rule->clamp.lower, rule->clamp.upper);
}

std::optional<int32_t> SpinnerValueOfText(std::string_view text, int32_t scale) {
  if (scale == 0) return std::nullopt;
  return runtime::ToLong(runtime::Val(text) / scale);
}

std::optional<int16_t> SwatchHueOfText(std::string_view text) {
  double v = 0;
  if (!runtime::IsNumeric("0" + std::string(text), &v)) return std::nullopt;
  return runtime::ToInteger(v);
}

std::array<int32_t, kSwatchBands> HueSwatchColors(std::string_view startText, std::string_view endText) {
  // One entry more than the bands: the sequence's last entry is never drawn.
  std::array<int32_t, model::kHueRangeEntries> table{};
  const std::optional<int16_t> start = SwatchHueOfText(startText);
  const std::optional<int16_t> end = SwatchHueOfText(endText);
  if (start && end) model::BuildHueRangeTable(table, -1, *start, *end, false);
  std::array<int32_t, kSwatchBands> bands{};
  for (int i = 0; i < kSwatchBands; ++i) bands[static_cast<size_t>(i)] = table[static_cast<size_t>(i)];
  return bands;
}

}  // namespace dialogs
