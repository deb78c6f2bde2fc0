// The control layer of the dialogs: thin wrappers over Qt widgets that give every window the
// same control behaviour. Include this header for all of it.
//
// MODEL
//
// Controls. Each control class IS its Qt widget (TextBox is a QLineEdit, ComboBox a QComboBox,
// ...) plus the Control part: a Name ("txtUni"), an Index in its control array (-1 when not in
// one), the control's OWN Enabled and Visible flags, a HelpContextID, a TabIndex, geometry in
// twips and the events below. Create controls with `new` and a parent: the window (a Form) or
// a container control (Frame, PictureBox); Qt's parent owns and deletes them. A control
// registers itself with its window, in creation order.
//     auto* txtName = new TextBox(this, "txtUniGalName");            // inside a Form
//     auto* chk = new CheckBox(fraUniTour, "chkVisitSeq");          // inside a frame
// Use the capitalised methods (Text/SetText, Value/SetValue, Enabled/SetEnabled, Visible/
// SetVisible, ListIndex/SetListIndex ...): they carry the semantics below. Qt's own methods
// remain usable for layout and look.
//
// Handlers. Events are public std::function members named after the event, set by the window:
//     txtName->Change = [this] { txtUniGalName_Change(); };
//     txtName->KeyPress = [](int& key) { NumericKeyPress(key); };   // key = 0 swallows it
// Every event runs as a handler of the control's window (see Form::Release). The window's own
// events (Form_Load, Form_QueryUnload, Form_Unload, Form_Resize, Form_Activate) are virtual
// functions that the window class overrides.
//
// Semantics.
// - A change made by code raises the same Change/Click as the user's change; setting the value
//   a control already has raises nothing.
// - Enabled and Visible give the control's own flag, whatever its containers' flags are.
// - KeyDown(keyCode, shift) gets the key codes of controls::keys (38 Up, 40 Down, 13 Enter ...)
//   and the shift bits; KeyPress(keyAscii) gets typed characters and Backspace (8); either can
//   swallow the key by setting it to 0. Ctrl shortcuts (copy, paste, select all) keep working.
// - GotFocus / LostFocus: LostFocus fires when the focus moves to another control (Tab, a
//   click - before the clicked button's Click - or code), not when the window is deactivated
//   or a menu or popup opens.
// - Lists: ListIndex -1 is no selection; an index outside the list is refused (the selection
//   stays); filling a list selects nothing.
// - MaxLength limits typing only, never text set by code. Locked boxes cannot be edited.
// - Check boxes hold 0, 1, 2 (greyed, by code only); option buttons of one container are
//   exclusive; spinners refuse values outside their range, and their up arrow raises the value.
//
// Control arrays. ControlArray<T> holds the controls of one name by index; handlers get the
// index by capture:
//     ControlArray<TextBox> txtUni{"txtUni"};
//     txtUni.Create(fraUniverseProps, 0).Change = [this] { txtUni_Change(0); };
//     txtUni[12].SetText("5");
// An index without a control gives a detached stand-in (the statement has no effect);
// Find(i) gives nullptr for it.
//
// Windows. Form (a QDialog) holds the controls (in its Client() area, below an optional menu
// bar), the menus (AddMenu, Menu::AddItem, with captions such as "&File" and "-" separators),
// and the default and cancel buttons: Enter clicks the focused button, else the default
// button; Esc clicks the cancel button (an open popup or menu only closes). The roles move at
// run time with CommandButton::SetDefault / SetCancel. Unload() by code and the close box run
// Form_QueryUnload (which can keep the window open) and Form_Unload. A window is deleted only
// through Release(), which waits until no handler of the window is on the stack.
//
// F1. HelpContextOf(widget) gives the context number of a control, else of its nearest
// container or window that has one. F1 in a Form calls state().showHelp with the number of the
// focused control (the help viewer installs that service).
//
// Routines. routines.h holds the numeric text-field routines (ClampTextBox, SyncTextToScroll,
// SelectAllText, NumericKeyPress, DecimalKeyPress), the list routines (SizeComboToText,
// ListIndexOfText, FillListBox) and EnableContainerControls / UpdateFormMenus.
//
// The beep of refused keys goes through state().beep, so tests can count it.
#pragma once

#include "platform/controls/basic_controls.h"
#include "platform/controls/control.h"
#include "platform/controls/control_array.h"
#include "platform/controls/fonts.h"
#include "platform/controls/form.h"
#include "platform/controls/list_controls.h"
#include "platform/controls/menus.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/routines.h"
#include "platform/controls/spinner.h"
