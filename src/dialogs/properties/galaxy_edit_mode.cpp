// Galaxy edit mode of the Properties window: one galaxy type on the galaxy page in place of
// the universe page, and the editors of that type.
//
// While a type is edited, the main accept button returns to the universe settings and is the
// button Esc presses, Cancel, the preview frame and the File and Edit menus are unavailable,
// and the page caption names the type in bold blue. The edited type is fixed when editing
// begins; leaving stores the page into its record (nothing reaches the store before the
// window's own Accept).

#include <QCoreApplication>
#include <QPalette>

#include <string>

#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/galaxy_fields.h"
#include "dialogs/properties/galaxy_style.h"
#include "model/galaxy_types.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr int32_t kUniverseAcceptWidth = 1572;  // twips
constexpr int32_t kEditingAcceptWidth = 2640;
constexpr uint32_t kEditingCaptionColor = 0x0000FF;  // blue

// The main accept button is at least this wide; its caption always fits.
void SetAcceptWidth(controls::CommandButton& accept, int32_t twips) {
  accept.setMinimumWidth(controls::TwipsToPixelsX(twips));
}

// "Galaxy:  " and the name of a type list line (the line without its percent).
std::string GalaxyPageCaption(const std::string& line) {
  const size_t nameLength = line.size() > 4 ? line.size() - 4 : 0;
  return runtime::TrimBlanks("Galaxy:  " + line.substr(0, nameLength));
}

// A frame hands its font and colours down to its contents; the galaxy page's bold blue is for
// its caption alone, so its contents hold the window's font and text colours as their own.
void KeepContentsPlain(controls::Frame& page) {
  for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QFont f = w->font();
    f.setBold(f.bold());
    w->setFont(f);
    QPalette p = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(g, r, p.color(g, r));
    w->setPalette(p);
  }
}

}  // namespace

void frmProps::WireGalaxyEditHandlers() {
  SetAcceptWidth(*c.cmdAccept, kUniverseAcceptWidth);
  KeepContentsPlain(c.fraAni[0]);
  c.cmdGalProps->Click = [this] { cmdGalProps_Click(); };
  c.lstUniGalaxy->DblClick = [this] { lstUniGalaxy_DblClick(); };
  c.cmdAcceptGalProps->Click = [this] { cmdAcceptGalProps_Click(); };
  c.cmdGalLevels->Click = [this] { cmdGalLevels_Click(); };
  c.cmdIFS_Chem->Click = [this] { cmdIFS_Chem_Click(); };
}

void frmProps::SetGalaxyEditMode(bool editing) {
  const int32_t n = c.lstUniGalaxy->ListIndex();
  if (editing && (n < 0 || n >= model::kEditableGalaxyTypes)) return;

  GalaxyEditMode = editing;
  c.cmdDismiss->SetEnabled(!editing);
  if (editing)
    c.cmdAccept->SetCancel(true);
  else
    c.cmdDismiss->SetCancel(true);
  c.fraPreview->SetEnabled(!editing);

  controls::Frame& page = c.fraAni[0];
  if (editing) {
    editedType_ = n;
    // The page is laid out for the stored style before the values arrive, so that the shared
    // boxes take them within that style's ranges.
    ShowGalaxyStyleControls(c, model::records().GalaxyTypes[static_cast<size_t>(n)].Galaxy_GalStyle);
    GalaxyRecordToControls(c, n);
    SetAcceptWidth(*c.cmdAccept, kEditingAcceptWidth);
    c.cmdAccept->SetCaption("&Return to Universe Settings");
    page.SetCaption(GalaxyPageCaption(c.lstUniGalaxy->List(n)));
    page.SetFontBold(true);
    page.SetForeColor(kEditingCaptionColor);
    ArrangeFrames(false);
  } else {
    GalaxyControlsToRecord(c, editedType_);
    editedType_ = -1;
    SetAcceptWidth(*c.cmdAccept, kUniverseAcceptWidth);
    c.cmdAccept->SetCaption("&Accept Settings");
    page.SetFontBold(false);
    page.SetForeColor(0);
    ArrangeFrames(true);
    c.lstUniGalaxy->SetFocus();
  }
  c.mnuFile->SetEnabled(!editing);
  c.mnuEdit->SetEnabled(!editing);
}

void frmProps::cmdGalProps_Click() {
  if (c.lstUniGalaxy->ListIndex() >= 0) {
    SetGalaxyEditMode(true);
    return;
  }
  platform::ShowMessage("Please select a Galaxy Profile.", platform::kProductName, platform::MsgIcon::Information,
                        platform::MsgButtons::Ok);
  c.lstUniGalaxy->SetFocus();
}

// A double click with no type selected does nothing (SetGalaxyEditMode checks).
void frmProps::lstUniGalaxy_DblClick() { SetGalaxyEditMode(true); }

void frmProps::cmdAcceptGalProps_Click() {
  QCoreApplication::processEvents();
  SetGalaxyEditMode(false);
  GalaxyEditMode = false;
}

void frmProps::cmdGalLevels_Click() { OpenEditorOnEditedType(GalaxyEditorKind::Levels); }

void frmProps::cmdIFS_Chem_Click() {
  OpenEditorOnEditedType(c.cboGalStyle->ListIndex() == kUserIfsGalaxyStyle ? GalaxyEditorKind::UserDefIFS
                                                                           : GalaxyEditorKind::Molecule);
}

// The editor works on the record, so the record takes the page first; the editor writes the
// boxes it changes back into the page itself. Nothing opens while no type is edited.
void frmProps::OpenEditorOnEditedType(GalaxyEditorKind kind) {
  if (editedType_ < 0) return;
  GalaxyControlsToRecord(c, editedType_);
  OpenGalaxyEditor(*this, kind, editedType_);
}

}  // namespace dialogs
