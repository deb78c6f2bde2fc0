#include "capture/file_menu.h"

#include "capture/frm_file_io.h"
#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/settings_roads.h"
#include "host/startup.h"
#include "store/template_lookup.h"

namespace capture {

namespace {

void ShowTemplateDialog(dialogs::frmProps& form, bool openMode) {
  const host::StartupState& s = host::startup();
  ShowFileIODialog(openMode, true, openMode ? kOpenTemplateTitle : kSaveTemplateTitle, s.TemplateFilter,
                   s.TemplateExtension, &form.c);
}

}  // namespace

void FileMenuAction(dialogs::frmProps& form, int16_t index) {
  switch (index) {
    case 0:
      ShowTemplateDialog(form, true);
      break;
    case 2:
      if (store::templateState().TemplatePath.empty())
        ShowTemplateDialog(form, false);
      else
        dialogs::CyclePropsArraysToTemp(form.c);  // tells the user itself when it fails
      break;
    case 3:
      ShowTemplateDialog(form, false);
      break;
    case 5:
      form.Unload();
      break;
    default:
      break;
  }
}

}  // namespace capture
