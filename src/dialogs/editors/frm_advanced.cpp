#include "dialogs/editors/frm_advanced.h"

#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "dialogs/properties/props_fields.h"
#include "host/screen_capture.h"
#include "host/startup.h"
#include "host/window_state.h"
#include "model/colors.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "store/values.h"

namespace dialogs {

namespace {

using controls::ControlArray;
using controls::TextBox;

constexpr const char* kSection = "Advanced";

// What the numeric boxes do with keys and the focus. Whole-number boxes take digits only,
// decimal ones one "." as well. A box with an arrow step moves by it on Up and Down, limited
// on the side of the move only; every box is clamped to lower..upper when it loses the focus,
// and again on OK when clampOnSave is set.
struct NumericBoxRule {
  bool message;  // a txtMessage box, else a txtAdv box
  int index;
  bool decimal;
  float lower, upper;
  int32_t step;  // 0: no arrow steps
  int32_t arrowLower, arrowUpper;
  bool wide;  // steps as 32-bit numbers (else 16-bit)
  bool clampOnSave;
};
constexpr NumericBoxRule kNumericBoxes[] = {
    {false, 0, false, 0, 999, 10, 0, 999, false, true},
    {false, 1, true, 0.01f, 10.0f, 0, 0, 0, false, true},
    {false, 4, false, 100, 30000, 100, 0, 30000, true, true},
    {false, 5, true, 0.1f, 9.9f, 0, 0, 0, false, true},
    {false, 9, false, 1, 100, 1, 1, 100, false, false},
    {false, 10, false, 1, 100, 1, 1, 100, false, false},
    {true, 0, false, 8, 80, 1, 8, 80, false, true},
    {true, 1, false, 0, 99, 1, 0, 99, false, true},
    {true, 2, false, 0, 359, 1, 0, 359, false, true},
    {true, 3, false, 0, 99, 1, 0, 99, false, true},
    {true, 5, false, 0, 60, 1, 0, 60, false, true},
};

const NumericBoxRule* RuleOf(bool message, int index) {
  for (const NumericBoxRule& r : kNumericBoxes)
    if (r.message == message && r.index == index) return &r;
  return nullptr;
}

// The boxes with a spinner: the range of both and the box's maximum length.
struct SpinnerPair {
  bool message;
  int index;
  int16_t lower, upper, maxLength;
};
constexpr SpinnerPair kSpinnerPairs[] = {
    {false, 0, 0, 999, 3}, {false, 4, 0, 30000, 5}, {false, 9, 1, 100, 3}, {false, 10, 1, 100, 3},
    {true, 0, 8, 80, 2},   {true, 1, 0, 99, 2},     {true, 2, 0, 359, 3},  {true, 3, 0, 99, 2},
    {true, 5, 0, 60, 2},
};

// Stored text values of the boxes, with the texts a missing value (and Defaults) gives.
struct StoredText {
  const char* name;
  const char* def;
};
constexpr StoredText kMessageValues[8] = {{"Adv_FontSize", "12"}, {"Adv_FontTOff", "2"}, {"Adv_FontHueV", "180"},
                                          {"Adv_FontHInc", "10"}, {"LockMessage", ""},   {"Adv_CMinutes", "0"},
                                          {"Adv_TimeText", ""},   {"Adv_ZeroText", ""}};
constexpr StoredText kHueWheelValues[9] = {{"Adv_HueWheel0", "100"}, {"Adv_HueWheel1", "150"}, {"Adv_HueWheel2", "180"},
                                           {"Adv_HueWheel3", "255"}, {"Adv_HueWheel4", "315"}, {"Adv_HWB_Start", "0"},
                                           {"Adv_HWB_Level", "0"},   {"Adv_HWB_BSpan", "0"},   {"Adv_HWB_Speed", "0"}};
constexpr StoredText kTimeDelay{"Adv_TimeDelay", "10"};
constexpr StoredText kFocalLength{"FocalLength", "1"};
constexpr StoredText kRandomMag{"Adv_RandomMag", "5"};
constexpr StoredText kRandomExp{"Adv_RandomExp", "2"};

// The frames' column and the buttons' column beside it, in twips.
constexpr int32_t kFrameLeft = 120, kFrameWidth = 7560, kButtonLeft = kFrameLeft + kFrameWidth + 180;
constexpr int32_t kClientWidth = kButtonLeft + 1200 + 180;

constexpr const char* kDefaultFont = "Arial";
constexpr int32_t kDefaultCaptureFiles = 100;
constexpr int32_t kDefaultsCaptureListIndex = 9;  // 10 files
// Template names are numbered with four digits; a stored count beyond them reads no further.
constexpr int32_t kMaxTemplateNames = 10000;

constexpr const char* kMultimonitorModes[3] = {"Display on Each Monitor", "Display Primary / Black Secondary",
                                               "Display Primary / Do Nothing Secondary"};

std::string TemplateFileValueName(int32_t n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "Adv_TempFile%04d", static_cast<int>(n));
  return buf;
}

std::string CheckText(const controls::CheckBox& box) { return box.Value() == 0 ? "0" : "1"; }

// A whole number in 16 or 32 bits; a number beyond them takes the nearer end.
int32_t Saturated(double v, bool wide) {
  const double lo = wide ? INT32_MIN : INT16_MIN;
  const double hi = wide ? INT32_MAX : INT16_MAX;
  if (!(v >= lo)) return static_cast<int32_t>(lo);  // NaN too
  if (v > hi) return static_cast<int32_t>(hi);
  return runtime::ToLongOr(v, static_cast<int32_t>(lo));
}

std::string CaptureNote() {
  const std::string nl = "\r\n";
  std::string name = platform::kProductName;
  for (char& ch : name)
    if (ch == ' ') ch = '_';
  return "Copy screen to Clipboard on click Spacebar." + nl + "Set the Desktop Wallpaper on click D key." + nl +
         "Capture screen to Bitmap File on click F key." + nl + "Bitmap images are saved to the directory" + nl +
         "where the screen saver keeps its captures:" + nl + "   " + host::CaptureFolderPath() + nl +
         "Image file names begin with " + name + "_ScreenCapture_" + nl + "and have a file type of bmp." + nl +
         "Select the Maximum number of bitmap files" + nl + "to save in the filename rotation.";
}

std::string BlendNote() {
  const std::string para = "\r\n\r\n";
  return std::string("Since version 5.0, ") + platform::kProductName +
         " uses a blending algorithm to achieve "
         "realistic stellar motion effects.  If you do not want motion blur "
         "in any of the Galaxies or the Universe, click the button below.  "
         "This will set the Blending Value to 0 for all of the Galaxy Types "
         "(including the Composite Types) along with the Blending during the "
         "initial Universe Burst and while traveling between the Galaxies.  " +
         para +
         "Setting the Blending value to 0 may substantially increase the "
         "overall performance of the display, depending on your hardware." +
         para +
         "You can reset the properties to the Factory Settings from the Edit Menu.  "
         "This will restore the Blending to the Galaxies and Universe expansion effects.";
}

// Twips of one screen pixel.
int32_t PxX(int32_t px) { return controls::PixelsToTwipsX(px); }
int32_t PxY(int32_t px) { return controls::PixelsToTwipsY(px); }

controls::Label& AddLabel(QWidget* parent, ControlArray<controls::Label>& labels, int index, std::string_view caption,
                          int32_t left, int32_t top, int32_t width) {
  controls::Label& l = labels.Create(parent, index);
  l.SetCaption(caption);
  l.Move(left, top, width, 285);
  return l;
}

}  // namespace

// ---- construction ----

frmAdvanced::frmAdvanced() : controls::Form(nullptr, "frmAdvanced") {
  SetCaption("Advanced Settings");
  SetHelpContextID(kAdvancedHelpContext);
  BuildControls();
  WireHandlers();
}

frmAdvanced::~frmAdvanced() { StopBeingHueSource(); }

void frmAdvanced::BuildControls() {
  using namespace controls;
  constexpr int32_t kBoxLeft = 5160, kBoxWidth = 900;

  // The delay frame comes first: its delay box is the first in the tab order.
  fraDelay = new Frame(this, "fraDelay");
  fraDelay->SetCaption("Display Enhancement / Operation Properties");
  fraDelay->Move(kFrameLeft, 120, kFrameWidth, 1500);
  AddLabel(fraDelay, lblAdv, 0, "Frame Delay in milliseconds (0 - 999):", 240, 330, 4800);
  txtAdv.Create(fraDelay, 0).Move(kBoxLeft, 300, kBoxWidth, 315);
  spnAdv.Create(fraDelay, 0).Move(kBoxLeft + kBoxWidth, 300, 255, 315);
  AddLabel(fraDelay, lblAdv, 1, "Focal Length Distance (0.01 - 10.0):", 240, 720, 4800);
  txtAdv.Create(fraDelay, 1).Move(kBoxLeft, 690, kBoxWidth, 315);
  chkMouseM = new CheckBox(fraDelay, "chkMouseM");
  chkMouseM->SetCaption("Ignore mouse moves in screen saver mode");
  chkMouseM->Move(240, 1080, 6000, 285);

  chkScreenCapture = new CheckBox(this, "chkScreenCapture");
  chkScreenCapture->SetCaption("Enable Screen Capture / Max. Files:");
  chkScreenCapture->Move(kFrameLeft, 1740, 3600, 285);
  fraScreenCapture = new Frame(this, "fraScreenCapture");
  fraScreenCapture->Move(kFrameLeft, 2040, kFrameWidth, 2040);
  cboCaptureImageBuffer = new ComboBox(fraScreenCapture, "cboCaptureImageBuffer");
  cboCaptureImageBuffer->Move(240, 240, 1200, 315);
  txtScreenCapture = new MultiLineTextBox(fraScreenCapture, "txtScreenCapture");
  txtScreenCapture->SetLocked(true);
  txtScreenCapture->Move(240, 600, 7080, 1320);
  cboCaptureImageBuffer->SetEnabled(false);
  txtScreenCapture->SetEnabled(false);

  fraGalaxyProps = new Frame(this, "fraGalaxyProps");
  fraGalaxyProps->SetCaption("Galaxies Particle Blending Properties");
  fraGalaxyProps->Move(kFrameLeft, 4200, kFrameWidth, 2520);
  fraGalaxyProps->SetVisible(false);
  // The note is longer than the frame shows in every font: a read-only box that scrolls.
  lblGalaxyBlend = new MultiLineTextBox(fraGalaxyProps, "lblGalaxyBlend");
  lblGalaxyBlend->SetLocked(true);
  lblGalaxyBlend->Move(240, 270, 7080, 1680);
  cmdSetGalaxyBlend0 = new CommandButton(fraGalaxyProps, "cmdSetGalaxyBlend0");
  cmdSetGalaxyBlend0->SetCaption("Set all Galaxy Blending Values to 0");
  cmdSetGalaxyBlend0->Move(1800, 2010, 3960, 375);

  fraMessage = new Frame(this, "fraMessage");
  fraMessage->SetCaption("On Screen Message");
  fraMessage->Move(kFrameLeft, 6840, kFrameWidth, 3600);
  AddLabel(fraMessage, lblMessage, 0, "Font:", 240, 330, 600);
  cboFont = new ComboBox(fraMessage, "cboFont");
  cboFont->Move(840, 300, 3000, 315);
  AddLabel(fraMessage, lblMessage, 1, "Size:", 4020, 330, 540);
  txtMessage.Create(fraMessage, 0).Move(4560, 300, 600, 315);
  spnMessage.Create(fraMessage, 0).Move(5160, 300, 255, 315);
  AddLabel(fraMessage, lblMessage, 2, "Vertical Offset from top (0 - 99):", 240, 720, 4200);
  txtMessage.Create(fraMessage, 1).Move(4560, 690, 600, 315);
  spnMessage.Create(fraMessage, 1).Move(5160, 690, 255, 315);
  AddLabel(fraMessage, lblMessage, 3, "Starting Hue (0 - 359), Increment (0 - 99):", 240, 1110, 4200);
  txtMessage.Create(fraMessage, 2).Move(4560, 1080, 600, 315);
  spnMessage.Create(fraMessage, 2).Move(5160, 1080, 255, 315);
  txtMessage.Create(fraMessage, 3).Move(5520, 1080, 600, 315);
  spnMessage.Create(fraMessage, 3).Move(6120, 1080, 255, 315);
  AddLabel(fraMessage, lblMessage, 4, "Text:", 240, 1500, 600);
  txtMessage.Create(fraMessage, 4).Move(840, 1440, 6480, 420);
  // The longest label of the frame: its box sits in the column of the hue increment box.
  AddLabel(fraMessage, lblMessage, 5, "Message count down minutes (0 - 60), 0=None:", 240, 1980, 5160);
  txtMessage.Create(fraMessage, 5).Move(5520, 1950, 600, 315);
  spnMessage.Create(fraMessage, 5).Move(6120, 1950, 255, 315);
  txtMessage.Create(fraMessage, 6).Move(240, 2370, 3480, 315);
  txtMessage.Create(fraMessage, 7).Move(3840, 2370, 3480, 315);
  lblMsgSubText = new Label(fraMessage, "lblMsgSubText");
  lblMsgSubText->SetWordWrap(true);
  lblMsgSubText->SetCaption(
      "Substitution text for countdown minutes.  For example:  Class will resume in X.  Message will be:  "
      "Class will resume in 5 minutes. / Text when count down is 0.");
  lblMsgSubText->SetAlignment(0);  // wraps to three lines from the top
  lblMsgSubText->Move(240, 2730, 7080, 780);

  cmdOK = new CommandButton(this, "cmdOK");
  cmdOK->SetCaption("OK");
  cmdOK->Move(kButtonLeft, 240, 1200, 375);
  cmdDismiss = new CommandButton(this, "cmdDismiss");
  cmdDismiss->SetCaption("Cancel");
  cmdDismiss->Move(kButtonLeft, 720, 1200, 375);
  cmdDefaults = new CommandButton(this, "cmdDefaults");
  cmdDefaults->SetCaption("&Defaults");
  cmdDefaults->Move(kButtonLeft, 1200, 1200, 375);
  cmdHelp = new CommandButton(this, "cmdHelp");
  cmdHelp->SetCaption("&Help");
  cmdHelp->Move(kButtonLeft, 1680, 1200, 375);
  SetDefaultButton(cmdOK);
  SetCancelButton(cmdDismiss);

  // Below the window's lower edge.
  constexpr int32_t kBelow = 10800;
  chkRandom = new CheckBox(this, "chkRandom");
  chkRandom->SetCaption("Randomize Properties");
  chkRandom->Move(kFrameLeft, kBelow, 3000, 285);

  // The hidden frames.
  fraExtraGalaxies = new Frame(this, "fraExtraGalaxies");
  fraExtraGalaxies->Move(kFrameLeft, kBelow + 360, kFrameWidth, 900);
  AddLabel(fraExtraGalaxies, lblAdv, 9, "Randomization Magnitude (1 - 100):", 240, 180, 4800);
  txtAdv.Create(fraExtraGalaxies, 9).Move(kBoxLeft, 150, kBoxWidth, 315);
  spnAdv.Create(fraExtraGalaxies, 9).Move(kBoxLeft + kBoxWidth, 150, 255, 315);
  AddLabel(fraExtraGalaxies, lblAdv, 10, "Bias Exponent to Normal (1 - 100):", 240, 540, 4800);
  txtAdv.Create(fraExtraGalaxies, 10).Move(kBoxLeft, 510, kBoxWidth, 315);
  spnAdv.Create(fraExtraGalaxies, 10).Move(kBoxLeft + kBoxWidth, 510, 255, 315);
  fraExtraGalaxies->SetVisible(false);

  chkThemes = new CheckBox(this, "chkThemes");
  chkThemes->SetCaption("Cycle Themes / Templates:");
  chkThemes->Move(kFrameLeft, kBelow + 1320, 3000, 285);
  chkThemes->SetVisible(false);
  fraExtraCycleThemes = new Frame(this, "fraExtraCycleThemes");
  fraExtraCycleThemes->Move(kFrameLeft, kBelow + 1620, kFrameWidth, 3600);
  cboMultimonitor = new ComboBox(fraExtraCycleThemes, "cboMultimonitor");
  cboMultimonitor->Move(240, 180, 4200, 315);
  chkDispThemeName = new CheckBox(fraExtraCycleThemes, "chkDispThemeName");
  chkDispThemeName->SetCaption("Display Theme / Template Name On Screen ");
  chkDispThemeName->Move(240, 540, 4200, 285);
  AddLabel(fraExtraCycleThemes, lblAdv, 4, "Frames per Theme (100 - 30000):", 240, 900, 4200);
  txtAdv.Create(fraExtraCycleThemes, 4).Move(kBoxLeft, 870, kBoxWidth, 315);
  spnAdv.Create(fraExtraCycleThemes, 4).Move(kBoxLeft + kBoxWidth, 870, 255, 315);
  AddLabel(fraExtraCycleThemes, lblAdv, 5, "Performance Multiplier (0.1 - 9.9):", 240, 1260, 4200);
  txtAdv.Create(fraExtraCycleThemes, 5).Move(kBoxLeft, 1230, kBoxWidth, 315);
  cboCycleStyle = new ComboBox(fraExtraCycleThemes, "cboCycleStyle");
  cboCycleStyle->Move(240, 1620, 3000, 315);
  cmdToggleThemeView = new CommandButton(fraExtraCycleThemes, "cmdToggleThemeView");
  cmdToggleThemeView->SetCaption("Select Themes for Cycling:");
  cmdToggleThemeView->Move(3360, 1620, 3960, 315);
  lstThemes = new ListBox(fraExtraCycleThemes, "lstThemes");
  lstThemes->Move(240, 2040, 7080, 1440);
  drvTemplates = new controls::DriveListBox(fraExtraCycleThemes, "drvTemplates");
  drvTemplates->Move(240, 2040, 2200, 315);
  dirTemplates = new controls::DirListBox(fraExtraCycleThemes, "dirTemplates");
  dirTemplates->Move(240, 2400, 3400, 1080);
  filTemplates = new controls::FileListBox(fraExtraCycleThemes, "filTemplates", -1, ListBox::Style::CheckBoxes);
  filTemplates->Move(3760, 2040, 3560, 1440);
  drvTemplates->SetVisible(false);
  dirTemplates->SetVisible(false);
  filTemplates->SetVisible(false);
  txtAdv[4].SetText("1000");
  txtAdv[5].SetText("1.0");
  fraExtraCycleThemes->SetVisible(false);

  fraHueWheel = new Frame(this, "fraHueWheel");
  fraHueWheel->Move(kFrameLeft, kBelow + 5400, kFrameWidth, 1800);
  for (int i = 0; i < 9; ++i) txtHueWheel.Create(fraHueWheel, i).Move(240 + i * 780, 300, 660, 315);
  picHueWheel = new PictureBox(fraHueWheel, "picHueWheel");
  picHueWheel->Move(240, 720, PxX(87), PxY(87));
  picHueWheel->SetVisible(false);
  imgHueWheel = new Image(fraHueWheel, "imgHueWheel");
  imgHueWheel->Move(2400, 720, PxX(87), PxY(87));
  fraHueWheel->SetVisible(false);
}

void frmAdvanced::WireHandlers() {
  for (const auto& [i, box] : txtAdv) {
    const int index = i;
    box->KeyPress = [this, index](int& key) { txtAdv_KeyPress(index, key); };
    box->KeyDown = [this, index](int& key, int) { NumericBox_KeyDown(txtAdv, index, key); };
    box->Change = [this, index] { txtAdv_Change(index); };
    box->GotFocus = [] { controls::SelectAllText(); };
    box->LostFocus = [this, index] { NumericBox_LostFocus(txtAdv, index); };
  }
  for (const auto& [i, box] : txtMessage) {
    const int index = i;
    box->KeyPress = [this, index](int& key) { txtMessage_KeyPress(index, key); };
    box->KeyDown = [this, index](int& key, int) { NumericBox_KeyDown(txtMessage, index, key); };
    box->Change = [this, index] { txtMessage_Change(index); };
    box->GotFocus = [] { controls::SelectAllText(); };
    box->LostFocus = [this, index] { NumericBox_LostFocus(txtMessage, index); };
  }
  for (const auto& [i, spinner] : spnAdv) {
    const int index = i;
    spinner->Change = [this, index] { spnAdv_Change(index); };
  }
  for (const auto& [i, spinner] : spnMessage) {
    const int index = i;
    spinner->Change = [this, index] { spnMessage_Change(index); };
  }
  for (const auto& [i, box] : txtHueWheel) {
    const int index = i;
    box->KeyPress = [](int& key) { controls::NumericKeyPress(key); };
    box->GotFocus = [] { controls::SelectAllText(); };
    box->LostFocus = [this, index] { txtHueWheel_LostFocus(index); };
  }
  cboFont->Click = [this] { ApplyMessageFontPreview(); };
  chkScreenCapture->Click = [this] { chkScreenCapture_Click(); };
  chkRandom->Click = [this] { chkRandom_Click(); };
  drvTemplates->Change = [this] { dirTemplates->SetPath(drvTemplates->Drive()); };
  dirTemplates->Change = [this] { filTemplates->SetPath(dirTemplates->Path()); };
  cmdToggleThemeView->Click = [this] { cmdToggleThemeView_Click(); };
  cmdSetGalaxyBlend0->Click = [this] { cmdSetGalaxyBlend0_Click(); };
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdDefaults->Click = [this] { cmdDefaults_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
}

std::string frmAdvanced::HueWheelText(int index) const { return txtHueWheel[index].Text(); }

// ---- set-up, load and save ----

void frmAdvanced::Form_Load() {
  model::SetAdvancedHueWheelFields(this);
  // Sized first: the position is centred or fitted onto the screen by the window's size.
  // The window ends five screen pixels below the message frame.
  SetClientSize(kClientWidth, fraMessage->Top() + fraMessage->Height() + PxY(5));
  host::RestoreWindowState(*this, kAdvancedWindowSection, false);
  UpdateFeatureControls();
  txtScreenCapture->SetText(CaptureNote());
  cboCaptureImageBuffer->Clear();
  for (int32_t n = 1; n <= 100; ++n) cboCaptureImageBuffer->AddItem(runtime::LongToText(n));
  cboMultimonitor->Clear();
  for (const char* mode : kMultimonitorModes) cboMultimonitor->AddItem(mode);
  fraGalaxyProps->SetVisible(true);
  lblGalaxyBlend->SetText(BlendNote());
  filTemplates->SetPattern("*." + host::startup().TemplateExtension);
  for (const SpinnerPair& p : kSpinnerPairs) {
    ControlArray<TextBox>& boxes = p.message ? txtMessage : txtAdv;
    ControlArray<controls::Spinner>& spinners = p.message ? spnMessage : spnAdv;
    controls::SyncTextToScroll(boxes[p.index], spinners[p.index], p.lower, p.upper, p.maxLength, 0);
  }
  LoadAdvancedSettings();
}

void frmAdvanced::LoadAdvancedSettings() {
  using store::GetSettingLong;
  using store::GetSettingString;
  controls::FillListBox(*cboFont);
  txtAdv[0].SetText(GetSettingString(kSection, kTimeDelay.name, kTimeDelay.def));
  // Stored with either separator; always shown and stored with ".".
  txtAdv[1].SetText(store::ReplaceDecimalSeparator(GetSettingString(kSection, kFocalLength.name, kFocalLength.def)));
  SelectFont(GetSettingString(kSection, "Adv_FontName", kDefaultFont));
  for (int i = 0; i < 8; ++i) txtMessage[i].SetText(GetSettingString(kSection, kMessageValues[i].name, kMessageValues[i].def));
  // A state the check box cannot take leaves it as it is (unchecked).
  chkRandom->SetValue(GetSettingLong(kSection, "Adv_Randomize", 0));
  txtAdv[9].SetText(GetSettingString(kSection, kRandomMag.name, kRandomMag.def));
  txtAdv[10].SetText(GetSettingString(kSection, kRandomExp.name, kRandomExp.def));
  chkMouseM->SetValue(GetSettingLong(kSection, "Adv_MouseMove", 0));
  chkScreenCapture->SetValue(GetSettingLong(kSection, "Adv_ScreenCapt", 0));
  chkDispThemeName->SetValue(GetSettingLong(kSection, "Adv_DispTempName", 0));
  // A position outside a list leaves it without a selection.
  cboMultimonitor->SetListIndex(GetSettingLong(kSection, "Adv_MultiMonitor", 0));
  const int32_t files = GetSettingLong(kSection, "Adv_ImageBufferMax", kDefaultCaptureFiles);
  if (files > INT32_MIN) cboCaptureImageBuffer->SetListIndex(files - 1);

  // A drive or folder that does not exist leaves its list where it was; without a stored
  // folder the list stays in the drive's current folder.
  drvTemplates->SetDrive(GetSettingString(kSection, "Adv_TempDrive", "C:"));
  dirTemplates->SetPath(GetSettingString(kSection, "Adv_TempDirectory", dirTemplates->Path()));
  const int32_t names = std::min(GetSettingLong(kSection, "Adv_TempFileCount", 0), kMaxTemplateNames);
  for (int32_t i = 0; i < names; ++i) {
    const std::string name = GetSettingString(kSection, TemplateFileValueName(i), "");
    for (int32_t j = 0; j < filTemplates->ListCount(); ++j)
      if (filTemplates->List(j) == name) filTemplates->SetSelected(j, true);
  }

  for (int i = 0; i < 9; ++i) txtHueWheel[i].SetText(GetSettingString(kSection, kHueWheelValues[i].name, kHueWheelValues[i].def));
  ApplyHueWheelBoxes();
}

bool frmAdvanced::SaveAdvancedSettings() {
  for (const NumericBoxRule& r : kNumericBoxes)
    if (r.clampOnSave) controls::ClampTextBox((r.message ? txtMessage : txtAdv)[r.index], r.decimal ? 1 : 0, r.lower, r.upper);

  store::SettingsBatch batch;
  if (!batch.begun()) return false;
  auto save = [](std::string_view name, const std::string& value) { store::SaveRegSetting(kSection, name, value); };
  save(kTimeDelay.name, txtAdv[0].Text());
  save(kFocalLength.name, txtAdv[1].Text());
  save("Adv_FontName", cboFont->Text());
  for (int i = 0; i < 8; ++i) save(kMessageValues[i].name, runtime::TrimBlanks(txtMessage[i].Text()));
  save("Adv_Randomize", CheckText(*chkRandom));
  save(kRandomMag.name, txtAdv[9].Text());
  save(kRandomExp.name, txtAdv[10].Text());
  save("Adv_MouseMove", CheckText(*chkMouseM));
  save("Adv_ScreenCapt", CheckText(*chkScreenCapture));
  save("Adv_DispTempName", CheckText(*chkDispThemeName));
  save("Adv_MultiMonitor", runtime::LongToText(cboMultimonitor->ListIndex()));
  save("Adv_ImageBufferMax", runtime::LongToText(cboCaptureImageBuffer->ListIndex() + 1));
  save("Adv_TempDrive", drvTemplates->Drive());
  save("Adv_TempDirectory", dirTemplates->Path());
  int32_t n = 0;
  for (int32_t j = 0; j < filTemplates->ListCount(); ++j) {
    if (!filTemplates->Selected(j)) continue;
    save(TemplateFileValueName(n), filTemplates->List(j));
    ++n;
  }
  save("Adv_TempFileCount", runtime::LongToText(n));
  for (int i = 0; i < 9; ++i) save(kHueWheelValues[i].name, txtHueWheel[i].Text());
  return batch.Commit();
}

// ---- lifecycle ----

void frmAdvanced::showEvent(QShowEvent* e) {
  controls::Form::showEvent(e);
  // Without a window manager nothing else gives the window the keyboard.
  activateWindow();
  if (!activated_) {
    activated_ = true;
    txtAdv[0].SetFocus();
  }
}

void frmAdvanced::Form_Unload(int& Cancel) {
  (void)Cancel;
  StopBeingHueSource();
  host::SaveWindowState(*this, kAdvancedWindowSection);
}

void frmAdvanced::StopBeingHueSource() {
  if (model::AdvancedHueWheelFields() == this) model::SetAdvancedHueWheelFields(nullptr);
}

void frmAdvanced::cmdOK_Click() {
  // The box that has the focus loses it now, so its clamp runs before the save.
  cmdOK->SetFocus();
  QCoreApplication::processEvents();
  // A Cancel or close queued behind the click has closed the window meanwhile: nothing is saved.
  if (!IsLoaded()) return;
  if (!store::TestRegistryWrite()) return;
  if (!SaveAdvancedSettings()) {
    store::ShowRegistryReadOnlyMessage();
    return;
  }
  Unload();
}

void frmAdvanced::cmdDismiss_Click() { Unload(); }

void frmAdvanced::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kAdvancedHelpContext); }

void frmAdvanced::cmdSetGalaxyBlend0_Click() {
  if (props_ == nullptr) return;
  props_->SetUniText(2, "0");
  props_->SetUniText(3, "0");
  props_->CopyPropValueToAllGalaxyTypes(4, 0.0f);
}

void frmAdvanced::cmdDefaults_Click() {
  SelectFont(kDefaultFont);
  txtAdv[0].SetText(kTimeDelay.def);
  txtAdv[1].SetText(kFocalLength.def);
  for (int i = 0; i < 8; ++i) txtMessage[i].SetText(kMessageValues[i].def);
  txtAdv[9].SetText(kRandomMag.def);
  txtAdv[10].SetText(kRandomExp.def);
  chkRandom->SetValue(0);
  chkMouseM->SetValue(0);
  cboCaptureImageBuffer->SetListIndex(kDefaultsCaptureListIndex);
  chkDispThemeName->SetValue(0);
  cboMultimonitor->SetListIndex(0);
  for (int i = 0; i < 9; ++i) txtHueWheel[i].SetText(kHueWheelValues[i].def);
  ApplyHueWheelBoxes();
}

void frmAdvanced::cmdToggleThemeView_Click() {
  themeView_ = !themeView_;
  lstThemes->SetVisible(!themeView_);
  drvTemplates->SetVisible(themeView_);
  dirTemplates->SetVisible(themeView_);
  filTemplates->SetVisible(themeView_);
  cmdToggleThemeView->SetCaption(std::string("Select ") + (themeView_ ? "Templates" : "Themes") + " for Cycling:");
}

// ---- editing ----

void frmAdvanced::UpdateFeatureControls() {
  controls::EnableContainerControls(*fraMessage, true);
  controls::EnableContainerControls(*fraHueWheel, true);
  chkScreenCapture->SetEnabled(true);
  chkThemes->SetEnabled(true);
  cmdToggleThemeView->SetEnabled(true);
  controls::EnableContainerControls(*fraExtraCycleThemes, chkThemes->Value() == 1);
}

void frmAdvanced::chkScreenCapture_Click() {
  const bool on = chkScreenCapture->Value() == 1;
  cboCaptureImageBuffer->SetEnabled(on);
  txtScreenCapture->SetEnabled(on);
}

void frmAdvanced::chkRandom_Click() { controls::EnableContainerControls(*fraExtraGalaxies, chkRandom->Value() == 1); }

void frmAdvanced::txtAdv_KeyPress(int Index, int& KeyAscii) {
  const NumericBoxRule* r = RuleOf(false, Index);
  if (r == nullptr) return;
  if (r->decimal)
    controls::DecimalKeyPress(txtAdv[Index], KeyAscii);
  else
    controls::NumericKeyPress(KeyAscii);
}

void frmAdvanced::txtMessage_KeyPress(int Index, int& KeyAscii) {
  // The message texts take every key.
  if (RuleOf(true, Index) != nullptr) controls::NumericKeyPress(KeyAscii);
}

void frmAdvanced::NumericBox_KeyDown(ControlArray<TextBox>& boxes, int Index, int KeyCode) {
  const NumericBoxRule* r = RuleOf(&boxes == &txtMessage, Index);
  if (r == nullptr || r->step == 0) return;
  if (KeyCode != controls::keys::kUp && KeyCode != controls::keys::kDown) return;
  const double v = runtime::Val(boxes[Index].Text());
  int32_t next = 0;
  if (KeyCode == controls::keys::kUp)
    next = std::min(Saturated(v + r->step, r->wide), r->arrowUpper);
  else
    next = std::max(Saturated(v - r->step, r->wide), r->arrowLower);
  boxes[Index].SetText(runtime::LongToText(next));
}

void frmAdvanced::NumericBox_LostFocus(ControlArray<TextBox>& boxes, int Index) {
  if (const NumericBoxRule* r = RuleOf(&boxes == &txtMessage, Index))
    controls::ClampTextBox(boxes[Index], r->decimal ? 1 : 0, r->lower, r->upper);
}

namespace {
// The spinner of a box follows the box's number when it is a 16-bit number in its range.
void SpinnerFollowsBox(const ControlArray<TextBox>& boxes, const ControlArray<controls::Spinner>& spinners, int Index) {
  controls::Spinner* spinner = spinners.Find(Index);
  if (spinner == nullptr) return;
  if (const std::optional<int16_t> v = runtime::ToInteger(runtime::Val(boxes[Index].Text()))) spinner->SetValue(*v);
}
}  // namespace

void frmAdvanced::txtAdv_Change(int Index) { SpinnerFollowsBox(txtAdv, spnAdv, Index); }

void frmAdvanced::txtMessage_Change(int Index) {
  SpinnerFollowsBox(txtMessage, spnMessage, Index);
  if (Index == 0 || Index == 2) ApplyMessageFontPreview();
}

void frmAdvanced::spnAdv_Change(int Index) { txtAdv[Index].SetText(runtime::LongToText(spnAdv[Index].Value())); }

void frmAdvanced::spnMessage_Change(int Index) {
  txtMessage[Index].SetText(runtime::LongToText(spnMessage[Index].Value()));
  if (Index == 0 || Index == 2) ApplyMessageFontPreview();
}

void frmAdvanced::txtHueWheel_LostFocus(int Index) {
  auto clamp = [this](int k, int32_t lower, int32_t upper) {
    controls::ClampTextBox(txtHueWheel[k], 0, static_cast<float>(lower), static_cast<float>(upper));
  };
  auto number = [this](int k) { return runtime::LeadingWholeClamped(txtHueWheel[k].Text(), 0, 360); };
  if (Index >= 0 && Index <= 4) {
    // The five divisions stay in ascending order around the edited one.
    clamp(Index, 0, 360);
    for (int k = Index - 1; k >= 0; --k) clamp(k, 0, number(k + 1));
    for (int k = Index + 1; k <= 4; ++k) clamp(k, number(k - 1), 360);
  } else if (Index == 5) {
    clamp(5, 0, 360);
  } else if (Index == 6) {
    clamp(6, 0, 100);
  } else {
    clamp(Index, 0, 9999);
  }
  ApplyHueWheelBoxes();
}

void frmAdvanced::ApplyHueWheelBoxes() {
  model::LoadHueWheelSettings(this);
  engine::BuildHueConeColors(disc_);
}

void frmAdvanced::SelectFont(std::string_view name) {
  int32_t index = controls::ListIndexOfText(*cboFont, name);
  if (cboFont->List(index) != name) {
    // Not listed: a Windows face ("Arial", "Courier New") is the metric-compatible face that
    // stands in for it here, when that is listed; any other name, the first font of the list.
    const std::string_view standIn = controls::MetricCompatibleFamily(name);
    index = standIn.empty() ? 0 : controls::ListIndexOfText(*cboFont, standIn);
  }
  cboFont->SetListIndex(index);
}

void frmAdvanced::ApplyMessageFontPreview() {
  const QString family = controls::ToQString(cboFont->Text());
  const std::optional<int16_t> size = runtime::ToInteger(runtime::Val(txtMessage[0].Text()));
  const int32_t hue = Saturated(runtime::Val(txtMessage[2].Text()), true);
  for (int i : {4, 7}) {
    TextBox& box = txtMessage[i];
    QFont font = box.font();
    font.setFamily(family);
    // Only the message takes the size; a size the font cannot take leaves it as it was.
    if (i == 4 && size && *size > 0) font.setPointSize(*size);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    box.setFont(font);
    box.SetForeColor(static_cast<uint32_t>(model::ToDisplayColorOrder(model::HueToColor(hue))));
  }
}

void ShowAdvancedWindow(PropsFields& props) {
  auto* window = new frmAdvanced;
  window->FormLet(&props);
  window->ShowModal();
  window->Release();
}

}  // namespace dialogs
