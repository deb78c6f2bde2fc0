// The Properties window "Zorvane Properties": the working copy of the whole settings set while
// it is open. It lays out the controls of PropsControls (the left column with the hue cone,
// display, property copy and preview frames; the right column with the universe frame and the
// galaxy and universe pages in one place), owns the menus, runs the load, Accept, Cancel, the
// unload and Edit > Reset, and opens the windows other modules register (props_openers.h).
//
// While it exists it is the engine's hue cone dialog: its four cone fields and the disc picture.
#pragma once

#include <string>

#include "dialogs/properties/hue_fields.h"
#include "dialogs/properties/previews.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/props_fields.h"
#include "dialogs/properties/props_openers.h"
#include "engine/hue_cone.h"
#include "platform/controls/controls.h"

namespace dialogs {

class frmProps : public controls::Form, public engine::HueConeDialog, public PropsFields {
 public:
  frmProps();
  ~frmProps() override;

  // Creates the window and runs its load (on the first run the welcome window shows first);
  // the caller shows it. The window deletes itself once it has unloaded.
  static frmProps* Create();

  PropsControls c;

  // True while one galaxy type is edited on the galaxy page.
  bool GalaxyEditMode = false;

  // Shows the universe page (true) or the galaxy page (false); the window keeps its size.
  void ArrangeFrames(bool bUniversePage);
  // Enters (true) or leaves (false) the editing of one galaxy type: entering opens the type
  // selected in lstUniGalaxy on the galaxy page (nothing happens when none is); leaving stores
  // the page into that type's record and returns to the universe page.
  void SetGalaxyEditMode(bool editing);
  // The galaxy type being edited, fixed when editing began; -1 when none is.
  int32_t EditedGalaxyType() const { return editedType_; }
  // The advanced settings window, modally; the hue cone is redrawn when it closes.
  void ShowAdvancedWindow();

  // Handlers of the window's own buttons and menus.
  void cmdAccept_Click();
  void cmdDismiss_Click();
  void cmdSetThemes_Click();
  // Galaxy edit mode: "Show Props" and a double click on the type list enter it, the galaxy
  // page's "Accept" leaves it; "..." and the editor button store the page, then open the
  // levels, IFS or molecule editor on the edited type.
  void cmdGalProps_Click();
  void lstUniGalaxy_DblClick();
  void cmdAcceptGalProps_Click();
  void cmdGalLevels_Click();
  void cmdIFS_Chem_Click();
  void mnuFileArray_Click(int16_t Index);
  void mnuEditArray_Click(int16_t Index);
  void mnuHelpArray_Click(int16_t Index);

  // engine::HueConeDialog
  std::string ColorPropText(int index) const override;
  void SetColorPropText(int index, const std::string& text) override;
  engine::HueConePicture* HueWheelPicture() override;

  // PropsFields
  std::string GalaxyText(int index) const override;
  void SetGalaxyText(int index, const std::string& text) override;
  std::string UniText(int index) const override;
  void SetUniText(int index, const std::string& text) override;
  std::string UniGalName() const override;
  void CopyPropValueToAllGalaxyTypes(int32_t propIndex, float value) override;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;

 private:
  // The cone disc as the engine draws it: picHueWheel shown through imgHueWheel.
  dialogs::HueWheelPicture disc_{c};
  // The fields the previews read; registered with the engine while the window exists.
  PreviewFields previewFields_{c};

  int32_t editedType_ = -1;

  void WireHandlers();
  void WireGalaxyEditHandlers();
  void OpenEditorOnEditedType(GalaxyEditorKind kind);
  void EnableOpenedItems();
  void ResetProperties();
};

// Fills the render-size list (one line "width * height" per render size), restores the
// window's stored place and size, and sets the caption.
void InitPropsWindowSizes(frmProps& dialog);

}  // namespace dialogs
