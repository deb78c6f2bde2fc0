// Routines of the dialogs that work on controls: numeric text fields, lists, and the enabled
// state of groups of controls. See controls.h for the model.
#pragma once

#include <cstdint>
#include <string_view>

namespace controls {

class Control;
class Form;
class ListControl;
class Spinner;
class TextBox;

// Replaces the box's text by its leading number clamped to lower..upper. Kinds 0 and 2: the
// number and the bounds rounded to whole numbers (halves to even), written as plain digits;
// kind 1: clamped as a Single and written with "." as the decimal point; any other kind
// changes nothing. Writing the text raises the box's Change when the text differs.
void ClampTextBox(TextBox& box, int kind, float lower, float upper);

// Couples a text box with its spinner: the box's text becomes its leading whole number clamped
// to lower..upper (whatever its maximum length), then the box gets `maxLength`, the spinner
// the range lower..upper and the step `step` when it is 1 or more, else 1 for an upper bound up
// to 100, 5 up to 998, 10 up to 9997 and 50 above.
void SyncTextToScroll(TextBox& box, Spinner& spinner, int16_t lower, int16_t upper, int16_t maxLength,
                      int16_t step);
// The step SyncTextToScroll gives a spinner.
int16_t SpinnerStepFor(int16_t upper, int16_t step);

// Selects the whole text of the focused control when it is a text box that is not locked.
void SelectAllText();

// KeyPress filters: NumericKeyPress keeps the digits and Backspace; DecimalKeyPress also one
// "." (a "." is refused while the text holds one that the selection would not replace). A
// refused key is set to 0 and the beep sounds. A minus sign is never accepted.
void NumericKeyPress(int& keyAscii);
void DecimalKeyPress(const TextBox& box, int& keyAscii);

// The line text & blanks & number, with as many blanks as put the number near 2400 twips from
// the left (at least 3), measured in the list's own font. `add`: appended; otherwise it
// replaces the selected line (nothing happens when no line is selected).
void SizeComboToText(ListControl& list, std::string_view text, int32_t number, bool add);
// The index of the first line equal to the text (case-sensitive); 0 when no line is.
int32_t ListIndexOfText(const ListControl& list, std::string_view text);
// Clears the list and adds the names of the system's fonts.
void FillListBox(ListControl& list);

// Sets the container's enabled flag and that of every control inside it (lines and menus
// excepted), nested frames included.
void EnableContainerControls(Control& container, bool enabled);

// While a preview runs (`running` true): disables every control of the window except frames,
// lines, the menu item arrays "mnuFileArray", "mnuEditArray" and "mnuHelpArray", the capture
// buttons "cmdCaptureImage" and the control named `keepName`; the enabled flags it found are
// recorded. With `running` false every control gets back the flag recorded by the busy call
// (a control without a record is enabled).
void UpdateFormMenus(Form& window, bool running, std::string_view keepName);

}  // namespace controls
