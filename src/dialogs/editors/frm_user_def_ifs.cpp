#include "dialogs/editors/frm_user_def_ifs.h"

#include <algorithm>
#include <string>

#include "dialogs/editors/editor_window.h"
#include "dialogs/editors/ifs_themes.h"
#include "host/window_state.h"
#include "model/galaxy_types.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "store/values.h"

namespace dialogs {

const char* const kIfsTooFewPointsNote =
    "Note:\r\n\r\n"
    "You must specify two or more Attractor Points in order to Preview the I.F.S.  "
    "Consider selecting one of the Themes in order to see a sample I.F.S. "
    "or press Cancel to return to the Galaxy Settings.";

namespace {

constexpr const char* kSection = "General\\IFS";
// The smallest client area: the seven columns and the buttons beside them, the frames below.
constexpr int32_t kMinClientWidth = 7560;
constexpr int32_t kMinClientHeight = 5700;

// Row 0 as designed (twips); rows 1-4 are copies placed below it. Each column is as wide as
// its heading needs in the window font (the second line, "(0-9999):" at about 49 pixels, is
// the widest) and a pixel or three more; four digits in a box need less. Columns stand 4
// pixels apart.
constexpr int32_t kRowTop = 600, kRowHeight = 285;
struct Column {
  int32_t left, width;
};
constexpr Column kPointLabel{120, 660}, kLocX{840, 780}, kLocY{1680, 780}, kLocZ{2520, 780}, kScale{3360, 660},
    kAxis{4080, 630}, kAngle{4770, 660}, kPercent{5490, 780};
// The OK, Clear, Cancel and Help buttons, right of the last column: 6 pixels after it and 8
// before the right edge of the smallest client area.
constexpr int32_t kButtonLeft = 6360, kButtonWidth = 1080;
static_assert(kPercent.left + kPercent.width < kButtonLeft &&
              kButtonLeft + kButtonWidth + kPointLabel.left <= kMinClientWidth);

// Bounds of the point boxes on leaving and on commit.
constexpr int32_t kLocMax = 9999, kScaleMax = 100, kAngleMax = 360, kPercentMax = 9999, kCenterMax = 9999,
                  kGalaxyMax = 30000;

int32_t WholeOf(const controls::TextBox& box, int32_t upper) {
  return runtime::LeadingWholeClamped(box.Text(), 0.0f, static_cast<float>(upper));
}

}  // namespace

frmUserDefIFS::frmUserDefIFS(PropsFields& props) : GalaxyEditorWindow(props, "frmUserDefIFS", kIfsIdleCaption) {
  using namespace controls;
  SetHelpContextID(kIfsHelpContext);
  mnuResize = &AddResizeMenuItem(*this);

  auto heading = [this](Label*& label, const char* name, const Column& c, const char* text) {
    label = new Label(this, name);
    label->SetCaption(text);
    label->Move(c.left, 120, c.width, 450);
  };
  heading(lblLocX, "lblLocX", kLocX, "");
  heading(lblLocY, "lblLocY", kLocY, "");
  heading(lblLocZ, "lblLocZ", kLocZ, "");
  heading(lblScale, "lblScale", kScale, "");
  heading(lblRAxis, "lblRAxis", kAxis, "");
  heading(lblAngle, "lblAngle", kAngle, "");
  heading(lblPercent, "lblPercent", kPercent, "");
  // All five rows before the controls below them, so that Tab walks the rows first.
  for (int i = 0; i < kIfsRows; ++i) CreateRow(i);

  fraTheme = new Frame(this, "fraTheme");
  fraTheme->SetCaption("I.F.S. Themes");
  fraTheme->SetHelpContextID(7210);
  fraTheme->Move(120, 2330, 3720, 1140);
  cboTheme = new ComboBox(fraTheme, "cboTheme");
  cboTheme->Move(120, 240, 3480, 315);
  cboTheme->Click = [this] { cboTheme_Click(); };
  lblTheme = new Label(fraTheme, "lblTheme");
  lblTheme->SetWordWrap(true);  // the longer descriptions take two lines
  lblTheme->SetAlignment(0);
  lblTheme->Move(120, 600, 3480, 480);

  fraCenter = new Frame(this, "fraCenter");
  fraCenter->SetCaption("Offset (0 - 9999)");
  fraCenter->SetHelpContextID(7220);
  fraCenter->Move(120, 3540, 1800, 1260);
  fraGalaxy = new Frame(this, "fraGalaxy");
  fraGalaxy->SetCaption("Galaxy (0 - 30,000)");
  fraGalaxy->Move(1980, 3540, 1860, 1260);
  static constexpr const char* kCenterLabels[] = {"Center X:", "Center Y:", "Center Z:"};
  static constexpr const char* kGalaxyLabels[] = {"Radius:", "Rotation:", "Distance:"};
  static constexpr int kGalaxyHelp[] = {6015, 6020, 6025};
  // The offset boxes first, then the galaxy boxes: the order Tab takes.
  for (int k = 0; k < 3; ++k) {
    const int32_t top = 270 + k * 320;
    Label& lc = lblCenter.Create(fraCenter, k);
    lc.SetCaption(kCenterLabels[k]);
    lc.Move(120, top + 30, 900, 240);
    TextBox& c = txtCenter.Create(fraCenter, k);
    c.Move(1020, top, 660, kRowHeight);
    c.SetHelpContextID(7220);
    AttachWholeNumberBox(c, 0, kCenterMax, 4);
  }
  for (int k = 0; k < 3; ++k) {
    const int32_t top = 270 + k * 320;
    Label& lg = lblGalaxy.Create(fraGalaxy, k);
    lg.SetCaption(kGalaxyLabels[k]);
    lg.Move(120, top + 30, 900, 240);
    TextBox& g = txtGalaxy.Create(fraGalaxy, k);
    g.Move(1020, top, 720, kRowHeight);
    g.SetHelpContextID(kGalaxyHelp[k]);
    AttachWholeNumberBox(g, 0, kGalaxyMax, 5);
  }

  fraPreview = new Frame(this, "fraPreview");
  fraPreview->SetHelpContextID(7250);
  fraPreview->Move(3960, 2330, 4380, 3300);
  picPreview = new host::PictureBox(fraPreview);
  picPreview->SetHelpContextID(7250);
  picPreview->Move(120, 240, 4140, 2985);

  cmdPreview = new CommandButton(this, "cmdPreview");
  cmdPreview->SetCaption(kIfsIdleCaption);
  cmdPreview->SetHelpContextID(7263);
  cmdPreview->Move(120, 4875, 3720, 375);
  auto button = [this](CommandButton*& b, const char* name, const char* caption, int32_t top, int help) {
    b = new CommandButton(this, name);
    b->SetCaption(caption);
    b->Move(kButtonLeft, top, kButtonWidth, 375);
    if (help != 0) b->SetHelpContextID(help);
  };
  button(cmdOK, "cmdOK", "OK", 120, 7260);
  button(cmdClear, "cmdClear", "Clear", 540, 7261);
  button(cmdDismiss, "cmdDismiss", "Cancel", 960, 7262);
  button(cmdHelp, "cmdHelp", "&Help", 1380, 0);
  SetDefaultButton(cmdPreview);
  SetCancelButton(cmdDismiss);

  cmdPreview->Click = [this] { cmdPreview_Click(); };
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdClear->Click = [this] { cmdClear_Click(); };
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
  SetClientSize(kMinClientWidth, kMinClientHeight);
}

void frmUserDefIFS::CreateRow(int i) {
  using namespace controls;
  auto place = [i](Control& c, const Column& col) {
    c.Move(col.left, kRowTop + static_cast<int32_t>(i * 1.2 * kRowHeight), col.width, kRowHeight);
  };
  place(lblPoint.Create(this, i), kPointLabel);
  auto box = [&](ControlArray<TextBox>& array, const Column& col, int32_t upper, int maxLength, int help) {
    TextBox& b = array.Create(this, i);
    place(b, col);
    b.SetHelpContextID(help);
    AttachWholeNumberBox(b, 0, upper, maxLength);
  };
  box(txtLocX, kLocX, kLocMax, 4, 7110);
  box(txtLocY, kLocY, kLocMax, 4, 7110);
  box(txtLocZ, kLocZ, kLocMax, 4, 7110);
  box(txtScale, kScale, kScaleMax, 3, 7120);
  ComboBox& axis = cboRAxis.Create(this, i);
  place(axis, kAxis);
  axis.SetHelpContextID(7130);
  box(txtAngle, kAngle, kAngleMax, 3, 7140);
  box(txtPercent, kPercent, kPercentMax, 4, 7150);
}

void frmUserDefIFS::Form_Load() {
  host::RestoreWindowState(*this, kSection, true);
  const std::string name = props_.UniGalName();
  SetCaption("User Defined Iterated Function System (IFS):  " + name);
  cboTheme->Clear();
  for (int32_t n = 0; n <= kIfsThemeCount; ++n) cboTheme->AddItem(IfsThemeListEntry(n));
  cboTheme->SetListIndex(0);
  lblLocX->SetCaption("Loc X\n(0-9999):");
  lblLocY->SetCaption("Loc Y\n(0-9999):");
  lblLocZ->SetCaption("Loc Z\n(0-9999):");
  lblScale->SetCaption("Scale\n(0-100):");
  lblRAxis->SetCaption("Axis\n(X,Y,Z):");
  lblAngle->SetCaption("Angle\n(0-360):");
  lblPercent->SetCaption("Rel.Pct.\n(0-9999):");
  fraPreview->SetCaption("IFS Preview - " + name);
  const model::GalaxyTypeProps* g = EditedRecord();
  if (g != nullptr) {
    txtCenter[0].SetText(std::to_string(g->Ifs.IFS_CenterX));
    txtCenter[1].SetText(std::to_string(g->Ifs.IFS_CenterY));
    txtCenter[2].SetText(std::to_string(g->Ifs.IFS_CenterZ));
  }
  for (int i = 0; i < kIfsRows; ++i) {
    cboRAxis[i].Clear();
    for (const char* axis : {"X", "Y", "Z"}) cboRAxis[i].AddItem(axis);
    lblPoint[i].SetCaption("Point " + std::to_string(i + 1) + ":");
    // Along a row, then to the next row.
    int tab = 8 * i + 7;
    controls::Control* const row[] = {&lblPoint[i], &txtLocX[i],  &txtLocY[i],  &txtLocZ[i],
                                      &txtScale[i], &cboRAxis[i], &txtAngle[i], &txtPercent[i]};
    for (controls::Control* c : row)
      c->SetTabIndex(tab++);
  }
  FillRowsFromRecord();
  if (g != nullptr) {
    txtGalaxy[0].SetText(std::to_string(g->Galaxy_Radius));
    txtGalaxy[1].SetText(std::to_string(g->Galaxy_Rotation));
    txtGalaxy[2].SetText(std::to_string(g->Galaxy_Distance));
  }
  // The frames below the rows.
  const int32_t px5 = controls::PixelsToTwipsY(5);
  const controls::TextBox& last = txtLocX[kIfsRows - 1];
  fraTheme->Move(fraTheme->Left(), last.Top() + static_cast<int32_t>(1.25 * last.Height()));
  fraCenter->Move(fraCenter->Left(), fraTheme->Top() + fraTheme->Height() + px5);
  fraGalaxy->Move(fraGalaxy->Left(), fraCenter->Top());
  fraPreview->Move(fraPreview->Left(), fraTheme->Top());
  cmdPreview->Move(cmdPreview->Left(), fraCenter->Top() + fraCenter->Height() + px5);
  Form_Resize();
}

void frmUserDefIFS::FillRowsFromRecord() {
  const model::GalaxyTypeProps* record = EditedRecord();
  if (record == nullptr) return;
  const model::IfsBlock& b = record->Ifs;
  for (int i = 0; i < kIfsRows; ++i) {
    const auto k = static_cast<size_t>(i);
    if (b.IfsPct[k] == 0) {
      ClearRow(i);
      continue;
    }
    txtLocX[i].SetText(std::to_string(b.IfsX[k]));
    txtLocY[i].SetText(std::to_string(b.IfsY[k]));
    txtLocZ[i].SetText(std::to_string(b.IfsZ[k]));
    txtScale[i].SetText(std::to_string(b.IfsScale[k]));
    txtAngle[i].SetText(std::to_string(b.IfsAngle[k]));
    txtPercent[i].SetText(std::to_string(b.IfsPct[k]));
    // An axis that is none of X, Y, Z shows X.
    const int32_t axis = b.IfsAxis[k];
    cboRAxis[i].SetListIndex(axis >= 0 && axis <= 2 ? axis : 0);
  }
}

void frmUserDefIFS::ClearRow(int i) {
  for (auto* array : {&txtLocX, &txtLocY, &txtLocZ, &txtScale, &txtAngle, &txtPercent}) (*array)[i].SetText("");
  cboRAxis[i].SetListIndex(0);
}

void frmUserDefIFS::Form_Resize() {
  if (fraPreview == nullptr || picPreview == nullptr) return;
  FitEditorPreview(*this, *fraPreview, *picPreview, kMinClientWidth, kMinClientHeight);
}

void frmUserDefIFS::Form_Unload(int&) { host::SaveWindowState(*this, kSection); }

void frmUserDefIFS::CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const {
  CopyIfsPreviewFields(from, to);
}

bool frmUserDefIFS::CommitForPreview() {
  model::GalaxyTypeProps* record = EditedRecord();
  if (record == nullptr) return false;
  WriteGalaxyValues(*record, txtGalaxy[0].Text(), txtGalaxy[1].Text(), txtGalaxy[2].Text());
  return CommitIfs();
}

bool frmUserDefIFS::CommitIfs() {
  model::GalaxyTypeProps* record = EditedRecord();
  if (record == nullptr) return false;
  // The kept rows, compacted in row order. A row is kept when its relative percent, as it
  // will be stored, is at least 1.
  model::IfsBlock edited = record->Ifs;
  int32_t n = 0;
  for (int i = 0; i < kIfsRows; ++i) {
    const int32_t pct = WholeOf(txtPercent[i], kPercentMax);
    if (pct < 1) continue;
    const auto k = static_cast<size_t>(n);
    edited.IfsX[k] = WholeOf(txtLocX[i], kLocMax);
    edited.IfsY[k] = WholeOf(txtLocY[i], kLocMax);
    edited.IfsZ[k] = WholeOf(txtLocZ[i], kLocMax);
    edited.IfsScale[k] = WholeOf(txtScale[i], kScaleMax);
    edited.IfsAxis[k] = runtime::ClampLong(cboRAxis[i].ListIndex(), 0, 2);
    edited.IfsAngle[k] = WholeOf(txtAngle[i], kAngleMax);
    edited.IfsPct[k] = pct;
    ++n;
  }
  if (n < 2) {
    // Refused: the record keeps its points, count and centre.
    platform::ShowMessage(kIfsTooFewPointsNote, platform::kProductName, platform::MsgIcon::Information);
    return false;
  }
  for (int32_t k = n; k < kIfsRows; ++k) edited.IfsPct[static_cast<size_t>(k)] = 0;
  edited.Galaxy_IFS_Points = n;
  int32_t* centre[] = {&edited.IFS_CenterX, &edited.IFS_CenterY, &edited.IFS_CenterZ};
  for (int k = 0; k < 3; ++k)
    if (const auto v = WholeOfBoxText(txtCenter[k].Text(), 0, kCenterMax)) *centre[k] = *v;
  record->Ifs = edited;
  return true;
}

void frmUserDefIFS::LoadIfsTheme(std::string_view text) {
  auto field = [text](int n) { return store::GetCsvField(text, n); };
  lblTheme->SetCaption(field(0));
  for (int k = 0; k < 3; ++k) {
    txtCenter[k].SetText(field(1 + k));
    txtGalaxy[k].SetText(field(4 + k));
  }
  for (int i = 0; i < kIfsRows; ++i) {
    const int f = 7 + 7 * i;
    if (!(runtime::Val(field(f + 6)) > 0)) {
      ClearRow(i);
      continue;
    }
    txtLocX[i].SetText(field(f));
    txtLocY[i].SetText(field(f + 1));
    txtLocZ[i].SetText(field(f + 2));
    txtScale[i].SetText(field(f + 3));
    cboRAxis[i].SetListIndex(runtime::ToLongOr(runtime::Val(field(f + 4)), 0));
    txtAngle[i].SetText(field(f + 5));
    txtPercent[i].SetText(field(f + 6));
  }
}

void frmUserDefIFS::cboTheme_Click() {
  const int32_t n = cboTheme->ListIndex();
  if (n >= 1) LoadIfsTheme(GetIfsThemeText(n));
}

void frmUserDefIFS::cmdPreview_Click() { Preview().Click(); }

void frmUserDefIFS::cmdOK_Click() {
  Preview().AfterPreview([this] { CommitAndClose(); });
}

void frmUserDefIFS::CommitAndClose() {
  if (!CommitIfs()) return;
  MirrorGalaxyValues(props_, txtGalaxy[0].Text(), txtGalaxy[1].Text(), txtGalaxy[2].Text());
  Unload();
}

void frmUserDefIFS::cmdClear_Click() {
  for (int k = 0; k < 3; ++k) txtCenter[k].SetText("");
  for (int i = 0; i < kIfsRows; ++i) ClearRow(i);
}

void frmUserDefIFS::cmdDismiss_Click() {
  Preview().AfterPreview([this] { Unload(); });
}

void frmUserDefIFS::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kIfsHelpContext); }

}  // namespace dialogs
