// The universe, blending and tour fields txtUni of the Properties dialog with their spinners
// spnUni and the universe hue swatch picColUni: key filters, Up and Down steps, the clamp on
// leaving a field, and the field-spinner coupling.
//
// The star count field txtUni(0) and its spinner spnUni(0), which holds a tenth of the count,
// follow each other on every change made by the program (loads, themes, the arrow keys, the
// spinner itself), but not on the user's typing: a spinner that followed each keystroke would
// write ten times its value back and round the count being typed to a multiple of ten. Leaving
// the field clamps it and brings the spinner in step again. The spinner writes ten times its
// value into the field only when it was moved itself (a click or its keys), so a count that is
// no multiple of ten stays as loaded or typed.
#pragma once

#include <string_view>

namespace controls {
class PictureBox;
}

namespace dialogs {

struct PropsControls;

// Paints the hue range from the hue in `startText` to the hue in `endText` into the picture as
// 80 bands of equal width and the picture's full height. A text that does not read as a whole
// number paints all bands black. The universe swatch and the galaxy swatches use it.
void RefreshHueSwatch(controls::PictureBox& picture, std::string_view startText, std::string_view endText);

// The handlers, by field index (the index of the control array).
void txtUni_Change(PropsControls& c, int Index);
void txtUni_GotFocus(PropsControls& c, int Index);
void txtUni_KeyDown(PropsControls& c, int Index, int& KeyCode, int Shift);
void txtUni_KeyPress(PropsControls& c, int Index, int& KeyAscii);
void txtUni_LostFocus(PropsControls& c, int Index);
void spnUni_Change(PropsControls& c, int Index);

// Wires the handlers above onto every txtUni and spnUni element of `c`, and the universe theme
// handler (universe_theme.h) onto cboUniTheme.
void AttachUniverseFieldHandlers(PropsControls& c);

}  // namespace dialogs
