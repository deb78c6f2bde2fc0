// The windows the Properties dialog opens but does not own: their modules register an opener
// from the program's entry. A menu item or button whose opener is missing is disabled; a
// missing welcome window is skipped.
#pragma once

#include <cstdint>
#include <functional>

namespace dialogs {

class frmProps;
class PropsFields;

// The three editors of one galaxy type.
enum class GalaxyEditorKind { Levels, UserDefIFS, Molecule };

struct PropsOpeners {
  // The advanced settings window, shown modally; returns when it is closed.
  std::function<void(PropsFields&)> AdvancedWindow;
  // The File menu items but Exit: index 0 open, 2 save, 3 save as (the item's position).
  std::function<void(frmProps&, int16_t)> FileMenuAction;
  // The Help menu items by their position (separators included).
  std::function<void(frmProps&, int16_t)> HelpMenuAction;
  // Closes the help viewer opened for the dialog (when the dialog unloads).
  std::function<void()> CloseHelp;
  // The first-run welcome window, shown modally.
  std::function<void()> WelcomeWindow;
  // One editor of galaxy type n (0 to 49), shown modally.
  std::function<void(PropsFields&, GalaxyEditorKind, int32_t)> GalaxyEditor;
  // The video capture window, shown modally (Edit > Video Capture).
  std::function<void()> VideoWindow;
};
PropsOpeners& propsOpeners();
void ResetPropsOpeners();

void SetAdvancedWindowOpener(std::function<void(PropsFields&)> opener);
void SetFileMenuAction(std::function<void(frmProps&, int16_t)> action);
void SetHelpMenuAction(std::function<void(frmProps&, int16_t)> action);
void SetHelpCloser(std::function<void()> closer);
void SetWelcomeWindowOpener(std::function<void()> opener);
void SetGalaxyEditorOpener(std::function<void(PropsFields&, GalaxyEditorKind, int32_t)> opener);
void SetVideoWindowOpener(std::function<void()> opener);

// Shows the welcome window when one is registered; false when there is none.
bool ShowWelcomeWindow();
// Opens the editor of galaxy type n; false (nothing happens) when no editor is registered or
// n is outside 0-49.
bool OpenGalaxyEditor(PropsFields& dialog, GalaxyEditorKind kind, int32_t n);

}  // namespace dialogs
