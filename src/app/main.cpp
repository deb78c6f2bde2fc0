#include <QCoreApplication>

#include "capture/file_menu.h"
#include "capture/frm_video.h"
#include "capture/video_frames.h"
#include "dialogs/editors/editor_openers.h"
#include "dialogs/info/frm_welcome.h"
#include "dialogs/info/help_menu.h"
#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/props_openers.h"
#include "host/app.h"
#include "host/qt_platform.h"
#include "host/stop_requests.h"
#include "host/window_state.h"
#include "platform/help/help_viewer.h"

namespace {

// Every window of the program gets the help keys as soon as the application exists.
void InstallHelp() { platform::InstallHelpKeys(); }

}  // namespace

int main(int argc, char** argv) {
  // Stop requests from the first moment on are held for the run they end; a write past the
  // file-size limit fails with the writer's own message.
  host::InstallStopSignals();
  qAddPreRoutine(&InstallHelp);
  host::SetPropertiesDialogFactory([] { return dialogs::frmProps::Create(); });
  dialogs::SetHelpMenuAction([](dialogs::frmProps& dialog, int16_t position) {
    dialogs::HelpMenuAction(dialog, dialogs::HelpMenuIndexOfPosition(position));
  });
  dialogs::SetFileMenuAction([](dialogs::frmProps& dialog, int16_t index) { capture::FileMenuAction(dialog, index); });
  dialogs::SetVideoWindowOpener([] { capture::ShowVideoWindow(); });
  platform::SetHelpLinkOpener([](std::string_view address) { host::OpenWebPage(address); });
  dialogs::SetHelpCloser([] { platform::ShowHelp(nullptr, platform::HELP_QUIT, 0); });
  dialogs::SetWelcomeWindowOpener([] { dialogs::ShowWelcome(); });
  dialogs::RegisterEditorOpeners();
  host::qtFrameSink().SetVideoFrameWriter(&capture::WriteVideoFrame);
  return host::RunApplication(argc, argv);
}
