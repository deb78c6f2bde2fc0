// The program: builds the application, records the screens, runs the start-up sequence and
// dispatches the command line.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace host {

// Creates the Properties dialog, loaded and not yet shown, which deletes itself once it has
// closed. The program registers it from its entry; host shows it, keeps it the only one of
// its user, and ends when it is gone.
using PropertiesDialogFactory = std::function<QWidget*()>;
void SetPropertiesDialogFactory(PropertiesDialogFactory factory);

// True when the program would run on X11 (the xcb platform, the default) but no display can be
// opened: `message` is then the one line to print (it names DISPLAY). Qt would abort there.
bool NoDisplayMessage(int argc, char** argv, std::string& message);

// Builds the application and runs the command line; returns the exit status (1 without a
// display).
int RunApplication(int argc, char** argv);

}  // namespace host
