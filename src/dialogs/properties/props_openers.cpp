#include "dialogs/properties/props_openers.h"

#include <utility>

namespace dialogs {

PropsOpeners& propsOpeners() {
  static PropsOpeners openers;
  return openers;
}

void ResetPropsOpeners() { propsOpeners() = PropsOpeners{}; }

void SetAdvancedWindowOpener(std::function<void(PropsFields&)> opener) { propsOpeners().AdvancedWindow = std::move(opener); }
void SetFileMenuAction(std::function<void(frmProps&, int16_t)> action) { propsOpeners().FileMenuAction = std::move(action); }
void SetHelpMenuAction(std::function<void(frmProps&, int16_t)> action) { propsOpeners().HelpMenuAction = std::move(action); }
void SetHelpCloser(std::function<void()> closer) { propsOpeners().CloseHelp = std::move(closer); }
void SetWelcomeWindowOpener(std::function<void()> opener) { propsOpeners().WelcomeWindow = std::move(opener); }
void SetGalaxyEditorOpener(std::function<void(PropsFields&, GalaxyEditorKind, int32_t)> opener) {
  propsOpeners().GalaxyEditor = std::move(opener);
}

void SetVideoWindowOpener(std::function<void()> opener) { propsOpeners().VideoWindow = std::move(opener); }

bool ShowWelcomeWindow() {
  // A copy: the window may replace the registration while it is shown.
  const auto opener = propsOpeners().WelcomeWindow;
  if (!opener) return false;
  opener();
  return true;
}

bool OpenGalaxyEditor(PropsFields& dialog, GalaxyEditorKind kind, int32_t n) {
  const auto opener = propsOpeners().GalaxyEditor;
  if (!opener || n < 0 || n > 49) return false;
  opener(dialog, kind, n);
  return true;
}

}  // namespace dialogs
