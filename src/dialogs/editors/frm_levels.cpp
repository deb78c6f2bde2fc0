#include "dialogs/editors/frm_levels.h"

#include <string>

#include "dialogs/editors/editor_window.h"
#include "host/window_state.h"
#include "model/galaxy_types.h"
#include "platform/help/help_viewer.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr const char* kSection = "General\\Levels";
constexpr int32_t kMinClientWidth = 8400;
constexpr int32_t kMinClientHeight = 4230;

// The ranges of the boxes, on leaving and when applied.
constexpr int32_t kLevelsMin = 1, kLevelsMax = 10;
constexpr int32_t kWholeMin = 1, kWholeMax = 30000;
constexpr float kHeightMax = 99.9f;

}  // namespace

frmLevels::frmLevels(PropsFields& props) : GalaxyEditorWindow(props, "frmLevels", kLevelsIdleCaption) {
  using namespace controls;
  SetCaption("Galaxy Levels");
  SetHelpContextID(kLevelsHelpContext);
  mnuResize = &AddResizeMenuItem(*this);

  fraLevel = new Frame(this, "fraLevel");
  fraLevel->SetCaption("Level Properties:");
  fraLevel->Move(120, 120, 4080, 2100);
  static constexpr const char* kLevelLabels[] = {"Levels (1 - 10):", "Radius Increment (1 - 30,000):",
                                                 "Height Multiplier (0.0 - 99.9):"};
  for (int k = 0; k < 3; ++k) {
    Label& l = lblLevel.Create(fraLevel, k);
    l.SetCaption(kLevelLabels[k]);
    l.Move(120, 330 + k * 360, 2880, 240);
  }
  for (int k = 0; k < 3; ++k) txtLevel.Create(fraLevel, k).Move(3060, 300 + k * 360, 840, 285);
  AttachWholeNumberBox(txtLevel[0], kLevelsMin, kLevelsMax, 2);
  AttachWholeNumberBox(txtLevel[1], kWholeMin, kWholeMax, 5);
  AttachDecimalNumberBox(txtLevel[2], 0.0f, kHeightMax, 5);
  static constexpr const char* kToggles[] = {"Scale Height to Radius?", "Interleave Tilt Angles?",
                                             "Dampen Tilt Angles?"};
  for (int k = 0; k < 3; ++k) {
    CheckBox& c = chkToggle.Create(fraLevel, k);
    c.SetCaption(kToggles[k]);
    c.Move(120, 1320 + k * 240, 3480, 240);
  }

  fraGalaxy = new Frame(this, "fraGalaxy");
  fraGalaxy->SetCaption("Galaxy (0 - 30,000)");
  fraGalaxy->Move(120, 2280, 4080, 1020);
  static constexpr const char* kGalaxyLabels[] = {"Radius:", "Distance:"};
  for (int k = 0; k < 2; ++k) {
    Label& l = lblGalaxy.Create(fraGalaxy, k);
    l.SetCaption(kGalaxyLabels[k]);
    l.Move(120, 330 + k * 360, 2880, 240);
  }
  for (int k = 0; k < 2; ++k) {
    TextBox& b = txtGalaxy.Create(fraGalaxy, k);
    b.Move(3060, 300 + k * 360, 840, 285);
    AttachWholeNumberBox(b, kWholeMin, kWholeMax, 5);
  }

  auto button = [this](CommandButton*& b, const char* name, const char* caption, int32_t left, int32_t width) {
    b = new CommandButton(this, name);
    b->SetCaption(caption);
    b->Move(left, 3420, width, 375);
  };
  button(cmdOK, "cmdOK", "OK", 120, 900);
  button(cmdPreview, "cmdPreview", kLevelsIdleCaption, 1140, 1020);
  button(cmdDismiss, "cmdDismiss", "Cancel", 2280, 900);
  button(cmdHelp, "cmdHelp", "&Help", 3300, 900);
  SetDefaultButton(cmdPreview);
  SetCancelButton(cmdDismiss);

  fraPreview = new Frame(this, "fraPreview");
  fraPreview->SetCaption("Galaxy Preview");
  fraPreview->Move(4320, 120, 4005, 4050);
  picPreview = new host::PictureBox(fraPreview);
  picPreview->Move(120, 240, 3765, 3735);

  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdPreview->Click = [this] { cmdPreview_Click(); };
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
  SetClientSize(kMinClientWidth, kMinClientHeight);
}

void frmLevels::Form_Load() {
  host::RestoreWindowState(*this, kSection, true);
  const std::string name = props_.UniGalName();
  SetCaption("Galaxy Levels:  " + name);
  fraPreview->SetCaption("Levels Preview - " + name);
  if (const model::GalaxyTypeProps* record = EditedRecord()) {
    const model::GalaxyTypeProps& g = *record;
    txtLevel[0].SetText(std::to_string(g.Galaxy_StdLevels));
    txtLevel[1].SetText(std::to_string(g.Galaxy_StdLevDRad));
    // Shown with "." whatever the locale, as the box reads it back.
    txtLevel[2].SetText(runtime::SingleToText(g.Galaxy_StdLevHSca));
    txtGalaxy[0].SetText(std::to_string(g.Galaxy_Radius));
    txtGalaxy[1].SetText(std::to_string(g.Galaxy_Distance));
    const int32_t switches[] = {g.Galaxy_StdLevB_HS, g.Galaxy_StdLevB_A0, g.Galaxy_StdLevB_A1};
    for (int k = 0; k < 3; ++k) chkToggle[k].SetValue(switches[k] != 0 ? 1 : 0);
  }
  Form_Resize();
}

void frmLevels::Form_Resize() {
  if (fraPreview == nullptr || picPreview == nullptr) return;
  FitEditorPreview(*this, *fraPreview, *picPreview, kMinClientWidth, kMinClientHeight);
}

void frmLevels::Form_Unload(int&) { host::SaveWindowState(*this, kSection); }

void frmLevels::CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const {
  CopyLevelsPreviewFields(from, to);
}

bool frmLevels::ApplyLevelsToGalaxyType() {
  model::GalaxyTypeProps* record = EditedRecord();
  if (record == nullptr) return true;
  model::GalaxyTypeProps& g = *record;
  if (const auto v = WholeOfBoxText(txtLevel[0].Text(), kLevelsMin, kLevelsMax)) g.Galaxy_StdLevels = *v;
  if (const auto v = WholeOfBoxText(txtLevel[1].Text(), kWholeMin, kWholeMax)) g.Galaxy_StdLevDRad = *v;
  if (const auto v = SingleOfBoxText(txtLevel[2].Text(), 0.0f, kHeightMax)) g.Galaxy_StdLevHSca = *v;
  if (const auto v = WholeOfBoxText(txtGalaxy[0].Text(), kWholeMin, kWholeMax)) g.Galaxy_Radius = *v;
  if (const auto v = WholeOfBoxText(txtGalaxy[1].Text(), kWholeMin, kWholeMax)) g.Galaxy_Distance = *v;
  int32_t* switches[] = {&g.Galaxy_StdLevB_HS, &g.Galaxy_StdLevB_A0, &g.Galaxy_StdLevB_A1};
  for (int k = 0; k < 3; ++k) *switches[k] = chkToggle[k].Value() != 0 ? 1 : 0;
  return true;
}

void frmLevels::cmdPreview_Click() { Preview().Click(); }

void frmLevels::cmdOK_Click() {
  Preview().AfterPreview([this] { ApplyAndClose(); });
}

void frmLevels::ApplyAndClose() {
  ApplyLevelsToGalaxyType();
  // The Properties dialog's levels (9), radius (0) and distance (2), as the record now holds them.
  const struct {
    int field;
    const controls::TextBox& box;
    int32_t lower, upper;
  } mirrored[] = {{9, txtLevel[0], kLevelsMin, kLevelsMax},
                  {0, txtGalaxy[0], kWholeMin, kWholeMax},
                  {2, txtGalaxy[1], kWholeMin, kWholeMax}};
  for (const auto& m : mirrored)
    if (const auto v = WholeOfBoxText(m.box.Text(), m.lower, m.upper)) props_.SetGalaxyText(m.field, std::to_string(*v));
  Unload();
}

void frmLevels::cmdDismiss_Click() {
  Preview().AfterPreview([this] { Unload(); });
}

void frmLevels::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kLevelsHelpContext); }

}  // namespace dialogs
