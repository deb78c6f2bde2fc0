// The editor of how a galaxy type is built from stacked levels: the number of levels, the
// radius increment per level, the height multiplier and three switches (scale height to
// radius, interleave tilt angles, dampen tilt angles), with the galaxy's radius and distance.
// OK writes them into the type's record and mirrors the level count, radius and distance into
// the Properties dialog's galaxy fields; a live preview shows the edited galaxy.
#pragma once

#include <cstdint>

#include "dialogs/editors/galaxy_editor.h"

namespace dialogs {

inline constexpr int kLevelsHelpContext = 7400;
inline constexpr const char* kLevelsIdleCaption = "Preview";

class frmLevels : public GalaxyEditorWindow {
 public:
  explicit frmLevels(PropsFields& props);

  controls::Frame* fraLevel = nullptr;
  // 0 levels (1-10), 1 radius increment (1-30000), 2 height multiplier (0.0-99.9).
  controls::ControlArray<controls::TextBox> txtLevel{"txtLevel"};
  controls::ControlArray<controls::Label> lblLevel{"lblLevel"};
  // 0 scale height to radius, 1 interleave tilt angles, 2 dampen tilt angles.
  controls::ControlArray<controls::CheckBox> chkToggle{"chkToggle"};
  controls::Frame* fraGalaxy = nullptr;
  // 0 radius, 1 distance (1-30000).
  controls::ControlArray<controls::TextBox> txtGalaxy{"txtGalaxy"};
  controls::ControlArray<controls::Label> lblGalaxy{"lblGalaxy"};
  controls::Frame* fraPreview = nullptr;
  controls::CommandButton *cmdOK = nullptr, *cmdHelp = nullptr;
  controls::MenuItem* mnuResize = nullptr;

  // Writes the boxes and switches into the record: each box clamped to its range, a box that
  // holds no number leaving its field as it was; the switches as 0 or 1. Always true.
  bool ApplyLevelsToGalaxyType();

  void cmdPreview_Click();
  void cmdOK_Click();
  void cmdDismiss_Click();
  void cmdHelp_Click();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;

  // The preview saves and restores the eight fields it writes (the rotation is not one).
  void CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const override;
  // The preview's own fields (levels, increment, height, radius, distance) are the apply step's.
  bool CommitForPreview() override { return ApplyLevelsToGalaxyType(); }

 private:
  void ApplyAndClose();
};

// Opens the levels editor on galaxy type n modally and releases it; nothing for n outside 0-49.
inline void ShowLevelsEditor(PropsFields& props, int32_t n) { ShowGalaxyEditor<frmLevels>(props, n); }

}  // namespace dialogs
