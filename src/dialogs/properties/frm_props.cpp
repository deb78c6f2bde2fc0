#include "dialogs/properties/frm_props.h"

#include <QCoreApplication>

#include "dialogs/properties/galaxy_field_handlers.h"
#include "dialogs/properties/galaxy_theme.h"
#include "dialogs/properties/prop_copy.h"
#include "dialogs/properties/props_layout.h"
#include "dialogs/properties/props_lists.h"
#include "dialogs/properties/props_openers.h"
#include "dialogs/properties/settings_roads.h"
#include "dialogs/properties/tour_profile.h"
#include "dialogs/properties/type_edit.h"
#include "dialogs/properties/type_lists.h"
#include "dialogs/properties/universe_fields.h"
#include "host/startup.h"
#include "host/window_state.h"
#include "platform/message_box.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"
#include "store/template_lookup.h"

namespace dialogs {

namespace {

constexpr const char* kWindowSection = "General\\Main";

// Lets pending window events run once.
void YieldOnce() { QCoreApplication::processEvents(); }

}  // namespace

frmProps::frmProps() : controls::Form(nullptr, "frmProps"), c(*this) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  SetCaption(host::kPropertiesCaption);
  SetReleaseOnUnload(true);
  LayOutPropsControls(c);
  WireHandlers();
  engine::SetHueConeDialog(this);
  engine::SetUniverseDialog(&previewFields_);
}

frmProps::~frmProps() { EndPreviewsOnUnload(c, &previewFields_, this); }

frmProps* frmProps::Create() {
  auto* dialog = new frmProps();
  dialog->EnsureLoaded();
  return dialog;
}

void frmProps::WireHandlers() {
  AttachHueFieldHandlers(c, *this);
  AttachUniverseFieldHandlers(c);
  AttachTypeEditHandlers(c);
  AttachPropCopyHandlers(c, *this);
  // The theme goes to the type being edited, fixed when editing began.
  c.cboGalTheme->Click = [this] { cboGalTheme_Click(c, EditedGalaxyType()); };
  AttachGalaxyFieldHandlers(c);
  WireGalaxyEditHandlers();
  AttachTourProfileHandlers(c);
  AttachPreviewHandlers(c);
  c.cmdAccept->Click = [this] { cmdAccept_Click(); };
  c.cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  c.cmdSetThemes->Click = [this] { cmdSetThemes_Click(); };
  for (auto [index, item] : c.mnuFileArray) item->Click = [this, i = index] { mnuFileArray_Click(static_cast<int16_t>(i)); };
  for (auto [index, item] : c.mnuEditArray) item->Click = [this, i = index] { mnuEditArray_Click(static_cast<int16_t>(i)); };
  for (auto [index, item] : c.mnuHelpArray) item->Click = [this, i = index] { mnuHelpArray_Click(static_cast<int16_t>(i)); };
}

// A window another module registers is reachable only when it is registered.
void frmProps::EnableOpenedItems() {
  const PropsOpeners& o = propsOpeners();
  for (int i : {0, 2, 3}) c.mnuFileArray[i].SetEnabled(static_cast<bool>(o.FileMenuAction));
  for (auto [index, item] : c.mnuHelpArray)
    if (item->Caption() != "-") item->SetEnabled(static_cast<bool>(o.HelpMenuAction));
  c.mnuEditArray[2].SetEnabled(static_cast<bool>(o.AdvancedWindow));
  c.mnuEditArray[4].SetEnabled(static_cast<bool>(o.VideoWindow));
  c.cmdSetThemes->SetEnabled(static_cast<bool>(o.AdvancedWindow));
  c.cmdGalLevels->SetEnabled(static_cast<bool>(o.GalaxyEditor));
  c.cmdIFS_Chem->SetEnabled(static_cast<bool>(o.GalaxyEditor));
}

void InitPropsWindowSizes(frmProps& dialog) {
  controls::ComboBox& sizes = *dialog.c.cboResolution;
  sizes.Clear();
  for (const presentation::WindowSize& s : presentation::render().WindowSizeList)
    sizes.AddItem(runtime::LongToText(s.Width) + " * " + runtime::LongToText(s.Height));
  // The window starts at its smallest size, so that a first opening centres that size.
  dialog.resize(dialog.minimumSizeHint());
  host::RestoreWindowState(dialog, kWindowSection, true);
  dialog.SetCaption(host::kPropertiesCaption);
}

void frmProps::Form_Load() {
  GalaxyEditMode = false;
  EnableOpenedItems();
  InitPropsWindowSizes(*this);

  // The fixed lists were filled when the controls were made; choosing item 0 runs each
  // list's handler as a user's choice would (the first panel of each page comes to the front).
  c.cboGalTheme->SetListIndex(0);
  c.cboGalPlane->SetListIndex(0);
  c.cboGalaxExtras->SetListIndex(0);
  c.cboUniTheme->SetListIndex(0);
  c.cboUniExtras->SetListIndex(0);
  c.lblGravityWarning->SetCaption(GravityWarningText());
  for (const SpinnerRange& r : c.SpinnerRanges())
    controls::SyncTextToScroll(*r.box, *r.spinner, r.lower, r.upper, r.maxLength, 0);

  FillGalaxyList(c, true);
  FillCompositeList(c, true);
  FillUniProfileList(c);
  // The filter list, then the stored set (or the factory one, or the first run's).
  ApplyFilterEffect(c);
  // A first run or a factory reset has replaced the types the profile list was filled from.
  FillUniProfileList(c);
  ArrangeFrames(true);
  YieldOnce();

  // The window opens in the hue cone brightness, its text selected.
  controls::TextBox& first = c.txtColorProps[0];
  first.SetFocus();
  first.SetSelStart(0);
  first.SetSelLength(static_cast<int>(first.Text().size()));
}

void frmProps::Form_QueryUnload(int& /*Cancel*/, int UnloadMode) {
  // The user closed the window: a preview running inside one of its handlers ends first.
  if (UnloadMode != controls::vbFormCode) presentation::pacing().G_bCancel = true;
}

void frmProps::Form_Unload(int& /*Cancel*/) {
  host::SetHourglass(false);
  EndPreviewsOnUnload(c, &previewFields_, this);
  host::SaveWindowState(*this, kWindowSection);
  if (const auto closeHelp = propsOpeners().CloseHelp) closeHelp();
}

void frmProps::ArrangeFrames(bool bUniversePage) {
  host::SetHourglass(true);
  c.fraAni[0].SetVisible(!bUniversePage);
  c.fraAni[1].SetVisible(bUniversePage);
  c.cboGalTheme->SetListIndex(0);
  host::SetHourglass(false);
}

void frmProps::cmdAccept_Click() {
  if (GalaxyEditMode) {
    cmdAcceptGalProps_Click();
    return;
  }
  // A set that could not be stored keeps the window open (the road has told the user).
  if (CyclePropsArraysToReg(c)) Unload();
}

void frmProps::cmdDismiss_Click() { Unload(); }

void frmProps::cmdSetThemes_Click() { ShowAdvancedWindow(); }

void frmProps::ShowAdvancedWindow() {
  const auto opener = propsOpeners().AdvancedWindow;
  if (!opener) return;
  opener(*this);
  if (engine::HueConePicture* disc = HueWheelPicture()) engine::ReloadHueColors(*disc);
}

void frmProps::mnuFileArray_Click(int16_t Index) {
  if (Index == 5) {
    Unload();
    return;
  }
  if (const auto action = propsOpeners().FileMenuAction) action(*this, Index);
}

void frmProps::mnuEditArray_Click(int16_t Index) {
  if (Index == 0) ResetProperties();
  if (Index == 2) ShowAdvancedWindow();
  if (Index == 4) {
    if (const auto opener = propsOpeners().VideoWindow) opener();
  }
}

void frmProps::mnuHelpArray_Click(int16_t Index) {
  if (const auto action = propsOpeners().HelpMenuAction) action(*this, Index);
}

// Edit > Reset: the factory settings, after saving the current set as propsave.glx in the
// user's data folder when asked to. A backup that cannot be written resets nothing.
void frmProps::ResetProperties() {
  const std::string remembered = store::templateState().TemplatePath;
  const std::string folder = host::PerUserDataFolder();
  store::templateState().TemplatePath = folder.empty() ? std::string() : folder + "/propsave.glx";
  const platform::MsgResult answer = platform::ShowMessage(
      "Do you really want to reset the Properties to the factory settings?\r\n\r\n"
      "Yes      - Save current settings to 'propsave.glx' then Reset the Properties.\r\n"
      "No       - Reset Properties without saving current settings.\r\n"
      "Cancel - Don't Reset or Save Properties.",
      platform::kProductName, platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel, 1);
  if (answer == platform::MsgResult::Yes && folder.empty()) {
    // The backup has nowhere to go: nothing is saved elsewhere, and nothing is reset.
    platform::ShowMessage(host::DataFolderFailureText() + "\r\n\r\n'propsave.glx' was not saved; the Properties were not reset.",
                          platform::kProductName, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
  } else if (answer == platform::MsgResult::Yes) {
    if (CyclePropsArraysToTemp(c)) {
      CyclePropsResetToFactory(c);
      c.picPreview->Cls();
    }
  } else if (answer == platform::MsgResult::No) {
    CyclePropsResetToFactory(c);
  }
  store::templateState().TemplatePath = remembered;
}

std::string frmProps::ColorPropText(int index) const { return c.txtColorProps[index].Text(); }
void frmProps::SetColorPropText(int index, const std::string& text) { c.txtColorProps[index].SetText(text); }
engine::HueConePicture* frmProps::HueWheelPicture() { return &disc_; }

std::string frmProps::GalaxyText(int index) const { return c.txtGalaxy[index].Text(); }
void frmProps::SetGalaxyText(int index, const std::string& text) { c.txtGalaxy[index].SetText(text); }
std::string frmProps::UniText(int index) const { return c.txtUni[index].Text(); }
void frmProps::SetUniText(int index, const std::string& text) { c.txtUni[index].SetText(text); }
std::string frmProps::UniGalName() const { return c.txtUniGalName->Text(); }
void frmProps::CopyPropValueToAllGalaxyTypes(int32_t propIndex, float value) {
  dialogs::CopyPropValueToAllGalaxyTypes(c, propIndex, value, EditedGalaxyType());
}

}  // namespace dialogs
