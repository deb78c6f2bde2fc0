#include "dialogs/info/help_menu.h"

#include "dialogs/info/frm_about.h"
#include "dialogs/info/frm_system_diag.h"
#include "dialogs/info/mail_links.h"
#include "dialogs/info/product_info.h"
#include "platform/help/help_viewer.h"

namespace dialogs {

namespace {

AboutOpener& aboutOpener() {
  static AboutOpener o = nullptr;
  return o;
}

}  // namespace

void SetAboutOpener(AboutOpener opener) { aboutOpener() = opener; }

int16_t HelpMenuIndexOfPosition(int16_t position) {
  if (position < 0 || position > 9) return -1;
  return static_cast<int16_t>(position < 5 ? position : position + 2);
}

void HelpMenuAction(QWidget& owner, int16_t index) {
  switch (index) {
    case 0:
      platform::ShowHelp(&owner, platform::HELP_CONTENTS, 0);
      break;
    case 1:
      platform::ShowHelp(&owner, platform::HELP_FINDER, 0);
      break;
    case 3:
      ShowSystemDiag();
      break;
    case 7:
      OpenLink(FeedbackMailLink());
      break;
    case 8:
      OpenLink(kHomePage);
      break;
    case 9:
      OpenLink(kFaqPage);
      break;
    case 11:
      if (aboutOpener() != nullptr)
        aboutOpener()();
      else
        ShowAbout();
      break;
    default:
      break;
  }
}

}  // namespace dialogs
