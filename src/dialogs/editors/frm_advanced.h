// The "Advanced Settings" window: the only editor of section "Advanced" of the settings.
//
// The user edits the frame delay and focal length, the mouse-move and screen-capture options,
// the on-screen message with its font, hue, offset and count-down texts, and can set every
// blending value of the Properties dialog to 0. Three frames stay hidden: the hue wheel
// divisions with the brightness bubble, the theme cycling options (multi-monitor mode, theme
// name, template selection) and the randomize values; the window loads, resets and stores them
// without letting the user edit them.
//
// OK (the default button) stores every value once the settings store has passed its write
// probe; a store that refuses a write keeps the window open with the edits and stores nothing.
// Cancel (the cancel button) and the close box store nothing. While the window is open it is
// the engine's source of hue wheel settings (its nine hue boxes); however it closes, it stops
// being that source and keeps its position under "General\Advanced".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/properties/hue_fields.h"
#include "model/hue_wheel.h"
#include "platform/controls/controls.h"
#include "platform/controls/file_lists.h"

namespace dialogs {

class PropsFields;

inline constexpr int32_t kAdvancedHelpContext = 8000;
inline constexpr const char* kAdvancedWindowSection = "General\\Advanced";

class frmAdvanced : public controls::Form, public model::HueWheelFields {
 public:
  frmAdvanced();
  ~frmAdvanced() override;

  // The Properties dialog whose blending fields the blending reset writes (may be null: the
  // reset then changes nothing outside this window).
  void FormLet(PropsFields* props) { props_ = props; }

  // The engine's view of the nine hue boxes.
  std::string HueWheelText(int index) const override;

  // Visible frames and their controls.
  controls::Frame* fraDelay = nullptr;
  controls::Frame* fraScreenCapture = nullptr;
  controls::Frame* fraGalaxyProps = nullptr;
  controls::Frame* fraMessage = nullptr;
  controls::ControlArray<controls::TextBox> txtAdv{"txtAdv"};
  controls::ControlArray<controls::Spinner> spnAdv{"spnAdv"};
  controls::ControlArray<controls::TextBox> txtMessage{"txtMessage"};
  controls::ControlArray<controls::Spinner> spnMessage{"spnMessage"};
  controls::ControlArray<controls::Label> lblAdv{"lblAdv"};
  controls::ControlArray<controls::Label> lblMessage{"lblMessage"};
  controls::ComboBox* cboFont = nullptr;
  controls::ComboBox* cboCaptureImageBuffer = nullptr;
  controls::CheckBox* chkMouseM = nullptr;
  controls::CheckBox* chkScreenCapture = nullptr;
  controls::CheckBox* chkRandom = nullptr;
  controls::MultiLineTextBox* txtScreenCapture = nullptr;
  controls::MultiLineTextBox* lblGalaxyBlend = nullptr;  // the blending note, read-only
  controls::Label* lblMsgSubText = nullptr;
  controls::CommandButton* cmdSetGalaxyBlend0 = nullptr;
  controls::CommandButton* cmdOK = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;
  controls::CommandButton* cmdDefaults = nullptr;
  controls::CommandButton* cmdHelp = nullptr;

  // Hidden frames and their controls.
  controls::Frame* fraHueWheel = nullptr;
  controls::Frame* fraExtraCycleThemes = nullptr;
  controls::Frame* fraExtraGalaxies = nullptr;
  controls::ControlArray<controls::TextBox> txtHueWheel{"txtHueWheel"};
  controls::PictureBox* picHueWheel = nullptr;
  controls::Image* imgHueWheel = nullptr;
  controls::ComboBox* cboMultimonitor = nullptr;
  controls::CheckBox* chkDispThemeName = nullptr;
  controls::CheckBox* chkThemes = nullptr;
  controls::DriveListBox* drvTemplates = nullptr;
  controls::DirListBox* dirTemplates = nullptr;
  controls::FileListBox* filTemplates = nullptr;
  controls::CommandButton* cmdToggleThemeView = nullptr;
  controls::ListBox* lstThemes = nullptr;
  controls::ComboBox* cboCycleStyle = nullptr;

  // Buttons.
  void cmdOK_Click();
  void cmdDismiss_Click();
  void cmdDefaults_Click();
  void cmdSetGalaxyBlend0_Click();
  void cmdHelp_Click();
  void cmdToggleThemeView_Click();
  bool ThemeView() const { return themeView_; }

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void WireHandlers();
  void LoadAdvancedSettings();
  // Clamps the numeric boxes and writes the section in one batch; false when a write failed
  // (nothing is then stored).
  bool SaveAdvancedSettings();
  void UpdateFeatureControls();
  void ApplyMessageFontPreview();
  // Selects the font of that name when it is listed; else, for a Windows face, its
  // metric-compatible stand-in when that is listed; else the first font of the list.
  void SelectFont(std::string_view name);
  // The engine's hue wheel values from the nine hue boxes, and the hue picture redrawn.
  void ApplyHueWheelBoxes();
  void StopBeingHueSource();

  void txtAdv_KeyPress(int Index, int& KeyAscii);
  void txtMessage_KeyPress(int Index, int& KeyAscii);
  void NumericBox_KeyDown(controls::ControlArray<controls::TextBox>& boxes, int Index, int KeyCode);
  void NumericBox_LostFocus(controls::ControlArray<controls::TextBox>& boxes, int Index);
  void txtAdv_Change(int Index);
  void txtMessage_Change(int Index);
  void spnAdv_Change(int Index);
  void spnMessage_Change(int Index);
  void txtHueWheel_LostFocus(int Index);
  void chkScreenCapture_Click();
  void chkRandom_Click();

  PropsFields* props_ = nullptr;
  // The hidden hue picture as the engine draws into it, mirrored by imgHueWheel.
  HueWheelPicture disc_{picHueWheel, imgHueWheel};
  bool themeView_ = false;
  bool activated_ = false;
};

// Creates the window, shows it modally for the Properties dialog and releases it once it has
// closed.
void ShowAdvancedWindow(PropsFields& props);

}  // namespace dialogs
