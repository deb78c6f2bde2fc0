// Every control of the Properties window, by its name: the window-level frames and buttons,
// the hue cone, display, property copy and preview frames on the left, the universe frame and
// the two pages (galaxy, universe) with their "Extras:" panels on the right, and the menus.
//
// PropsControls creates them all inside a given window (a controls::Form) with their captions,
// design texts, maximum lengths and fixed list items, but places nothing and attaches no
// handler: the Properties window lays them out and wires the handlers, and each group of
// fields exports the function that attaches its own. A plain controls::Form holding a
// PropsControls is enough to drive any group's handlers offscreen.
//
// Controls are created in reading order (left column top to bottom, then the right column),
// which is the window's tab order.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/display_settings.h"
#include "host/picture_box.h"
#include "platform/controls/controls.h"

namespace dialogs {

// The cone disc's drawing size in pixels (picHueWheel); imgHueWheel shows it at its own size.
inline constexpr int32_t kConeDiscPixels = 87;

// One text box with its spinner, as the load couples them.
struct SpinnerRange {
  controls::TextBox* box;
  controls::Spinner* spinner;
  int16_t lower, upper, maxLength;
};

struct PropsControls : public host::DisplayFields {
  explicit PropsControls(controls::Form& window);
  PropsControls(const PropsControls&) = delete;
  PropsControls& operator=(const PropsControls&) = delete;

  controls::Form& form;

  // Window level.
  controls::Line* linDark;
  controls::Line* linLight;
  controls::Frame* fraColorProps;
  controls::Frame* fraDirectX;
  controls::Frame* fraPropCopy;
  controls::Frame* fraPreview;
  controls::CommandButton* cmdAccept;
  controls::CommandButton* cmdDismiss;
  controls::Frame* fraUniverseProps;
  // 0 the galaxy page "Galaxy Properties", 1 the universe page "Universe Galaxies".
  controls::ControlArray<controls::Frame> fraAni{"fraAni"};

  // Menus: items are addressed by their position, separators included.
  controls::Menu* mnuFile;
  controls::Menu* mnuEdit;
  controls::Menu* mnuHelp;
  controls::ControlArray<controls::MenuItem> mnuFileArray{"mnuFileArray"};
  controls::ControlArray<controls::MenuItem> mnuEditArray{"mnuEditArray"};
  controls::ControlArray<controls::MenuItem> mnuHelpArray{"mnuHelpArray"};

  // Hue cone (fraColorProps).
  controls::ControlArray<controls::Frame> fraHueProps{"fraHueProps"};
  controls::ControlArray<controls::Label> lblColorProps{"lblColorProps"};
  controls::ControlArray<controls::TextBox> txtColorProps{"txtColorProps"};
  controls::ControlArray<controls::Spinner> spnHue{"spnHue"};
  // The hidden picture the cone disc is drawn in (87 x 87 pixels), and the image that shows it.
  controls::PictureBox* picHueWheel;
  controls::Image* imgHueWheel;

  // Display (fraDirectX).
  controls::ComboBox* cboResolution;
  controls::Label* lblFilteringEffect;
  controls::ComboBox* cboFilterEffect;
  controls::Label* lblFilterRGB;
  controls::ControlArray<controls::TextBox> txtFilterRGB{"txtFilterRGB"};
  controls::Label* lblDesktopPercent;
  controls::ControlArray<controls::TextBox> txtDesktopBlend{"txtDesktopBlend"};

  // Universe fields: frames fraDirectX (2, 3), fraUniverseProps (0, 1) and the universe panels.
  controls::ControlArray<controls::Label> lblUni{"lblUni"};
  controls::ControlArray<controls::TextBox> txtUni{"txtUni"};
  controls::ControlArray<controls::Spinner> spnUni{"spnUni"};

  // Property copy (fraPropCopy).
  controls::Label* lblPropCopyPick;
  controls::ComboBox* cboPropCopyList;
  controls::Label* lblPropCopy;
  controls::TextBox* txtPropCopy;
  controls::ComboBox* cboPropCopy;
  controls::CheckBox* chkPropCopy;
  controls::CommandButton* cmdPropCopy;

  // Preview (fraPreview).
  controls::ControlArray<controls::CommandButton> cmdCaptureImage{"cmdCaptureImage"};
  host::PictureBox* picPreview;
  host::PictureBox* picScreenCapture;

  // Universe frame (fraUniverseProps).
  controls::CommandButton* cmdSetThemes;

  // Universe page (fraAni(1)).
  controls::Frame* fraGalaxyTypes;
  controls::ListBox* lstUniGalaxy;
  controls::CommandButton* cmdGalProps;
  controls::CommandButton* cmdPreviewGal;
  controls::CommandButton* cmdResetGalPct;
  controls::TextBox* txtResetGalPct;
  controls::Label* lblGalNamePct;
  controls::TextBox* txtUniGalName;
  controls::TextBox* txtUniGalPct;
  controls::Spinner* spnUniGalPct;
  controls::CommandButton* cmdGalCommit;
  controls::Label* lblUniTheme;
  controls::ComboBox* cboUniTheme;
  controls::ComboBox* cboUniExtras;
  controls::ControlArray<controls::Frame> fraUniProp{"fraUniProp"};
  // Panel 0, universe creation.
  controls::PictureBox* picColUni;
  controls::ComboBox* cboUniProfile;
  // A stored profile that cboUniProfile has no line for, as loaded ("" when the list shows the
  // stored value): stored back unchanged until a line is chosen (cboUniProfile's Click).
  std::string uniProfileUnlisted;
  controls::PictureBox* picUniProfile;
  controls::CommandButton* cmdPreviewUni;
  // Panel 1, new and ambient stars.
  controls::Frame* fraAmbient;
  // Panel 2, the tour.
  controls::CheckBox* chkUniTour;
  controls::Frame* fraUniTour;
  controls::CheckBox* chkVisitSeq;
  controls::Frame* fraTripScript;
  controls::ComboBox* cboTourGalaxies;
  controls::CheckBox* chkRotCamera;
  controls::Frame* fraRotCam;
  // Panel 3, composites.
  controls::ListBox* lstCompGalaxy;
  controls::CommandButton* cmdPreviewComp;
  controls::CommandButton* cmdResetCompPct;
  controls::TextBox* txtResetCompPct;
  controls::TextBox* txtCompGalName;
  controls::TextBox* txtCompGalPct;
  controls::Spinner* spnCompGalPct;
  controls::CommandButton* cmdCompCommit;
  controls::Label* lblCompMajor;
  controls::ComboBox* cboCompMajor;
  controls::Label* lblCompMinor;
  controls::ListBox* lstCompMinor;
  // Panel 4, gravity.
  controls::Label* lblGravityWarning;

  // Galaxy page (fraAni(0)).
  controls::Label* lblGalTheme;
  controls::ComboBox* cboGalTheme;
  controls::CommandButton* cmdAcceptGalProps;
  controls::Frame* fraGalaxyColor;
  controls::ComboBox* cboGalColor;
  controls::Label* lblOtherColorCycles;
  controls::Label* lblPColor;
  controls::Label* lblBaseSaturation;
  controls::ControlArray<controls::TextBox> txtPixHue{"txtPixHue"};
  controls::ControlArray<controls::Spinner> spnPixHue{"spnPixHue"};
  controls::ControlArray<controls::PictureBox> picPixHue{"picPixHue"};
  controls::ComboBox* cboGalaxExtras;
  controls::ControlArray<controls::Frame> fraGalProp{"fraGalProp"};
  controls::ControlArray<controls::Label> lblGalaxy{"lblGalaxy"};
  controls::ControlArray<controls::TextBox> txtGalaxy{"txtGalaxy"};
  controls::ControlArray<controls::Spinner> spnGalaxy{"spnGalaxy"};
  // Panel 0, motion, shape and colour.
  controls::Label* lblGalStyle;
  controls::ComboBox* cboGalStyle;
  controls::ComboBox* cboGalPlane;
  controls::CommandButton* cmdGalLevels;
  controls::PictureBox* picGalHue;
  controls::CommandButton* cmdIFS_Chem;
  controls::ComboBox* cboGalProfile;
  controls::PictureBox* picGalProfile;
  controls::CheckBox* chkCP_Closed;
  controls::CheckBox* chkCP_AdvHW;
  // Panel 1, new stars, novae and pulsars.
  controls::ControlArray<controls::Frame> fraStarType{"fraStarType"};
  controls::ComboBox* cboPulsarShape;
  // Panel 2, comets and their colours.
  controls::Frame* fraCometProps;
  controls::CheckBox* chkCometVector;
  controls::Frame* fraCometColor;
  controls::PictureBox* picColNova;

  // The 20 text boxes the load couples with their spinners, in the order it does.
  std::array<SpinnerRange, 20> SpinnerRanges() const;

  // host::DisplayFields over cboResolution, cboFilterEffect, txtFilterRGB and txtDesktopBlend.
  int32_t ResolutionCount() const override;
  int32_t ResolutionIndex() const override;
  void SetResolutionIndex(int32_t index) override;
  std::string ResolutionText() const override;
  int32_t FilterIndex() const override;
  void SetFilterIndex(int32_t index) override;
  std::string FilterMaskText(int32_t i) const override;
  void SetFilterMaskText(int32_t i, const std::string& text) override;
  std::string DesktopBlendText(int32_t i) const override;
  void SetDesktopBlendText(int32_t i, const std::string& text) override;

 private:
  void CreateLeftColumn();
  void CreateUniversePage();
  void CreateGalaxyPage();
  void CreateMenus();
};

// Fills cboUniProfile from the galaxy list: for lines 0 to 49 the line's first 30 characters
// trimmed of blanks (the type's name without its percent; empty for a missing line), then the
// two cycling modes as items 50 and 51. A list that holds them already only takes the current
// names and keeps its selection.
void FillUniProfileList(PropsControls& c);

}  // namespace dialogs
