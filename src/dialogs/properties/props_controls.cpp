#include "dialogs/properties/props_controls.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "dialogs/properties/props_lists.h"
#include "dialogs/properties/type_lists.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"

namespace dialogs {

using controls::CheckBox;
using controls::ComboBox;
using controls::CommandButton;
using controls::ControlArray;
using controls::Frame;
using controls::Label;
using controls::ListBox;
using controls::Spinner;
using controls::TextBox;

namespace {

Label* NewLabel(QWidget* parent, const char* name, std::string_view caption) {
  auto* l = new Label(parent, name);
  l->SetCaption(caption);
  return l;
}

Label& NewLabel(ControlArray<Label>& array, QWidget* parent, int index, std::string_view caption) {
  Label& l = array.Create(parent, index);
  l.SetCaption(caption);
  return l;
}

TextBox* NewField(QWidget* parent, const char* name, int maxLength) {
  auto* t = new TextBox(parent, name);
  t->SetMaxLength(maxLength);
  return t;
}

TextBox& NewField(ControlArray<TextBox>& array, QWidget* parent, int index, int maxLength,
                  std::string_view designText = {}) {
  TextBox& t = array.Create(parent, index);
  t.SetMaxLength(maxLength);
  if (!designText.empty()) t.SetText(designText);
  return t;
}

Frame* NewFrame(QWidget* parent, const char* name, std::string_view caption) {
  auto* f = new Frame(parent, name);
  f->SetCaption(caption);
  return f;
}

Frame& NewFrame(ControlArray<Frame>& array, QWidget* parent, int index, std::string_view caption) {
  Frame& f = array.Create(parent, index);
  f.SetCaption(caption);
  return f;
}

CommandButton* NewButton(QWidget* parent, const char* name, std::string_view caption) {
  auto* b = new CommandButton(parent, name);
  b->SetCaption(caption);
  return b;
}

CheckBox* NewCheck(QWidget* parent, const char* name, std::string_view caption) {
  auto* c = new CheckBox(parent, name);
  c->SetCaption(caption);
  return c;
}

template <size_t N>
ComboBox* NewCombo(QWidget* parent, const char* name, const std::array<const char*, N>& items,
                   ComboBox::Style style = ComboBox::Style::DropDownList) {
  auto* c = new ComboBox(parent, name, -1, style);
  for (const char* item : items) c->AddItem(item);
  return c;
}

ComboBox* NewCombo(QWidget* parent, const char* name) { return new ComboBox(parent, name); }

controls::PictureBox* NewPicture(QWidget* parent, const char* name) { return new controls::PictureBox(parent, name); }

host::PictureBox* NewHostPicture(QWidget* parent, const char* name) {
  auto* p = new host::PictureBox(parent);
  p->setObjectName(QString::fromLatin1(name));
  return p;
}

// One row of universe fields: label index, caption, then the text boxes behind it.
struct UniRow {
  int label;
  const char* caption;
  int boxes[2];
  int maxLength[2];
};

void CreateUniRows(PropsControls& c, QWidget* parent, std::span<const UniRow> rows) {
  for (const UniRow& r : rows) {
    NewLabel(c.lblUni, parent, r.label, r.caption);
    for (int k = 0; k < 2; ++k)
      if (r.boxes[k] >= 0) NewField(c.txtUni, parent, r.boxes[k], r.maxLength[k]);
  }
}

// One row of galaxy fields: label index, caption, text boxes, and which of them have spinners.
struct GalaxyRow {
  int label;
  const char* caption;
  int boxes[2];
  bool spinner[2];
};

// Typed lengths of the galaxy fields by index.
int GalaxyFieldLength(int index) {
  switch (index) {
    case 3: case 5: case 9: case 11: case 32: case 33: return 2;
    case 4: case 6: case 21: case 41: case 47: case 48: case 93: case 95: return 3;
    case 10: case 12: case 20: case 22: case 30: case 31: case 34: case 35:
    case 40: case 42: case 43: case 44: return 4;
    case 0: case 1: case 2: case 7: case 8: return 5;
    case 46: case 49: case 90: case 91: case 92: return 6;
    case 45: return 7;
    case 94: case 96: return 8;
    default: return 0;
  }
}

void CreateGalaxyBox(PropsControls& c, QWidget* parent, int index, bool spinner) {
  NewField(c.txtGalaxy, parent, index, GalaxyFieldLength(index));
  if (spinner) c.spnGalaxy.Create(parent, index);
}

void CreateGalaxyRows(PropsControls& c, QWidget* parent, std::span<const GalaxyRow> rows) {
  for (const GalaxyRow& r : rows) {
    NewLabel(c.lblGalaxy, parent, r.label, r.caption);
    for (int k = 0; k < 2; ++k)
      if (r.boxes[k] >= 0) CreateGalaxyBox(c, parent, r.boxes[k], r.spinner[k]);
  }
}

}  // namespace

PropsControls::PropsControls(controls::Form& window) : form(window) {
  CreateMenus();
  // The two-line rule under the menu bar.
  linDark = new controls::Line(&form, "linDark");
  linLight = new controls::Line(&form, "linLight");
  CreateLeftColumn();
  // The right column: the universe frame, then the two pages in one place.
  fraUniverseProps = NewFrame(&form, "fraUniverseProps", "Universe Properties");
  static constexpr UniRow kCounts[] = {{0, "Stars in Universe (10 - 99,999):", {0, -1}, {5, 0}},
                                       {1, "Galaxies in Universe (1 - 999):", {1, -1}, {3, 0}}};
  for (const UniRow& r : kCounts) {
    CreateUniRows(*this, fraUniverseProps, std::span(&r, 1));
    spnUni.Create(fraUniverseProps, r.boxes[0]);
  }
  txtUni[0].SetText("5000");
  txtUni[1].SetText("200");
  cmdSetThemes = NewButton(fraUniverseProps, "cmdSetThemes", "Advanced Settings...");
  CreateUniversePage();
  CreateGalaxyPage();
}

void PropsControls::CreateMenus() {
  mnuFile = &form.AddMenu("mnuFile", "&File");
  static constexpr const char* kFile[] = {"&Open Template...", "-", "&Save Template", "Save Template &As...", "-",
                                          "E&xit"};
  for (int i = 0; i < 6; ++i) mnuFileArray.Add(i, mnuFile->AddItem("mnuFileArray", i, kFile[i]));
  mnuEdit = &form.AddMenu("mnuEdit", "&Edit");
  static constexpr const char* kEdit[] = {"&Reset Properties", "-", "&Advanced Settings...", "-",
                                          "&Video Capture..."};
  for (int i = 0; i < 5; ++i) mnuEditArray.Add(i, mnuEdit->AddItem("mnuEditArray", i, kEdit[i]));
  mnuHelp = &form.AddMenu("mnuHelp", "&Help");
  static constexpr const char* kHelp[] = {"&Contents...",
                                          "&Search...",
                                          "-",
                                          "&Diagnostics...",
                                          "-",
                                          "ZORV &Feedback...",
                                          "&ZORV Home Page...",
                                          "ZORV &Frequently Asked Questions (FAQ)...",
                                          "-",
                                          "&About Zorvane..."};
  for (int i = 0; i < 10; ++i) mnuHelpArray.Add(i, mnuHelp->AddItem("mnuHelpArray", i, kHelp[i]));
}

void PropsControls::CreateLeftColumn() {
  // Hue cone.
  fraColorProps = NewFrame(&form, "fraColorProps", "Hue Cone Properties");
  Frame& rows = NewFrame(fraHueProps, fraColorProps, 0, "");
  static constexpr const char* kConeCaptions[] = {"Hue Cone Brightness (0 - 100):", "Hue Darkness Fade (0 - 100):",
                                                  "Hue Brightness Bias (0 - 999):", "Hue Twist Angle (-999 - 999):"};
  static constexpr const char* kConeTexts[] = {"100", "20", "160", "45"};
  static constexpr int kConeLengths[] = {3, 3, 3, 4};
  for (int i = 0; i < 4; ++i) {
    NewLabel(lblColorProps, &rows, i, kConeCaptions[i]);
    NewField(txtColorProps, &rows, i, kConeLengths[i], kConeTexts[i]);
    spnHue.Create(&rows, i);
  }
  picHueWheel = NewPicture(fraColorProps, "picHueWheel");
  picHueWheel->setFixedSize(kConeDiscPixels, kConeDiscPixels);
  picHueWheel->SetVisible(false);
  imgHueWheel = new controls::Image(fraColorProps, "imgHueWheel");
  imgHueWheel->SetStretch(true);

  // Display.
  fraDirectX = NewFrame(&form, "fraDirectX", "Saver Display Resolution");
  cboResolution = NewCombo(fraDirectX, "cboResolution");
  lblFilteringEffect = NewLabel(fraDirectX, "lblFilteringEffect", "Filtering Effect:");
  cboFilterEffect = NewCombo(fraDirectX, "cboFilterEffect");
  lblFilterRGB = NewLabel(fraDirectX, "lblFilterRGB", "Red   Green  Blue");
  for (int i = 0; i < 3; ++i) NewField(txtFilterRGB, fraDirectX, i, 3);
  lblDesktopPercent = NewLabel(fraDirectX, "lblDesktopPercent", "Desktop Percent / Blend Frames:");
  NewField(txtDesktopBlend, fraDirectX, 0, 2);
  NewField(txtDesktopBlend, fraDirectX, 1, 3);
  NewLabel(lblUni, fraDirectX, 2, "Particle Blending (0 - 100):");
  NewLabel(lblUni, fraDirectX, 3, "Burst, Travel:");
  for (int i : {2, 3}) {
    NewField(txtUni, fraDirectX, i, 3, i == 2 ? "95" : "75");
    spnUni.Create(fraDirectX, i);
  }

  // Property copy.
  fraPropCopy = NewFrame(&form, "fraPropCopy", "Copy Galaxy Props to All Types");
  lblPropCopyPick = NewLabel(fraPropCopy, "lblPropCopyPick", "Props:");
  cboPropCopyList = NewCombo(fraPropCopy, "cboPropCopyList", kPropCopyListItems);
  lblPropCopy = NewLabel(fraPropCopy, "lblPropCopy", "Value:");
  txtPropCopy = NewField(fraPropCopy, "txtPropCopy", 8);
  cboPropCopy = NewCombo(fraPropCopy, "cboPropCopy");
  cboPropCopy->SetVisible(false);
  chkPropCopy = NewCheck(fraPropCopy, "chkPropCopy", "Property Check Box");
  chkPropCopy->SetVisible(false);
  cmdPropCopy = NewButton(fraPropCopy, "cmdPropCopy", "Copy");
  // Help: the property, its value, the button.
  for (controls::Control* pick : std::initializer_list<controls::Control*>{lblPropCopyPick, cboPropCopyList})
    pick->SetHelpContextID(6810);
  for (controls::Control* value :
       std::initializer_list<controls::Control*>{lblPropCopy, txtPropCopy, cboPropCopy, chkPropCopy})
    value->SetHelpContextID(6820);
  cmdPropCopy->SetHelpContextID(6830);

  // Preview.
  fraPreview = NewFrame(&form, "fraPreview", "Preview");
  static constexpr const char* kCaptureCaptions[] = {"Set Clipboard", "Set Desktop", "Save File"};
  static constexpr const char* kCaptureTips[] = {"Capture preview image to Windows Clipboard",
                                                 "Set Windows Desktop Wallpaper to preview image",
                                                 "Save preview image to Bitmap file in Screen Saver folder"};
  for (int i = 0; i < 3; ++i) {
    CommandButton& b = cmdCaptureImage.Create(fraPreview, i);
    b.SetCaption(kCaptureCaptions[i]);
    b.SetToolTipText(kCaptureTips[i]);
    b.SetVisible(false);
  }
  picPreview = NewHostPicture(fraPreview, "picPreview");
  picScreenCapture = NewHostPicture(fraPreview, "picScreenCapture");
  picScreenCapture->setVisible(false);

  cmdAccept = NewButton(&form, "cmdAccept", "&Accept Settings");
  cmdAccept->SetDefault(true);
  cmdDismiss = NewButton(&form, "cmdDismiss", "Cancel");
  cmdDismiss->SetCancel(true);
}

void PropsControls::CreateUniversePage() {
  Frame& page = NewFrame(fraAni, &form, 1, "Universe Galaxies");
  fraGalaxyTypes = NewFrame(&page, "fraGalaxyTypes", "Galaxy Types");
  lstUniGalaxy = new ListBox(fraGalaxyTypes, "lstUniGalaxy");
  cmdGalProps = NewButton(fraGalaxyTypes, "cmdGalProps", "Show Props");
  cmdPreviewGal = NewButton(fraGalaxyTypes, "cmdPreviewGal", "Preview Galaxy");
  cmdResetGalPct = NewButton(fraGalaxyTypes, "cmdResetGalPct", "Reset %");
  txtResetGalPct = NewField(fraGalaxyTypes, "txtResetGalPct", 4);
  lblGalNamePct = NewLabel(fraGalaxyTypes, "lblGalNamePct", "Selected Galaxy Name and Relative Percent in Universe:");
  txtUniGalName = NewField(fraGalaxyTypes, "txtUniGalName", 30);
  txtUniGalPct = NewField(fraGalaxyTypes, "txtUniGalPct", 3);
  spnUniGalPct = new Spinner(fraGalaxyTypes, "spnUniGalPct");
  cmdGalCommit = NewButton(fraGalaxyTypes, "cmdGalCommit", "Commit");
  lblUniTheme = NewLabel(&page, "lblUniTheme", "Theme:");
  cboUniTheme = NewCombo(&page, "cboUniTheme", kUniThemeItems);
  cboUniExtras = NewCombo(&page, "cboUniExtras", kUniExtrasItems);
  for (int i = 0; i < 5; ++i) NewFrame(fraUniProp, &page, i, "Extras:");

  // Panel 0: universe creation.
  Frame& creation = fraUniProp[0];
  static constexpr UniRow kCreation[] = {
      {10, "Expansion Speed (0 - 99,999):", {10, -1}, {5, 0}},
      {11, "Expansion Steps (1 - 9999):", {11, -1}, {4, 0}},
      {12, "Star Persistence (0.25 - 1.0):", {12, -1}, {8, 0}},
      {15, "Universe Expansion Damping (0.0 - 1.0):", {14, -1}, {8, 0}},
      {14, "Recycle Universe after visiting Galaxies (1 - 999):", {18, -1}, {3, 0}},
  };
  CreateUniRows(*this, &creation, kCreation);
  NewLabel(lblUni, &creation, 16, "Hue Start, End (0 - 999):");
  NewField(txtUni, &creation, 16, 4);
  spnUni.Create(&creation, 16);
  NewField(txtUni, &creation, 17, 3);
  spnUni.Create(&creation, 17);
  picColUni = NewPicture(&creation, "picColUni");
  NewLabel(lblUni, &creation, 17, "Universe Profile:");
  cboUniProfile = NewCombo(&creation, "cboUniProfile");
  picUniProfile = NewPicture(&creation, "picUniProfile");
  cmdPreviewUni = NewButton(&creation, "cmdPreviewUni", "Preview Universe");

  // Panel 1: new and ambient stars.
  Frame& stars = fraUniProp[1];
  static constexpr UniRow kNewStars[] = {
      {20, "New Stars Frequency (0 - 9999):", {20, -1}, {4, 0}},
      {21, "Exclusive to Current Galaxy % (0 - 100):", {21, -1}, {3, 0}},
  };
  CreateUniRows(*this, &stars, kNewStars);
  fraAmbient = NewFrame(&stars, "fraAmbient", "Ambient Stars");
  static constexpr UniRow kAmbient[] = {
      {40, "Stars (0 - 9999):", {40, -1}, {4, 0}},
      {41, "Persistence (0.25 - 1.0):", {41, -1}, {8, 0}},
      {42, "Age Increment (0.0 - 10.0):", {42, -1}, {8, 0}},
      {43, "Cycle Down Frames (0 - 999):", {43, -1}, {3, 0}},
      {44, "Max. Size Extension (1 - 99,999):", {44, -1}, {5, 0}},
  };
  CreateUniRows(*this, fraAmbient, kAmbient);

  // Panel 2: the tour.
  Frame& tour = fraUniProp[2];
  chkUniTour = NewCheck(&tour, "chkUniTour", "Tour the Universe");
  fraUniTour = NewFrame(&tour, "fraUniTour", "");
  static constexpr UniRow kTour[] = {
      {30, "Steps per Control Point (1 - 9999):", {30, -1}, {4, 0}},
      {31, "Control Points per Galaxy Visit (1 - 999):", {31, -1}, {3, 0}},
      {32, "Control Points thru Galaxy Core (0 - 999):", {32, -1}, {3, 0}},
  };
  CreateUniRows(*this, fraUniTour, kTour);
  for (int i : {30, 31, 32}) {
    lblUni[i].SetEnabled(false);
    txtUni[i].SetEnabled(false);
  }
  chkVisitSeq = NewCheck(fraUniTour, "chkVisitSeq", "Visit Galaxy Types Sequentially:");
  chkVisitSeq->SetEnabled(false);
  fraTripScript = NewFrame(fraUniTour, "fraTripScript", "Tour per space-separated Galaxy indices (1-66)");
  cboTourGalaxies = NewCombo(fraTripScript, "cboTourGalaxies", kTourGalaxiesItems, ComboBox::Style::Editable);
  // The camera rotation is carried through loads and saves but never shown.
  chkRotCamera = NewCheck(fraUniTour, "chkRotCamera", "Rotate Camera on approach to Galaxies:");
  chkRotCamera->SetVisible(false);
  chkRotCamera->SetEnabled(false);
  fraRotCam = NewFrame(fraUniTour, "fraRotCam", "");
  fraRotCam->SetVisible(false);
  NewLabel(lblUni, fraRotCam, 34, "Camera Rotation Ramping (0 - 999):").SetEnabled(false);
  NewField(txtUni, fraRotCam, 34, 3).SetEnabled(false);
  NewLabel(lblUni, &tour, 33, "Distance from Universe Center (0 - 999999):");
  NewField(txtUni, &tour, 33, 6);

  // Panel 3: composites.
  Frame& comp = fraUniProp[3];
  lstCompGalaxy = new ListBox(&comp, "lstCompGalaxy");
  cmdPreviewComp = NewButton(&comp, "cmdPreviewComp", "Preview Comp");
  cmdResetCompPct = NewButton(&comp, "cmdResetCompPct", "Reset %");
  txtResetCompPct = NewField(&comp, "txtResetCompPct", 4);
  txtCompGalName = NewField(&comp, "txtCompGalName", 30);
  txtCompGalPct = NewField(&comp, "txtCompGalPct", 4);
  spnCompGalPct = new Spinner(&comp, "spnCompGalPct");
  cmdCompCommit = NewButton(&comp, "cmdCompCommit", "Commit");
  lblCompMajor = NewLabel(&comp, "lblCompMajor", "Major:");
  cboCompMajor = NewCombo(&comp, "cboCompMajor");
  lblCompMinor = NewLabel(&comp, "lblCompMinor", "Minor Types:");
  lstCompMinor = new ListBox(&comp, "lstCompMinor", -1, ListBox::Style::CheckBoxes);

  // Panel 4: gravity.
  Frame& gravity = fraUniProp[4];
  static constexpr UniRow kGravity[] = {
      {50, "Gravitational Magnitude (0 - 999,999):", {50, -1}, {6, 0}},
      {51, "Calc. Velocity Vectors per Frame (1 - 999):", {51, -1}, {3, 0}},
  };
  CreateUniRows(*this, &gravity, kGravity);
  lblGravityWarning = NewLabel(&gravity, "lblGravityWarning", "");
  lblGravityWarning->SetWordWrap(true);
}

void PropsControls::CreateGalaxyPage() {
  Frame& page = NewFrame(fraAni, &form, 0, "Galaxy Properties");
  lblGalTheme = NewLabel(&page, "lblGalTheme", "Theme:");
  cboGalTheme = NewCombo(&page, "cboGalTheme");
  cboGalTheme->AddItem(kNoThemeItem);
  if (settings::factoryGalaxies().GalaxyStyleNames.empty()) settings::InitGalaxyStyleNames();
  for (const std::string& name : settings::factoryGalaxies().GalaxyStyleNames) cboGalTheme->AddItem(name);
  cmdAcceptGalProps = NewButton(&page, "cmdAcceptGalProps", "Accept");

  // Star hue.
  fraGalaxyColor = NewFrame(&page, "fraGalaxyColor", "Star Hue Computation Type / Multiplier (1 - 30,000)");
  cboGalColor = NewCombo(fraGalaxyColor, "cboGalColor", kGalColorItems);
  // The caption lies under the list and shows only where a style hides the list.
  lblOtherColorCycles = NewLabel(fraGalaxyColor, "lblOtherColorCycles", "Nebula Hue Wheel Cycling Offset  (0 - 30000):");
  lblOtherColorCycles->SetVisible(false);
  CreateGalaxyBox(*this, fraGalaxyColor, 7, true);
  lblPColor = NewLabel(fraGalaxyColor, "lblPColor", "Red, Grn, Blu (0 - 100):");
  for (int i = 0; i < 3; ++i) {
    NewField(txtPixHue, fraGalaxyColor, i, 3);
    spnPixHue.Create(fraGalaxyColor, i);
    picPixHue.Create(fraGalaxyColor, i);
  }
  lblBaseSaturation = NewLabel(fraGalaxyColor, "lblBaseSaturation", "Base, DX Blending (0 - 100):");
  NewField(txtPixHue, fraGalaxyColor, 3, 3);
  spnPixHue.Create(fraGalaxyColor, 3);
  picPixHue.Create(fraGalaxyColor, 3);
  NewField(txtPixHue, fraGalaxyColor, 4, 3);
  spnPixHue.Create(fraGalaxyColor, 4);

  cboGalaxExtras = NewCombo(&page, "cboGalaxExtras", kGalaxExtrasItems);
  for (int i = 0; i < 3; ++i) NewFrame(fraGalProp, &page, i, "Extras:");

  // Panel 0: motion, shape and colour.
  Frame& shape = fraGalProp[0];
  lblGalStyle = NewLabel(&shape, "lblGalStyle", "Style:");
  cboGalStyle = NewCombo(&shape, "cboGalStyle", kGalStyleItems);
  static constexpr GalaxyRow kRadius[] = {{0, "Radius, Rotation (1, 0 - 30,000):", {0, 1}, {true, true}},
                                          {1, "Distance (0 - 30,000), Axial Plane:", {2, -1}, {true, false}}};
  CreateGalaxyRows(*this, &shape, kRadius);
  cboGalPlane = NewCombo(&shape, "cboGalPlane", kGalPlaneItems);
  static constexpr GalaxyRow kSegments[] = {{2, "Segments (1 - 99), Fill % (0 - 100):", {3, 4}, {true, true}},
                                            {3, "Bands (1 - 99), Fill % (0 - 100):", {5, 6}, {true, true}}};
  CreateGalaxyRows(*this, &shape, kSegments);
  NewLabel(lblGalaxy, &shape, 90, "Galaxy height/width ratio (0.0 - 99.9):");
  CreateGalaxyBox(*this, &shape, 9, false);
  txtGalaxy[9].SetVisible(false);
  cmdGalLevels = NewButton(&shape, "cmdGalLevels", "...");
  cmdGalLevels->SetVisible(false);
  CreateGalaxyBox(*this, &shape, 8, false);
  CreateGalaxyBox(*this, &shape, 90, false);
  static constexpr GalaxyRow kShape[] = {
      {91, "Radius Distribution Exponent (0.0 - 99.9):", {91, -1}, {false, false}},
      {92, "Height Distribution Exponent (0.0 - 99.9):", {92, -1}, {false, false}},
      {93, "Initial Tilt Angle in Degrees (0 - 360):", {93, -1}, {false, false}},
      {94, "Tilt Angle Increment in Degrees (0.0 - 360.0):", {94, -1}, {false, false}},
      {95, "Hue Wheel, Incr. (0 - 359):", {95, 96}, {true, false}},
  };
  CreateGalaxyRows(*this, &shape, kShape);
  picGalHue = NewPicture(&shape, "picGalHue");
  cmdIFS_Chem = NewButton(&shape, "cmdIFS_Chem", "User Defined Iterated Function System...");
  cmdIFS_Chem->SetVisible(false);
  NewLabel(lblGalaxy, &shape, 96, "Galaxy Profile:");
  cboGalProfile = NewCombo(&shape, "cboGalProfile", kGalProfileItems);
  picGalProfile = NewPicture(&shape, "picGalProfile");
  // The nebula styles show these in the place of the profile row.
  chkCP_Closed = NewCheck(&shape, "chkCP_Closed", "Control Point Loop is Closed?");
  chkCP_Closed->SetVisible(false);
  chkCP_AdvHW = NewCheck(&shape, "chkCP_AdvHW", "Adv. Hues?");
  chkCP_AdvHW->SetVisible(false);

  // Panel 1: new stars, novae and pulsars.
  Frame& events = fraGalProp[1];
  static constexpr GalaxyRow kNewStars[] = {
      {10, "Frequency (0 - 9999):", {10, -1}, {false, false}},
      {11, "Cycle Down Frames (0 - 99):", {11, -1}, {false, false}},
      {12, "Maximum Extension Magnitude (1 - 9999):", {12, -1}, {false, false}},
  };
  CreateGalaxyRows(*this, &NewFrame(fraStarType, &events, 0, "New Stars"), kNewStars);
  static constexpr GalaxyRow kNovae[] = {
      {20, "Freq. (0 - 9999), Frames (1 - 999):", {20, 21}, {false, false}},
      {22, "Maximum Extension Magnitude (1 - 9999):", {22, -1}, {false, false}},
  };
  CreateGalaxyRows(*this, &NewFrame(fraStarType, &events, 1, "Nova Stars"), kNovae);
  static constexpr GalaxyRow kPulsars[] = {
      {30, "Frequency, Z-Depth (0 - 9999):", {30, 31}, {false, false}},
      {31, "Cycles, Frames per Cycle (1 - 99):", {32, 33}, {false, false}},
      {32, "Radius:  Starting, Ending (1 - 9999):", {34, 35}, {false, false}},
  };
  Frame& pulsars = NewFrame(fraStarType, &events, 2, "Pulsars");
  CreateGalaxyRows(*this, &pulsars, kPulsars);
  NewLabel(lblGalaxy, &pulsars, 33, "Generalized Shape:");
  cboPulsarShape = NewCombo(&pulsars, "cboPulsarShape", kPulsarShapeItems);

  // Panel 2: comets and their colours.
  Frame& comets = fraGalProp[2];
  fraCometProps = NewFrame(&comets, "fraCometProps", "Comet Properties");
  static constexpr GalaxyRow kComets[] = {
      {40, "Frequency (0 - 9999):", {40, -1}, {false, false}},
      {41, "Stars per Comet (1 - 999):", {41, -1}, {false, false}},
      {42, "Orbital Speed (0 - 9999):", {42, -1}, {false, false}},
      {43, "Expansion Rate (0 - 9999):", {43, -1}, {false, false}},
      {44, "Solar Wind Magnitude (0 - 9999):", {44, -1}, {false, false}},
      {45, "Comet Persistence (0.1 - 0.9999):", {45, -1}, {false, false}},
      {46, "Comet Star Persistence (0.1 - 0.9999):", {46, -1}, {false, false}},
  };
  CreateGalaxyRows(*this, fraCometProps, kComets);
  chkCometVector = NewCheck(fraCometProps, "chkCometVector", "Comet Display with Escape Trajectory:");
  fraCometColor = NewFrame(&comets, "fraCometColor", "Comet, New Star, Nova and Pulsar Colors (0 - 999)");
  static constexpr GalaxyRow kCometHues[] = {{23, "Hue Start, Hue End:", {47, 48}, {true, true}}};
  CreateGalaxyRows(*this, fraCometColor, kCometHues);
  picColNova = NewPicture(fraCometColor, "picColNova");
  static constexpr GalaxyRow kCometHueStep[] = {
      {49, "Hue Wheel Rotation Increment (0.0 - 1.0):", {49, -1}, {false, false}}};
  CreateGalaxyRows(*this, fraCometColor, kCometHueStep);
}

std::array<SpinnerRange, 20> PropsControls::SpinnerRanges() const {
  return {{
      {&txtGalaxy[0], &spnGalaxy[0], 1, 30000, 5},
      {&txtGalaxy[1], &spnGalaxy[1], 0, 30000, 5},
      {&txtGalaxy[2], &spnGalaxy[2], 0, 30000, 5},
      {&txtGalaxy[7], &spnGalaxy[7], 0, 30000, 5},
      {&txtGalaxy[47], &spnGalaxy[47], 0, 999, 3},
      {&txtGalaxy[48], &spnGalaxy[48], 0, 999, 3},
      {&txtGalaxy[95], &spnGalaxy[95], 0, 359, 3},
      {&txtUni[0], &spnUni[0], 1, 9999, 5},
      {&txtUni[1], &spnUni[1], 1, 999, 3},
      {&txtUni[2], &spnUni[2], 0, 100, 3},
      {&txtUni[3], &spnUni[3], 0, 100, 3},
      {&txtUni[16], &spnUni[16], 0, 999, 3},
      {&txtUni[17], &spnUni[17], 0, 999, 3},
      {txtUniGalPct, spnUniGalPct, 0, 9999, 4},
      {txtCompGalPct, spnCompGalPct, 0, 9999, 4},
      {&txtPixHue[0], &spnPixHue[0], 0, 100, 3},
      {&txtPixHue[1], &spnPixHue[1], 0, 100, 3},
      {&txtPixHue[2], &spnPixHue[2], 0, 100, 3},
      {&txtPixHue[3], &spnPixHue[3], 0, 100, 3},
      {&txtPixHue[4], &spnPixHue[4], 0, 100, 3},
  }};
}

int32_t PropsControls::ResolutionCount() const { return cboResolution->ListCount(); }
int32_t PropsControls::ResolutionIndex() const { return cboResolution->ListIndex(); }
void PropsControls::SetResolutionIndex(int32_t index) { cboResolution->SetListIndex(index); }
std::string PropsControls::ResolutionText() const { return cboResolution->Text(); }
int32_t PropsControls::FilterIndex() const { return cboFilterEffect->ListIndex(); }
void PropsControls::SetFilterIndex(int32_t index) { cboFilterEffect->SetListIndex(index); }
std::string PropsControls::FilterMaskText(int32_t i) const { return txtFilterRGB[i].Text(); }
void PropsControls::SetFilterMaskText(int32_t i, const std::string& text) { txtFilterRGB[i].SetText(text); }
std::string PropsControls::DesktopBlendText(int32_t i) const { return txtDesktopBlend[i].Text(); }
void PropsControls::SetDesktopBlendText(int32_t i, const std::string& text) { txtDesktopBlend[i].SetText(text); }

namespace {

// The first `count` characters of a UTF-8 text.
std::string FirstUtf8Chars(std::string_view text, size_t count) {
  size_t end = 0, chars = 0;
  for (; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) continue;  // a continuation byte
    if (chars == count) break;
    ++chars;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

void FillUniProfileList(PropsControls& c) {
  // Always 50 type items, so that the cycling modes keep their stored indices 50 and 51. A
  // list that has them already only takes the current names, keeping its selection.
  const bool refresh = c.cboUniProfile->ListCount() == 50 + static_cast<int32_t>(kUniProfileCycleItems.size());
  if (!refresh) c.cboUniProfile->Clear();
  for (int32_t i = 0; i < 50; ++i) {
    // The list lines are padded to the list's font, not to a column: the name is the line
    // without its percent, cut to its first 30 characters (not bytes).
    const std::string name = runtime::TrimBlanks(FirstUtf8Chars(ListLineName(c.lstUniGalaxy->List(i)), kProfileNameLength));
    if (refresh)
      c.cboUniProfile->SetList(i, name);
    else
      c.cboUniProfile->AddItem(name);
  }
  if (!refresh)
    for (const char* item : kUniProfileCycleItems) c.cboUniProfile->AddItem(item);
}

}  // namespace dialogs
