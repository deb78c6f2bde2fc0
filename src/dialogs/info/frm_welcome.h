// The "Welcome to Zorvane" window of the first run: a title, a page of notes and the feature
// list as shadowed text on the gradient background inside the border, and one OK button
// (Enter and Esc press it).
#pragma once

#include <string>

#include "platform/controls/controls.h"

namespace dialogs {

std::string WelcomeTitle();
std::string WelcomeText();

class frmWelcome : public controls::Form {
 public:
  frmWelcome();

  controls::PictureBox* picBack = nullptr;  // the background image behind the texts
  controls::ControlArray<controls::Label> lblProduct{"lblProduct"};
  controls::ControlArray<controls::Label> lblSmall{"lblSmall"};
  controls::CommandButton* cmdDismiss = nullptr;

  void cmdDismiss_Click();
  // Whether the background has been drawn (on the first activation).
  bool BackgroundDrawn() const { return drawn_; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;

 private:
  bool drawn_ = false;
};

// Shows the welcome window modally and releases it.
void ShowWelcome();

}  // namespace dialogs
