// The "About Zorvane" window: the product's texts as shadowed labels on the gradient
// background, and beside them a demo that plays the factory galaxy types one after another.
// The demo shows the factory presets without touching the user's records: they are kept in the
// window while the demo runs and put back (and the colour tables rebuilt from them) when it
// ends. Every way of closing the window stops the demo; the window object lives on until
// every demo loop has returned (ShowAbout releases it after the modal show).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/picture_box.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"

namespace dialogs {

std::string AboutVersionLine();
std::string AboutParagraph();
// The 37 credit lines the about window hands to the credits.
std::vector<std::string> CreditLines();

class frmAbout : public controls::Form {
 public:
  frmAbout();
  ~frmAbout() override;

  void FormLet(const std::vector<std::string>& creditLines);
  const std::vector<std::string>& Credits() const { return creditLines_; }
  int32_t DemoType() const { return demoType_; }

  controls::PictureBox* picBack = nullptr;  // the background image behind the texts
  host::PictureBox* picZIDI = nullptr;      // the demo
  controls::ControlArray<controls::Label> lblProduct{"lblProduct"}, lblVersion{"lblVersion"},
      lblContact{"lblContact"}, lblEmail{"lblEmail"}, lblWeb{"lblWeb"}, lblSmall{"lblSmall"}, lblCopy{"lblCopy"},
      lblZORV{"lblZORV"};
  controls::CommandButton* cmdCredits = nullptr;
  controls::CommandButton* cmdTellFriend = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;

  void cmdDismiss_Click();
  void cmdCredits_Click();
  void cmdTellFriend_Click();
  void lblEmail_Click(int index);
  void lblWeb_Click(int index);
  void lblCopy_DblClick();
  void lblSmall_DblClick();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  void BackupGalaxyRecords(bool save);
  void BackupCompositeRecords(bool save);
  void PaintBackground();
  void RunAboutDemo();
  void PlayDemo();
  void ShowCredits();

  std::vector<std::string> creditLines_;
  std::array<model::GalaxyTypeProps, 50> galaxyBackup_{};
  std::array<model::CompositeRecord, 16> compositeBackup_{};
  bool activated_ = false;
  bool closed_ = false;
  int32_t demoType_ = 0;
};

// Builds the credit lines, shows a new about window modally and releases it.
void ShowAbout();

// The input box of the hidden switches: prompt, title, default; the answer, empty on Cancel.
using InputBoxFn = std::string (*)(const std::string& prompt, const std::string& title, const std::string& answer);
void SetInputBox(InputBoxFn fn);  // nullptr: the Qt input dialog

}  // namespace dialogs
