// The File menu of the Properties dialog: opening a template, saving the settings to the
// current template or to a new one, and leaving the dialog. Templates are chosen through the
// template dialog (frm_file_io.h), which opens or saves the chosen file itself.
#pragma once

#include <cstdint>

namespace dialogs {
class frmProps;
}

namespace capture {

inline constexpr const char* kOpenTemplateTitle = "Select Template to Open";
inline constexpr const char* kSaveTemplateTitle = "Enter or Select Template to Save";

// By the item's position: 0 "&Open Template...", 2 "&Save Template" (straight into the current
// template when there is one, else as 3), 3 "Save Template &As...", 5 "E&xit" (unloads the
// dialog); any other position does nothing.
void FileMenuAction(dialogs::frmProps& form, int16_t index);

}  // namespace capture
