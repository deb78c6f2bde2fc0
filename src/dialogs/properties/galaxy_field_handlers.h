// The handlers of the galaxy page's fields: the galaxy boxes txtGalaxy with their spinners
// spnGalaxy and the two hue swatches picColNova (comet hue range, boxes 47 and 48) and
// picGalHue (hue wheel start, box 95); and the star hue boxes txtPixHue(0..4) with their
// spinners spnPixHue and the level swatches picPixHue(0..3).
//
// Every box selects its text on focus, takes digits only or a decimal number, is clamped to
// its range on leaving; some step by the Up and Down keys. A box with a spinner moves it on
// every change, by the user or the program, and a spinner writes its value into its box. The
// shared boxes 3 to 6 and 93 keep to the range of the style cboGalStyle shows (galaxy_style.h):
// on leaving and for the arrow keys alike. With no style chosen they are not clamped on
// leaving, and their keys keep to the Standard style's range.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogs/properties/field_rules.h"

namespace dialogs {

struct PropsControls;

// The rule of txtGalaxy(index) while cboGalStyle shows `style` (-1: none); nothing for an
// index that is no galaxy box.
std::optional<NumericFieldRule> GalaxyFieldRule(int index, int32_t style);
// The rule of txtPixHue(index), 0 to 4: digits, 0 to 100, Up and Down by 1, a spinner.
const NumericFieldRule* PixHueFieldRule(int index);

// The colour (0xRRGGBB) swatch picPixHue(index) shows for the text of txtPixHue(index): the
// level L (the leading number, whole, kept to 0-100) as c = L x 2.55 rounded, halves to even,
// in red (0), green (1), blue (2) or grey (3). Nothing for other indexes.
std::optional<uint32_t> PixHueSwatchColor(int index, std::string_view text);

// The handlers, by field index (the index of the control array).
void txtGalaxy_Change(PropsControls& c, int Index);
void txtGalaxy_GotFocus(PropsControls& c, int Index);
void txtGalaxy_KeyDown(PropsControls& c, int Index, int& KeyCode, int Shift);
void txtGalaxy_KeyPress(PropsControls& c, int Index, int& KeyAscii);
void txtGalaxy_LostFocus(PropsControls& c, int Index);
void spnGalaxy_Change(PropsControls& c, int Index);
void txtPixHue_Change(PropsControls& c, int Index);
void txtPixHue_GotFocus(PropsControls& c, int Index);
void txtPixHue_KeyDown(PropsControls& c, int Index, int& KeyCode, int Shift);
void txtPixHue_KeyPress(PropsControls& c, int Index, int& KeyAscii);
void txtPixHue_LostFocus(PropsControls& c, int Index);
void spnPixHue_Change(PropsControls& c, int Index);

// Wires the handlers above onto every txtGalaxy, spnGalaxy, txtPixHue and spnPixHue element
// of `c`, and the style panel (galaxy_style.h) onto cboGalStyle.
void AttachGalaxyFieldHandlers(PropsControls& c);

}  // namespace dialogs
