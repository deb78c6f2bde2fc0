#include "dialogs/editors/frm_molecule.h"

#include <QFont>
#include <algorithm>
#include <vector>

#include "dialogs/editors/molecule_rows.h"
#include "dialogs/editors/molecule_themes.h"
#include "dialogs/editors/editor_window.h"
#include "dialogs/properties/props_fields.h"
#include "host/picture_box.h"
#include "host/window_state.h"
#include "model/colors.h"
#include "model/galaxy_types.h"
#include "model/hue_wheel.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "settings/element_table.h"
#include "store/values.h"

namespace dialogs {

namespace {

constexpr const char* kWindowSection = "General\\Atomics";
constexpr int32_t kElementCount = 17;
constexpr int32_t kGalaxyValueMax = 30000;
constexpr int32_t kMinClientWidth = 8820;  // twips
constexpr int32_t kMinClientHeight = 6420;
constexpr int32_t kStartClientWidth = 12600;
constexpr int32_t kStartClientHeight = 7740;  // down to the atoms frame's lower edge
// The atoms frame as designed; in a lower window its list gives up rows, the frame keeping
// this margin below it.
constexpr int32_t kAtomsFrameHeight = 4620;
constexpr int32_t kAtomsFrameMargin = 120;

constexpr const char* kLimitMessage =
    "You have reached the limit with respect to the number \n"
    "elements that can be associated with a given molecule.";
constexpr const char* kEmptyMoleculeNote =
    "Note:\n\nYou must specify at least one Atomic Structure in order to Preview the Molecule.  "
    "Consider selecting one of the Themes in order to see a sample Molecule "
    "or press Cancel to return to the Galaxy Settings.";

int32_t PixelsY(int32_t px) { return controls::PixelsToTwipsY(px); }

void Note(std::string_view text) {
  platform::ShowMessage(text, platform::kProductName, platform::MsgIcon::Information, platform::MsgButtons::Ok);
}

// A colour with red in the low byte as 0xRRGGBB.
uint32_t ColorRefToRgb(int32_t color) {
  const auto c = static_cast<uint32_t>(color);
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

int32_t ElementHue(int32_t element) {
  const settings::ElementInfo* e = settings::FindElement(element);
  return e != nullptr ? e->color : 0;
}

// The numeric value of a box, as the row and the checks read it.
double BoxValue(const controls::TextBox& box) { return runtime::Val(box.Text()); }

void FillSwatch(controls::PictureBox& swatch, uint32_t rgb) {
  swatch.SetBackColor(rgb);
  swatch.Cls();
}

}  // namespace

// ---- MultiSelectListBox

MultiSelectListBox::MultiSelectListBox(QWidget* parent, std::string name, int index)
    : controls::ListBox(parent, std::move(name), index) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

int32_t MultiSelectListBox::ListIndex() const {
  const QListWidgetItem* current = currentItem();
  if (current != nullptr && current->isSelected()) return static_cast<int32_t>(row(current));
  return controls::ListBox::ListIndex();
}

// ---- frmMolecule

frmMolecule::frmMolecule(PropsFields& props) : GalaxyEditorWindow(props, "frmMolecule", "Preview Molecule") {
  SetCaption("User Defined Molecules");
  SetHelpContextID(kMoleculeHelpContext);
  CreateControls();
  SetClientSize(kStartClientWidth, kStartClientHeight);
}

frmMolecule::~frmMolecule() { Preview().Unbind(); }

void frmMolecule::CreateControls() {
  using namespace controls;
  mnuResize = &AddResizeMenuItem(*this);

  auto label = [](QWidget* parent, const char* name, int32_t l, int32_t t, int32_t w, int32_t h) {
    auto* c = new Label(parent, name);
    c->Move(l, t, w, h);
    return c;
  };
  auto button = [this](const char* name, const char* caption, int32_t l, int32_t t, int32_t w) {
    auto* b = new CommandButton(this, name);
    b->SetCaption(caption);
    b->Move(l, t, w, 375);
    return b;
  };

  fraTheme = new Frame(this, "fraTheme");
  fraTheme->SetCaption("Molecule Themes");
  fraTheme->Move(120, 60, 7440, 960);
  cboTheme = new ComboBox(fraTheme, "cboTheme");
  cboTheme->Move(120, 300, 3000, 315);
  lblTheme = label(fraTheme, "lblTheme", 3240, 270, 4080, 600);
  lblTheme->SetWordWrap(true);
  for (Control* c : std::initializer_list<Control*>{fraTheme, cboTheme, lblTheme}) c->SetHelpContextID(7375);

  const char* centreCaptions[] = {"Center X:", "Center Y:", "Center Z:"};
  const char* galaxyCaptions[] = {"Radius:", "Rotation:", "Distance:"};
  fraCenter = new Frame(this, "fraCenter");
  fraCenter->SetCaption("Offset (0 - 9999)");
  fraCenter->Move(120, 1095, 3660, 1335);
  fraCenter->SetHelpContextID(7380);
  fraGalaxy = new Frame(this, "fraGalaxy");
  fraGalaxy->SetCaption("Galaxy (0 - 30,000)");
  fraGalaxy->Move(3900, 1095, 3660, 1335);
  // The offset boxes first, then the galaxy boxes: the order Tab takes.
  for (int i = 0; i < 3; ++i) {
    const int32_t top = 270 + i * 330;
    lblCenter.Create(fraCenter, i).SetCaption(centreCaptions[i]);
    lblCenter[i].Move(120, top + 30, 1500, 240);
    TextBox& c = txtCenter.Create(fraCenter, i);
    c.Move(1680, top, 1440, 285);
    c.SetHelpContextID(7380);
    AttachWholeNumberBox(c, 0, kAtomValueMax, 4);
  }
  for (int i = 0; i < 3; ++i) {
    const int32_t top = 270 + i * 330;
    lblGalaxy.Create(fraGalaxy, i).SetCaption(galaxyCaptions[i]);
    lblGalaxy[i].Move(120, top + 30, 1500, 240);
    TextBox& g = txtGalaxy.Create(fraGalaxy, i);
    g.Move(1680, top, 1440, 285);
    g.SetHelpContextID(6015 + 5 * i);
    AttachWholeNumberBox(g, 0, kGalaxyValueMax, 5);
  }

  const int32_t buttonsTop = 2505;
  cmdPreview = button("cmdPreview", "Preview Molecule", 120, buttonsTop, 1920);
  cmdOK = button("cmdOK", "OK", 2160, buttonsTop, 1230);
  cmdDismiss = button("cmdDismiss", "Cancel", 3510, buttonsTop, 1230);
  cmdClear = button("cmdClear", "Clear", 4860, buttonsTop, 1230);
  cmdHelp = button("cmdHelp", "&Help", 6210, buttonsTop, 1230);
  cmdOK->SetHelpContextID(7260);
  cmdClear->SetHelpContextID(7261);
  cmdDismiss->SetHelpContextID(7262);
  cmdPreview->SetHelpContextID(7263);
  cmdPreview->SetDefault(true);
  cmdDismiss->SetCancel(true);

  fraAtoms = new Frame(this, "fraAtoms");
  fraAtoms->SetCaption("Element Name(s)   Type        XLoc  YLoc  ZLoc  Radius  SymRad");
  fraAtoms->Move(120, 3000, 7440, 4620);
  fraAtoms->SetHelpContextID(7310);
  lstElements = new MultiSelectListBox(fraAtoms, "lstElements");
  const QFont courier = controls::FixedPitchFont();
  lstElements->setFont(courier);
  // Wide enough for a whole 62-character row beside the scroll bar.
  lstElements->Move(120, 270, 7200, 1950);
  lstElements->SetHelpContextID(7310);

  lblPickElement = label(fraAtoms, "lblPickElement", 120, 2340, 900, 240);
  lblPickElement->SetCaption("Element:");
  cboElement = new ComboBox(fraAtoms, "cboElement");
  cboElement->Move(1080, 2310, 1920, 315);
  cboElement->SetHelpContextID(7320);
  lblType = label(fraAtoms, "lblType", 3120, 2280, 1020, 420);
  cboType = new ComboBox(fraAtoms, "cboType");
  cboType->Move(4200, 2310, 1500, 315);
  cboType->SetHelpContextID(7330);

  lblElement = label(fraAtoms, "lblElement", 120, 2700, 1440, 420);
  txtPropNumber = new TextBox(fraAtoms, "txtPropNumber");
  txtPropNumber->Move(1620, 2730, 540, 285);
  txtPropNumber->SetLocked(true);
  txtPropSymbol = new TextBox(fraAtoms, "txtPropSymbol");
  txtPropSymbol->Move(2220, 2730, 540, 285);
  txtPropSymbol->SetLocked(true);
  picPropColor = new PictureBox(fraAtoms, "picPropColor");
  picPropColor->Move(2820, 2730, 285, 285);
  picDispColor = new PictureBox(fraAtoms, "picDispColor");
  picDispColor->Move(3180, 2730, 285, 285);
  for (Control* c : std::initializer_list<Control*>{txtPropNumber, txtPropSymbol, picPropColor, picDispColor})
    c->SetHelpContextID(7360);

  // Five columns of property boxes under their labels; the last label reads "Symmetry Radius".
  constexpr int32_t kPropPitch = 1400, kPropWidth = 1280;
  lblLocX = label(fraAtoms, "lblLocX", 120, 3180, kPropWidth, 420);
  lblLocY = label(fraAtoms, "lblLocY", 120 + kPropPitch, 3180, kPropWidth, 420);
  lblLocZ = label(fraAtoms, "lblLocZ", 120 + 2 * kPropPitch, 3180, kPropWidth, 420);
  lblRadius = label(fraAtoms, "lblRadius", 120 + 3 * kPropPitch, 3180, kPropWidth, 420);
  lblSymRadius = label(fraAtoms, "lblSymRadius", 120 + 4 * kPropPitch, 3180, 1620, 420);
  const int32_t propContexts[] = {7340, 7340, 7340, 7350, 7355};
  for (int i = 0; i < 5; ++i) {
    TextBox& p = txtProps.Create(fraAtoms, i);
    p.Move(120 + kPropPitch * i, 3630, kPropWidth, 285);
    p.SetHelpContextID(propContexts[i]);
    AttachWholeNumberBox(p, 0, kAtomValueMax, 4);
  }
  // The first box holds the points per edge of a grid type, and only then has a range.
  txtProps[0].LostFocus = [this] {
    if (IsGridType(cboType->ListIndex())) controls::ClampTextBox(txtProps[0], 0, kGridEdgeMin, kGridEdgeMax);
  };
  const char* actions[] = {"Add", "Update", "Remove"};
  for (int i = 0; i < 3; ++i) {
    CommandButton& a = cmdAction.Create(fraAtoms, i);
    a.SetCaption(actions[i]);
    a.Move(120 + 1320 * i, 4080, 1200, 375);
    a.SetHelpContextID(7390 + i);
    a.Click = [this, i] { cmdAction_Click(i); };
  }
  // The frame's caption is the list's column header: in the list's fixed-pitch font each heading
  // stands over its column. The controls in the frame keep the window's font.
  QFont windowFont = font();
  windowFont.setResolveMask(QFont::AllPropertiesResolved);  // set, not inherited from the frame
  for (QWidget* child : fraAtoms->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child != lstElements) child->setFont(windowFont);
  fraAtoms->setFont(courier);

  fraPreview = new Frame(this, "fraPreview");
  fraPreview->Move(7680, 60, 4800, 7560);
  fraPreview->SetHelpContextID(7250);
  picPreview = new host::PictureBox(fraPreview);
  picPreview->setObjectName("picPreview");
  picPreview->Move(120, 270, 4560, 7215);
  picPreview->SetHelpContextID(7250);

  cboElement->Click = [this] { cboElement_Click(); };
  cboType->Click = [this] { cboType_Click(); };
  cboTheme->Click = [this] { cboTheme_Click(); };
  lstElements->Click = [this] { lstElements_Click(); };
  cmdClear->Click = [this] { cmdClear_Click(); };
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
  cmdPreview->Click = [this] { cmdPreview_Click(); };
}


void frmMolecule::Form_Load() {
  host::RestoreWindowState(*this, kWindowSection, true);
  const std::string galaxyName = props_.UniGalName();
  SetCaption("User Defined Molecular Structure:  " + galaxyName);

  cboType->Clear();
  for (const std::string& name : StructureTypeNames()) cboType->AddItem(name);
  cboType->SetListIndex(0);

  cboTheme->Clear();
  for (int32_t n = 0; n <= kMoleculeThemeCount; ++n) cboTheme->AddItem(MoleculeThemeName(n));
  cboTheme->SetListIndex(0);

  cboElement->Clear();
  for (int32_t n = 1; n <= kElementCount; ++n) cboElement->AddItem(settings::GetElementInfo(n, "Name"));

  lblLocX->SetCaption("Loc X\n(0-9999):");
  lblLocY->SetCaption("Loc Y\n(0-9999):");
  lblLocZ->SetCaption("Loc Z\n(0-9999):");
  lblType->SetCaption("Atomic\nStructure:");
  lblRadius->SetCaption("Radius\n(0-9999):");
  lblElement->SetCaption("Periodic\nTable Element:");
  fraPreview->SetCaption("Molecule Preview - " + galaxyName);

  lstElements->Clear();
  if (const model::GalaxyTypeProps* record = EditedRecord()) {
    const model::GalaxyTypeProps& r = *record;
    const model::AtomBlock& a = r.Atoms;
    txtCenter[0].SetText(std::to_string(a.Atom_CenterX));
    txtCenter[1].SetText(std::to_string(a.Atom_CenterY));
    txtCenter[2].SetText(std::to_string(a.Atom_CenterZ));
    const int32_t count = std::clamp(a.Galaxy_Atoms, 0, kMaxAtomRows);
    for (int32_t i = 0; i < count; ++i) {
      const auto k = static_cast<size_t>(i);
      const int32_t e = a.AtomElement[k];
      AddRow(e, FormatAtomRow(settings::GetElementInfo(e, "Name"), StructureTypeName(a.AtomType[k]),
                              {static_cast<double>(a.AtomX[k]), static_cast<double>(a.AtomY[k]),
                               static_cast<double>(a.AtomZ[k]), static_cast<double>(a.AtomRadius[k]),
                               static_cast<double>(a.AtomExtra[k])}));
    }
    txtGalaxy[0].SetText(std::to_string(r.Galaxy_Radius));
    txtGalaxy[1].SetText(std::to_string(r.Galaxy_Rotation));
    txtGalaxy[2].SetText(std::to_string(r.Galaxy_Distance));
  }

  // The centre and galaxy frames below the themes, the buttons below them.
  fraCenter->Move(fraCenter->Left(), fraTheme->Top() + fraTheme->Height() + PixelsY(5));
  fraGalaxy->Move(fraGalaxy->Left(), fraCenter->Top());
  fraPreview->Move(fraPreview->Left(), fraTheme->Top());
  cmdPreview->Move(cmdPreview->Left(), fraCenter->Top() + fraCenter->Height() + PixelsY(5));
  Form_Resize();
}

void frmMolecule::AddRow(int32_t element, const std::string& row) {
  lstElements->AddItem(row);
  lstElements->SetItemData(lstElements->NewIndex(), element);
}

void frmMolecule::Form_Resize() {
  if (fraPreview == nullptr || picPreview == nullptr) return;
  FitEditorPreview(*this, *fraPreview, *picPreview, kMinClientWidth, kMinClientHeight);
  FitAtomsFrame();
}

// Below the starting height the atoms frame ends the same margin above the lower edge: its list
// gives up the rows the window lacks and the controls under the list move up with it.
void frmMolecule::FitAtomsFrame() {
  if (fraAtoms == nullptr || lstElements == nullptr) return;
  const int32_t h = ScaleHeight();
  if (h < kMinClientHeight) return;  // the window is being brought to its minimum first
  const int32_t height = std::min(kAtomsFrameHeight, h - fraAtoms->Top() - kAtomsFrameMargin);
  const int32_t shift = height - fraAtoms->Height();
  if (shift == 0) return;
  for (QWidget* child : fraAtoms->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    auto* c = dynamic_cast<controls::Control*>(child);
    if (c == nullptr || c == lstElements) continue;
    c->Move(c->Left(), c->Top() + shift);
  }
  lstElements->Move(lstElements->Left(), lstElements->Top(), lstElements->Width(), lstElements->Height() + shift);
  fraAtoms->Move(fraAtoms->Left(), fraAtoms->Top(), fraAtoms->Width(), height);
}

void frmMolecule::Form_Unload(int&) {
  host::SaveWindowState(*this, kWindowSection);
  Preview().Unbind();
}

void frmMolecule::UpdateStructureTypeLabels(int32_t t) {
  lblSymRadius->SetEnabled(t >= 1);
  txtProps[4].SetEnabled(t >= 1);
  if (t >= 0 && t <= 5) {
    const bool single = t == 0;
    lblLocX->SetCaption("Loc X\n(0-9999):");
    for (controls::Control* c : std::initializer_list<controls::Control*>{lblLocX, lblLocY, lblLocZ})
      c->SetEnabled(single);
    for (int i = 0; i < 3; ++i) txtProps[i].SetEnabled(single);
    lblSymRadius->SetCaption("Symmetry Radius");
    txtProps[0].SetHelpContextID(7340);
  } else if (IsGridType(t)) {
    lblLocX->SetCaption("Points per\nEdge (1-99)");
    lblLocX->SetEnabled(true);
    txtProps[0].SetEnabled(true);
    for (controls::Control* c : std::initializer_list<controls::Control*>{lblLocY, lblLocZ, &txtProps[1], &txtProps[2]})
      c->SetEnabled(false);
    lblSymRadius->SetCaption("Atom Offset");
    txtProps[0].SetHelpContextID(7356);
  }
}

void frmMolecule::cboType_Click() { UpdateStructureTypeLabels(cboType->ListIndex()); }

void frmMolecule::cboElement_Click() {
  model::BuildHueWheelTable();
  const int32_t n = cboElement->ListIndex() + 1;
  if (n < 1) {
    txtPropNumber->SetText("");
    txtPropSymbol->SetText("");
    FillSwatch(*picPropColor, 0);
    FillSwatch(*picDispColor, 0);
    return;
  }
  txtPropNumber->SetText(std::to_string(n));
  txtPropSymbol->SetText(settings::GetElementInfo(n, "Symbol"));
  const int32_t hue = ElementHue(n);
  FillSwatch(*picPropColor, ColorRefToRgb(model::HueToColor(hue)));
  const int32_t shown = runtime::ToLongOr(runtime::Val(props_.GalaxyText(95)) + hue, 0);
  FillSwatch(*picDispColor, ColorRefToRgb(model::HueColor(GalaxyIndex(), shown)));
}

void frmMolecule::cboTheme_Click() {
  const int32_t n = cboTheme->ListIndex();
  if (n >= 1) LoadMoleculeTheme(GetMoleculeThemeText(n));
}

std::string frmMolecule::FormatElementRow() const {
  return FormatAtomRow(cboElement->Text(), cboType->Text(),
                       {BoxValue(txtProps[0]), BoxValue(txtProps[1]), BoxValue(txtProps[2]), BoxValue(txtProps[3]),
                        BoxValue(txtProps[4])});
}

void frmMolecule::cmdAction_Click(int Index) {
  // The checks an added or updated row must pass; false after the message.
  auto rowChecks = [this] {
    if (cboElement->ListIndex() < 0) {
      Note("Please select an Element.");
      cboElement->SetFocus();
      return false;
    }
    if (cboType->ListIndex() < 0) {
      Note("Please select an Atomic Structure Type.");
      cboType->SetFocus();
      return false;
    }
    if (cboType->ListIndex() >= 1 && BoxValue(txtProps[4]) == 0) {
      Note("Please enter a Symmetry Radius.");
      txtProps[4].SetFocus();
      return false;
    }
    return true;
  };
  switch (Index) {
    case 0:
      if (lstElements->ListCount() >= kMaxAtomRows) {
        Note(kLimitMessage);
        return;
      }
      if (!rowChecks()) return;
      AddRow(cboElement->ListIndex() + 1, FormatElementRow());
      return;
    case 1: {
      const int32_t current = lstElements->ListIndex();
      if (current < 0) {
        Note("Please select an Element to update.");
        lstElements->SetFocus();
        return;
      }
      if (!rowChecks()) return;
      lstElements->SetList(current, FormatElementRow());
      lstElements->SetItemData(current, cboElement->ListIndex() + 1);
      return;
    }
    case 2: {
      std::vector<int32_t> chosen;
      for (int32_t i = 0; i < lstElements->ListCount(); ++i)
        if (lstElements->Selected(i)) chosen.push_back(i);
      if (chosen.empty()) {
        Note("Please select one or more Elements to remove.");
        lstElements->SetFocus();
        return;
      }
      for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) lstElements->RemoveItem(*it);
      return;
    }
    default:
      return;
  }
}

void frmMolecule::cmdClear_Click() {
  for (int i = 0; i < 3; ++i) txtCenter[i].SetText("");
  lstElements->Clear();
  cboElement->SetListIndex(-1);
  cboType->SetListIndex(0);
  for (int i = 0; i < 5; ++i) txtProps[i].SetText("");
}

void frmMolecule::lstElements_Click() {
  const int32_t current = lstElements->ListIndex();
  if (current < 0) return;
  const std::string row = lstElements->List(current);
  cboElement->SetListIndex(lstElements->ItemData(current) - 1);
  cboType->SetListIndex(GetStructureTypeIndex(RowTypeText(row)));
  const auto numbers = RowNumberTexts(row);
  for (int i = 0; i < 5; ++i) txtProps[i].SetText(numbers[static_cast<size_t>(i)]);
}

bool frmMolecule::CommitMolecule() {
  const int32_t rows = std::min(lstElements->ListCount(), kMaxAtomRows);
  model::GalaxyTypeProps* record = EditedRecord();
  if (rows == 0 || record == nullptr) {
    if (rows == 0) Note(kEmptyMoleculeNote);
    return false;
  }
  model::GalaxyTypeProps& r = *record;
  model::AtomBlock& a = r.Atoms;
  a.Galaxy_Atoms = rows;
  int32_t* centre[] = {&a.Atom_CenterX, &a.Atom_CenterY, &a.Atom_CenterZ};
  for (int i = 0; i < 3; ++i)
    if (const auto v = WholeOfBoxText(txtCenter[i].Text(), 0, kAtomValueMax)) *centre[i] = *v;
  for (int32_t i = 0; i < rows; ++i) {
    const auto k = static_cast<size_t>(i);
    const AtomColumns c = ParseAtomRow(lstElements->List(i));
    a.AtomElement[k] = lstElements->ItemData(i);
    a.AtomType[k] = c.type;
    a.AtomX[k] = c.numbers[0];
    a.AtomY[k] = c.numbers[1];
    a.AtomZ[k] = c.numbers[2];
    a.AtomRadius[k] = c.numbers[3];
    a.AtomExtra[k] = c.numbers[4];
    a.AtomPoints[k] = model::AtomPointsOfType(c.type).value_or(1);
  }
  WriteGalaxyValues(r, txtGalaxy[0].Text(), txtGalaxy[1].Text(), txtGalaxy[2].Text());
  return true;
}

void frmMolecule::cmdOK_Click() {
  Preview().AfterPreview([this] {
    if (!CommitMolecule()) return;
    MirrorGalaxyValues(props_, txtGalaxy[0].Text(), txtGalaxy[1].Text(), txtGalaxy[2].Text());
    Unload();
  });
}

void frmMolecule::cmdDismiss_Click() {
  Preview().AfterPreview([this] { Unload(); });
}

void frmMolecule::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kMoleculeHelpContext); }

void frmMolecule::cmdPreview_Click() { Preview().Click(); }

void frmMolecule::ToggleMoleculePreview(bool start) { Preview().Toggle(start); }

void frmMolecule::CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const {
  CopyMoleculePreviewFields(from, to);
}

bool frmMolecule::CommitForPreview() {
  model::GalaxyTypeProps* record = EditedRecord();
  if (record == nullptr) return false;
  WriteGalaxyValues(*record, txtGalaxy[0].Text(), txtGalaxy[1].Text(), txtGalaxy[2].Text());
  return CommitMolecule();
}

void frmMolecule::PreviewStopped() { UpdateStructureTypeLabels(cboType->ListIndex()); }

void frmMolecule::LoadMoleculeTheme(const std::string& text) {
  auto field = [&text](int32_t n) { return store::GetCsvField(text, n); };
  auto whole = [&field](int32_t n) { return runtime::LeadingWholeClamped(field(n), INT32_MIN, INT32_MAX); };
  lblTheme->SetCaption(field(0));
  const int32_t count = std::clamp(whole(1), 0, kMaxAtomRows);
  for (int i = 0; i < 3; ++i) {
    txtCenter[i].SetText(field(2 + i));
    txtGalaxy[i].SetText(field(5 + i));
  }
  lstElements->Clear();
  for (int32_t k = 0; k < count; ++k) {
    const int32_t base = 8 + 7 * k;
    const int32_t e = whole(base);
    AtomValues v;
    double* values[] = {&v.x, &v.y, &v.z, &v.radius, &v.extra};
    for (int i = 0; i < 5; ++i) *values[i] = runtime::Val(field(base + 2 + i));
    AddRow(e, FormatAtomRow(settings::GetElementInfo(e, "Name"), StructureTypeName(whole(base + 1)), v));
  }
}

}  // namespace dialogs
