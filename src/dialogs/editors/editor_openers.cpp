#include "dialogs/editors/editor_openers.h"

#include <cstdint>

#include "dialogs/editors/frm_advanced.h"
#include "dialogs/editors/frm_levels.h"
#include "dialogs/editors/frm_molecule.h"
#include "dialogs/editors/frm_user_def_ifs.h"
#include "dialogs/properties/props_fields.h"
#include "dialogs/properties/props_openers.h"

namespace dialogs {

namespace {

// One editor of galaxy type n, shown modally; returns when it has closed. A kind without a
// window does nothing.
void OpenEditor(PropsFields& dialog, GalaxyEditorKind kind, int32_t n) {
  switch (kind) {
    case GalaxyEditorKind::Levels:
      ShowLevelsEditor(dialog, n);
      break;
    case GalaxyEditorKind::UserDefIFS:
      ShowUserDefIFSEditor(dialog, n);
      break;
    case GalaxyEditorKind::Molecule:
      ShowGalaxyEditor<frmMolecule>(dialog, n);
      break;
  }
}

}  // namespace

void RegisterEditorOpeners() {
  SetAdvancedWindowOpener([](PropsFields& dialog) { ShowAdvancedWindow(dialog); });
  SetGalaxyEditorOpener(&OpenEditor);
}

}  // namespace dialogs
