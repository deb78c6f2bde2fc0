#include <QCoreApplication>

#include "dialogs/properties/frm_props.h"
#include "host/app.h"
#include "platform/help/help_viewer.h"

namespace {

// Every window of the program gets the help keys as soon as the application exists.
void InstallHelp() { platform::InstallHelpKeys(); }

}  // namespace

int main(int argc, char** argv) {
  qAddPreRoutine(&InstallHelp);
  host::SetPropertiesDialogFactory([] { return dialogs::frmProps::Create(); });
  return host::RunApplication(argc, argv);
}
