// The Help menu of the Properties dialog: contents and search of the help, the diagnostics
// window, the feedback mail, the product's pages and the about window.
#pragma once

#include <cstdint>

class QWidget;

namespace dialogs {

// Carries out the Help menu item at `index` (its position, separators included) for the dialog
// `owner`: 0 contents, 1 search, 3 diagnostics, 7 feedback mail, 8 home page, 9 FAQ page,
// 11 about window; every other index does nothing.
void HelpMenuAction(QWidget& owner, int16_t index);

// The Properties dialog numbers the items of its Help menu by their place among the ten it
// shows (0 to 9, separators included); the menu's item numbers leave out 5, so the places 5 to
// 9 are the items 7 to 11. The item number of a place; -1 for a place outside the menu.
int16_t HelpMenuIndexOfPosition(int16_t position);

// Replaces what the about item opens (tests); nullptr: ShowAbout.
using AboutOpener = void (*)();
void SetAboutOpener(AboutOpener opener);

}  // namespace dialogs
