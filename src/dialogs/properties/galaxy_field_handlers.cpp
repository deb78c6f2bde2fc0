#include "dialogs/properties/galaxy_field_handlers.h"

#include <iterator>
#include <string>

#include "dialogs/properties/galaxy_style.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/universe_fields.h"
#include "model/colors.h"
#include "platform/controls/controls.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr FieldClamp Whole(float lower, float upper) { return {0, lower, upper}; }
constexpr FieldClamp Decimal(float lower, float upper) { return {1, lower, upper}; }
// The shared boxes take their clamp from the style; ClampTextBox leaves a box of kind -1 alone.
constexpr FieldClamp kByStyle{-1, 0, 0};
constexpr ArrowRule kNoArrows{0, 0, 0};

// clang-format off
constexpr NumericFieldRule kGalaxyFields[] = {
    // index keys               clamp on leaving          arrows (step, lower, upper)  spinner
    {0,  KeyFilter::Digits,  Whole(1, 30000),        {10, 1, 30000}, true},   // radius
    {1,  KeyFilter::Digits,  Whole(0, 30000),        {10, 0, 30000}, true},   // rotation
    {2,  KeyFilter::Digits,  Whole(0, 30000),        {10, 0, 30000}, true},   // distance
    {3,  KeyFilter::Digits,  kByStyle,               {1, 1, 99},     true},   // radials / control points
    {4,  KeyFilter::Digits,  kByStyle,               {1, 0, 100},    true},   // radial fill / steps
    {5,  KeyFilter::Digits,  kByStyle,               {1, 1, 99},     true},   // bands / bias points
    {6,  KeyFilter::Digits,  kByStyle,               {1, 0, 100},    true},   // band fill / bias span
    {7,  KeyFilter::Digits,  Whole(0, 30000),        {10, 0, 30000}, true},   // colour multiplier
    {8,  KeyFilter::Decimal, Decimal(0, 99.9f),      kNoArrows,      false},  // quasar speed, gravity force
    {9,  KeyFilter::Digits,  Whole(1, 10),           kNoArrows,      false},  // stacked levels
    {10, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},  // new stars
    {11, KeyFilter::Digits,  Whole(0, 999),          kNoArrows,      false},
    {12, KeyFilter::Digits,  Whole(1, 9999),         kNoArrows,      false},
    {20, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},  // novae
    {21, KeyFilter::Digits,  Whole(1, 999),          kNoArrows,      false},
    {22, KeyFilter::Digits,  Whole(1, 9999),         kNoArrows,      false},
    {30, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},  // pulsars
    {31, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},
    {32, KeyFilter::Digits,  Whole(1, 99),           kNoArrows,      false},
    {33, KeyFilter::Digits,  Whole(1, 99),           kNoArrows,      false},
    {34, KeyFilter::Digits,  Whole(1, 9999),         kNoArrows,      false},
    {35, KeyFilter::Digits,  Whole(1, 9999),         kNoArrows,      false},
    {40, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},  // comets
    {41, KeyFilter::Digits,  Whole(1, 999),          kNoArrows,      false},
    {42, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},
    {43, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},
    {44, KeyFilter::Digits,  Whole(0, 9999),         kNoArrows,      false},
    {45, KeyFilter::Decimal, Decimal(0.1f, 0.9999f), kNoArrows,      false},
    {46, KeyFilter::Decimal, Decimal(0.1f, 0.9999f), kNoArrows,      false},
    {47, KeyFilter::Digits,  Whole(0, 999),          {1, 0, 999},    true},   // comet hue start
    {48, KeyFilter::Digits,  Whole(0, 999),          {1, 0, 999},    true},   // comet hue end
    {49, KeyFilter::Decimal, Decimal(0, 1),          kNoArrows,      false},  // comet hue increment
    {90, KeyFilter::Decimal, Decimal(0, 99.9f),      kNoArrows,      false},  // height / width ratio
    {91, KeyFilter::Decimal, Decimal(0, 99.9f),      kNoArrows,      false},
    {92, KeyFilter::Decimal, Decimal(0, 99.9f),      kNoArrows,      false},
    {93, KeyFilter::Digits,  kByStyle,               kNoArrows,      false},  // tilt / bias speed
    {94, KeyFilter::Decimal, Decimal(0, 360),        kNoArrows,      false},
    {95, KeyFilter::Digits,  Whole(0, 359),          {5, 0, 359},    true},   // hue wheel start
    {96, KeyFilter::Decimal, Decimal(0, 360),        kNoArrows,      false},  // hue wheel increment
};

constexpr NumericFieldRule kPixHueFields[] = {
    {0, KeyFilter::Digits, Whole(0, 100), {1, 0, 100}, true},  // red
    {1, KeyFilter::Digits, Whole(0, 100), {1, 0, 100}, true},  // green
    {2, KeyFilter::Digits, Whole(0, 100), {1, 0, 100}, true},  // blue
    {3, KeyFilter::Digits, Whole(0, 100), {1, 0, 100}, true},  // base
    {4, KeyFilter::Digits, Whole(0, 100), {1, 0, 100}, true},  // blending
};
// clang-format on

constexpr int kCometHueStart = 47;
constexpr int kCometHueEnd = 48;
constexpr int kHueWheelStart = 95;

int32_t ShownStyle(const PropsControls& c) { return c.cboGalStyle->ListIndex(); }

void KeyPressByRule(controls::TextBox& box, const NumericFieldRule* rule, int& keyAscii) {
  if (rule != nullptr && rule->keys == KeyFilter::Decimal)
    controls::DecimalKeyPress(box, keyAscii);
  else
    controls::NumericKeyPress(keyAscii);
}

// The spinner of a box follows its leading number; a value the spinner refuses leaves it.
void FollowWithSpinner(controls::TextBox& box, controls::Spinner& spinner) {
  if (const std::optional<int32_t> v = SpinnerValueOfText(box.Text())) spinner.SetValue(*v);
}

void PaintSwatch(controls::PictureBox& picture, uint32_t rgb) {
  picture.SetBackColor(rgb);
  picture.Cls();
}

}  // namespace

std::optional<NumericFieldRule> GalaxyFieldRule(int index, int32_t style) {
  const NumericFieldRule* found = nullptr;
  for (const NumericFieldRule& r : kGalaxyFields)
    if (r.index == index) found = &r;
  if (found == nullptr) return std::nullopt;
  NumericFieldRule rule = *found;
  if (rule.clamp.kind != kByStyle.kind) return rule;
  // A shared box: the style's range, for leaving and for the keys that have a step.
  if (const std::optional<WholeRange> range = SharedBoxRange(style, index)) {
    rule.clamp = Whole(static_cast<float>(range->lower), static_cast<float>(range->upper));
    if (rule.arrows.step != 0) rule.arrows = {rule.arrows.step, range->lower, range->upper};
  }
  return rule;
}

const NumericFieldRule* PixHueFieldRule(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kPixHueFields))) return nullptr;
  return &kPixHueFields[index];
}

std::optional<uint32_t> PixHueSwatchColor(int index, std::string_view text) {
  if (index < 0 || index > 3) return std::nullopt;
  const int32_t level = runtime::LeadingWholeClamped(text, 0, 100);
  const auto component = static_cast<uint32_t>(runtime::RoundHalfEven(level * 2.55));
  switch (index) {
    case 0: return component << 16;
    case 1: return component << 8;
    case 2: return component;
    default: return component << 16 | component << 8 | component;
  }
}

void txtGalaxy_Change(PropsControls& c, int Index) {
  const std::optional<NumericFieldRule> rule = GalaxyFieldRule(Index, ShownStyle(c));
  if (!rule || !rule->spinner) return;
  FollowWithSpinner(c.txtGalaxy[Index], c.spnGalaxy[Index]);
  if (Index == kCometHueStart || Index == kCometHueEnd) {
    RefreshHueSwatch(*c.picColNova, c.txtGalaxy[kCometHueStart].Text(), c.txtGalaxy[kCometHueEnd].Text());
  } else if (Index == kHueWheelStart) {
    if (const std::optional<int16_t> hue = SwatchHueOfText(c.txtGalaxy[Index].Text()))
      PaintSwatch(*c.picGalHue, static_cast<uint32_t>(model::ToDisplayColorOrder(model::HueToColor(*hue))));
  }
}

void txtGalaxy_GotFocus(PropsControls&, int) { controls::SelectAllText(); }

void txtGalaxy_KeyDown(PropsControls& c, int Index, int& KeyCode, int) {
  const std::optional<NumericFieldRule> rule = GalaxyFieldRule(Index, ShownStyle(c));
  StepFieldByArrow(c.txtGalaxy[Index], rule ? &*rule : nullptr, KeyCode);
}

void txtGalaxy_KeyPress(PropsControls& c, int Index, int& KeyAscii) {
  const std::optional<NumericFieldRule> rule = GalaxyFieldRule(Index, ShownStyle(c));
  KeyPressByRule(c.txtGalaxy[Index], rule ? &*rule : nullptr, KeyAscii);
}

void txtGalaxy_LostFocus(PropsControls& c, int Index) {
  const std::optional<NumericFieldRule> rule = GalaxyFieldRule(Index, ShownStyle(c));
  ClampFieldOnLeaving(c.txtGalaxy[Index], rule ? &*rule : nullptr);
}

void spnGalaxy_Change(PropsControls& c, int Index) {
  c.txtGalaxy[Index].SetText(runtime::LongToText(c.spnGalaxy[Index].Value()));
}

void txtPixHue_Change(PropsControls& c, int Index) {
  const std::string text = c.txtPixHue[Index].Text();
  if (const std::optional<uint32_t> rgb = PixHueSwatchColor(Index, text)) PaintSwatch(c.picPixHue[Index], *rgb);
  if (PixHueFieldRule(Index) != nullptr) FollowWithSpinner(c.txtPixHue[Index], c.spnPixHue[Index]);
}

void txtPixHue_GotFocus(PropsControls&, int) { controls::SelectAllText(); }

void txtPixHue_KeyDown(PropsControls& c, int Index, int& KeyCode, int) {
  StepFieldByArrow(c.txtPixHue[Index], PixHueFieldRule(Index), KeyCode);
}

void txtPixHue_KeyPress(PropsControls& c, int Index, int& KeyAscii) {
  KeyPressByRule(c.txtPixHue[Index], PixHueFieldRule(Index), KeyAscii);
}

void txtPixHue_LostFocus(PropsControls& c, int Index) {
  ClampFieldOnLeaving(c.txtPixHue[Index], PixHueFieldRule(Index));
}

void spnPixHue_Change(PropsControls& c, int Index) {
  c.txtPixHue[Index].SetText(runtime::LongToText(c.spnPixHue[Index].Value()));
}

void AttachGalaxyFieldHandlers(PropsControls& c) {
  PropsControls* pc = &c;
  for (const auto& [index, box] : c.txtGalaxy) {
    const int i = index;
    box->Change = [pc, i] { txtGalaxy_Change(*pc, i); };
    box->GotFocus = [pc, i] { txtGalaxy_GotFocus(*pc, i); };
    box->KeyDown = [pc, i](int& keyCode, int shift) { txtGalaxy_KeyDown(*pc, i, keyCode, shift); };
    box->KeyPress = [pc, i](int& keyAscii) { txtGalaxy_KeyPress(*pc, i, keyAscii); };
    box->LostFocus = [pc, i] { txtGalaxy_LostFocus(*pc, i); };
  }
  for (const auto& [index, spinner] : c.spnGalaxy) {
    const int i = index;
    spinner->Change = [pc, i] { spnGalaxy_Change(*pc, i); };
  }
  for (const auto& [index, box] : c.txtPixHue) {
    const int i = index;
    box->Change = [pc, i] { txtPixHue_Change(*pc, i); };
    box->GotFocus = [pc, i] { txtPixHue_GotFocus(*pc, i); };
    box->KeyDown = [pc, i](int& keyCode, int shift) { txtPixHue_KeyDown(*pc, i, keyCode, shift); };
    box->KeyPress = [pc, i](int& keyAscii) { txtPixHue_KeyPress(*pc, i, keyAscii); };
    box->LostFocus = [pc, i] { txtPixHue_LostFocus(*pc, i); };
  }
  for (const auto& [index, spinner] : c.spnPixHue) {
    const int i = index;
    spinner->Change = [pc, i] { spnPixHue_Change(*pc, i); };
  }
  c.cboGalStyle->Click = [pc] { cboGalStyle_Click(*pc); };
}

}  // namespace dialogs
