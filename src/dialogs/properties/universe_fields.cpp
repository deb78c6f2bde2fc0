#include "dialogs/properties/universe_fields.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/controls/controls.h"
#include "model/colors.h"
#include "runtime/numbers.h"
#include "dialogs/properties/field_rules.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/universe_theme.h"

namespace dialogs {

namespace {

// The star spinner takes a tenth of the count in the field.
void SyncStarSpinner(PropsControls& c) {
  if (const std::optional<int32_t> v = SpinnerValueOfText(c.txtUni[kStarCountField].Text(), kStarSpinnerScale))
    c.spnUni[kStarCountField].SetValue(*v);
}

// The field is being typed in: the user's keys, not the program, changed it.
bool BeingTyped(const controls::TextBox& box) { return box.hasFocus(); }

}  // namespace

void RefreshHueSwatch(controls::PictureBox& picture, std::string_view startText, std::string_view endText) {
  const std::array<int32_t, kSwatchBands> bands = HueSwatchColors(startText, endText);
  const int64_t w = picture.ScaleWidth();
  const int64_t h = picture.ScaleHeight();
  if (w <= 0 || h <= 0) return;
  for (int i = 0; i < kSwatchBands; ++i) {
    const auto left = static_cast<int32_t>(w * i / kSwatchBands);
    const auto right = static_cast<int32_t>(w * (i + 1) / kSwatchBands);
    if (right <= left) continue;  // a picture narrower than the bands shows fewer of them
    picture.FillBox(left, 0, right - 1, static_cast<int32_t>(h - 1),
                    static_cast<uint32_t>(model::ToDisplayColorOrder(bands[static_cast<size_t>(i)])));
  }
}

void txtUni_Change(PropsControls& c, int Index) {
  const NumericFieldRule* rule = UniverseFieldRule(Index);
  if (rule == nullptr || !rule->spinner) return;
  if (Index == kStarCountField) {
    if (!BeingTyped(c.txtUni[Index])) SyncStarSpinner(c);
    return;
  }
  if (const std::optional<int32_t> v = SpinnerValueOfText(c.txtUni[Index].Text())) c.spnUni[Index].SetValue(*v);
  if (Index == 16 || Index == 17) RefreshHueSwatch(*c.picColUni, c.txtUni[16].Text(), c.txtUni[17].Text());
}

void txtUni_GotFocus(PropsControls&, int) { controls::SelectAllText(); }

void txtUni_KeyDown(PropsControls& c, int Index, int& KeyCode, int) {
  // A step is the program's change even while the field has the focus.
  if (StepFieldByArrow(c.txtUni[Index], UniverseFieldRule(Index), KeyCode) && Index == kStarCountField)
    SyncStarSpinner(c);
}

void txtUni_KeyPress(PropsControls& c, int Index, int& KeyAscii) {
  const NumericFieldRule* rule = UniverseFieldRule(Index);
  if (rule != nullptr && rule->keys == KeyFilter::Decimal)
    controls::DecimalKeyPress(c.txtUni[Index], KeyAscii);
  else
    controls::NumericKeyPress(KeyAscii);
}

void txtUni_LostFocus(PropsControls& c, int Index) {
  ClampFieldOnLeaving(c.txtUni[Index], UniverseFieldRule(Index));
  if (Index == kStarCountField) SyncStarSpinner(c);
}

void spnUni_Change(PropsControls& c, int Index) {
  const int32_t value = c.spnUni[Index].Value();
  if (Index == kStarCountField) {
    // A spinner that the field itself has just set already stands for the count in it; writing
    // ten times its value back would round that count (12345 to 12340).
    if (SpinnerValueOfText(c.txtUni[Index].Text(), kStarSpinnerScale) == value) return;
    c.txtUni[Index].SetText(runtime::LongToText(int64_t{kStarSpinnerScale} * value));
    return;
  }
  c.txtUni[Index].SetText(runtime::LongToText(value));
}

void AttachUniverseFieldHandlers(PropsControls& c) {
  // The spinners start in step with the design texts, so that giving them their ranges later
  // moves none of them.
  for (const auto& [index, spinner] : c.spnUni) {
    const int32_t scale = index == kStarCountField ? kStarSpinnerScale : 1;
    if (const std::optional<int32_t> v = SpinnerValueOfText(c.txtUni[index].Text(), scale)) spinner->SetValue(*v);
  }
  for (const auto& [index, box] : c.txtUni) {
    const int i = index;
    PropsControls* pc = &c;
    box->Change = [pc, i] { txtUni_Change(*pc, i); };
    box->GotFocus = [pc, i] { txtUni_GotFocus(*pc, i); };
    box->KeyDown = [pc, i](int& keyCode, int shift) { txtUni_KeyDown(*pc, i, keyCode, shift); };
    box->KeyPress = [pc, i](int& keyAscii) { txtUni_KeyPress(*pc, i, keyAscii); };
    box->LostFocus = [pc, i] { txtUni_LostFocus(*pc, i); };
  }
  for (const auto& [index, spinner] : c.spnUni) {
    const int i = index;
    PropsControls* pc = &c;
    spinner->Change = [pc, i] { spnUni_Change(*pc, i); };
  }
  c.cboUniTheme->Click = [pc = &c] { cboUniTheme_Click(*pc); };
}

}  // namespace dialogs
