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

// Replaces what the about item opens (tests); nullptr: ShowAbout.
using AboutOpener = void (*)();
void SetAboutOpener(AboutOpener opener);

}  // namespace dialogs
