// The Properties dialog opens the advanced settings window and the three editors of one galaxy
// type through openers it does not own; this module registers them (called once from the
// program's entry).
#pragma once

namespace dialogs {

// Registers the advanced settings window and the galaxy editors with the Properties dialog.
void RegisterEditorOpeners();

}  // namespace dialogs
