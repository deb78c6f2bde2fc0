// What the three editors of one galaxy type share apart from their preview: the resize note
// and its menu item, the preview frame that fills the rest of a resizable window, the numeric
// boxes (digits only, whole text selected on entry, clamped on leaving) and the reading of a
// box's text as a number when a window commits it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/controls/controls.h"

namespace dialogs {

// The note of the menu item "Window can be Resized".
inline constexpr const char* kResizeNoteText = "Note:  This window can be resized.";
void ShowResizeNote();
// Puts the command "Window can be Resized" (mnuResize) straight into the window's menu bar;
// choosing it shows the resize note.
controls::MenuItem& AddResizeMenuItem(controls::Form& window);

// The resize rule of the editors: a client area below minWidth x minHeight twips grows back to
// it (and nothing else happens: the size change raises the next resize); otherwise fraPreview
// keeps its place and reaches 5 pixels short of the client's right edge and 3 short of its
// bottom, and picPreview fills the frame inside its own left and top margins, less 5 pixels at
// the bottom.
void FitEditorPreview(controls::Form& window, controls::Control& fraPreview, controls::Control& picPreview,
                      int32_t minWidth, int32_t minHeight);

// A numeric box of an editor: the whole text selected on entry, digits and Backspace only
// (a refused key beeps), and clamped on leaving to lower..upper as a whole number.
void AttachWholeNumberBox(controls::TextBox& box, int32_t lower, int32_t upper, int maxLength);
// The same with one "." allowed, clamped as a decimal.
void AttachDecimalNumberBox(controls::TextBox& box, float lower, float upper, int maxLength);

// A box's text read when a window commits it: "0" followed by the text, so an empty box reads
// 0, taken by the program's own number reader ("." and "," are both decimal points, whatever
// the locale). Whole numbers round halves to even; a number beyond the range takes the nearer
// bound. Nothing when the text is no number (the field it was meant for stays as it was).
std::optional<int32_t> WholeOfBoxText(std::string_view text, int32_t lower, int32_t upper);
std::optional<float> SingleOfBoxText(std::string_view text, float lower, float upper);

}  // namespace dialogs
