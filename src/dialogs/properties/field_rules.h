// Rules of the Properties dialog's numeric fields: the keys a field takes, how the Up and Down
// keys step it, the range it is clamped to when it loses the focus, and whether a spinner of
// the same index follows it. The handlers of the field groups read them from the tables here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace controls {
class TextBox;
}

namespace dialogs {

inline constexpr int16_t kKeyUp = 38;
inline constexpr int16_t kKeyDown = 40;

enum class KeyFilter : uint8_t { Digits, Decimal };

// The clamp on leaving a field, as ClampTextBox takes it: kind 0 whole, 1 decimal.
struct FieldClamp {
  int16_t kind;
  float lower;
  float upper;
};

// Up adds the step and keeps to `upper`, Down subtracts it and keeps to `lower`; a step of 0
// means the keys leave the field alone.
struct ArrowRule {
  int32_t step;
  int32_t lower;
  int32_t upper;
};

struct NumericFieldRule {
  int16_t index;
  KeyFilter keys;
  FieldClamp clamp;
  ArrowRule arrows;
  bool spinner;  // a spinner of the same index follows the field
};

// The universe, blending and tour fields txtUni, by index; nullptr for an index that is none.
const NumericFieldRule* UniverseFieldRule(int index);
std::span<const NumericFieldRule> UniverseFieldRules();

// The star count field txtUni(0) and its spinner spnUni(0), which holds a tenth of the count.
inline constexpr int16_t kStarCountField = 0;
inline constexpr int32_t kStarSpinnerScale = 10;

// The colour filter masks txtFilterRGB(0..2) and the desktop blend fields txtDesktopBlend(0..1):
// digits only, Up and Down by 1, clamped on leaving; nullptr for other indexes.
const NumericFieldRule* FilterMaskRule(int index);
const NumericFieldRule* DesktopBlendRule(int index);

// The text a field takes from the Up (38) or Down (40) key: the leading number of its text
// plus or minus the step, rounded (halves to even), kept to the bound in the direction of the
// step only. Nothing for other keys, a rule without a step, or a value that does not fit.
std::optional<int32_t> ArrowStepValue(std::string_view text, int keyCode, const ArrowRule& rule);

// The two handlers every numeric field shares, by its rule (nothing without one): Up or Down
// writes the stepped value (true when the key stepped), and leaving clamps the text.
bool StepFieldByArrow(controls::TextBox& box, const NumericFieldRule* rule, int keyCode);
void ClampFieldOnLeaving(controls::TextBox& box, const NumericFieldRule* rule);

// The value a spinner takes from its field: the leading number of the text divided by
// `scale`, rounded (halves to even); nothing when it is no 32-bit whole number.
std::optional<int32_t> SpinnerValueOfText(std::string_view text, int32_t scale = 1);

// A hue read from a field's text as the swatches read it: the whole number (16-bit, rounded,
// halves to even) of "0" followed by the text, so an empty text is hue 0. Nothing when that
// is not a number.
std::optional<int16_t> SwatchHueOfText(std::string_view text);

// The 80 colours (colour-reference order) of a hue swatch of the range from `startText` to
// `endText`: the hue range sequence of the two hues. When either text is no hue, all 80 are
// black.
inline constexpr int kSwatchBands = 80;
std::array<int32_t, kSwatchBands> HueSwatchColors(std::string_view startText, std::string_view endText);

}  // namespace dialogs
