#include "dialogs/editors/galaxy_editor.h"

namespace dialogs {

model::GalaxyTypeProps* GalaxyEditorWindow::EditedRecord() const {
  if (index_ < 0 || index_ >= model::kEditableGalaxyTypes) return nullptr;
  return &model::records().GalaxyTypes[static_cast<size_t>(index_)];
}

void GalaxyEditorWindow::Form_QueryUnload(int& Cancel, int) {
  // A running preview stops first; the window closes once the record is restored.
  if (preview_.DeferUnload()) Cancel = 1;
}

}  // namespace dialogs
