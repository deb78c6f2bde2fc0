// The editor of a galaxy type's user-defined iterated function system: up to five attractor
// points (position, scale, rotation axis and angle, relative percent) and the centre offset
// shared by all, written into the type's IfsBlock on OK; the radius, rotation and distance,
// which OK hands back to the Properties dialog's galaxy fields; ten themes; a live preview.
#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/editors/galaxy_editor.h"

namespace dialogs {

inline constexpr int kIfsHelpContext = 7100;
inline constexpr int kIfsRows = 5;
inline constexpr const char* kIfsIdleCaption = "Preview I.F.S.";
// The note of a commit with fewer than two points.
extern const char* const kIfsTooFewPointsNote;

class frmUserDefIFS : public GalaxyEditorWindow {
 public:
  explicit frmUserDefIFS(PropsFields& props);

  // The point rows 0 to 4.
  controls::ControlArray<controls::Label> lblPoint{"lblPoint"};
  controls::ControlArray<controls::TextBox> txtLocX{"txtLocX"}, txtLocY{"txtLocY"}, txtLocZ{"txtLocZ"},
      txtScale{"txtScale"}, txtAngle{"txtAngle"}, txtPercent{"txtPercent"};
  controls::ControlArray<controls::ComboBox> cboRAxis{"cboRAxis"};
  controls::Label *lblLocX = nullptr, *lblLocY = nullptr, *lblLocZ = nullptr, *lblScale = nullptr,
                  *lblRAxis = nullptr, *lblAngle = nullptr, *lblPercent = nullptr;
  controls::Frame* fraCenter = nullptr;
  controls::ControlArray<controls::TextBox> txtCenter{"txtCenter"};
  controls::ControlArray<controls::Label> lblCenter{"lblCenter"};
  controls::Frame* fraGalaxy = nullptr;
  controls::ControlArray<controls::TextBox> txtGalaxy{"txtGalaxy"};
  controls::ControlArray<controls::Label> lblGalaxy{"lblGalaxy"};
  controls::Frame* fraTheme = nullptr;
  controls::ComboBox* cboTheme = nullptr;
  controls::Label* lblTheme = nullptr;
  controls::Frame* fraPreview = nullptr;
  controls::CommandButton *cmdOK = nullptr, *cmdClear = nullptr, *cmdHelp = nullptr;
  controls::MenuItem* mnuResize = nullptr;

  // Writes the centre and the kept points into the record; false (with the note, and the
  // record untouched) when fewer than two points are kept.
  bool CommitIfs();
  // Fills the controls from a theme text (see ifs_themes.h).
  void LoadIfsTheme(std::string_view text);

  void cboTheme_Click();
  void cmdPreview_Click();
  void cmdOK_Click();
  void cmdClear_Click();
  void cmdDismiss_Click();
  void cmdHelp_Click();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;

  // The preview saves and restores the IFS block and the radius, rotation and distance; it
  // writes the three galaxy values and commits the points.
  void CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const override;
  bool CommitForPreview() override;

 private:
  void CommitAndClose();
  void CreateRow(int i);
  void FillRowsFromRecord();
  void ClearRow(int i);
};

// Opens the IFS editor on galaxy type n modally and releases it; nothing for n outside 0-49.
inline void ShowUserDefIFSEditor(PropsFields& props, int32_t n) { ShowGalaxyEditor<frmUserDefIFS>(props, n); }

}  // namespace dialogs
