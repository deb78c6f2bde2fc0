// The program: builds the application, records the screens, runs the start-up sequence and
// dispatches the command line.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;
struct xcb_connection_t;

namespace host {

// Creates the Properties dialog, loaded and not yet shown, which deletes itself once it has
// closed. The program registers it from its entry; host shows it, keeps it the only one of
// its user, and ends when it is gone.
using PropertiesDialogFactory = std::function<QWidget*()>;
void SetPropertiesDialogFactory(PropertiesDialogFactory factory);

// A connection to the display, closed when it is let go.
using DisplayConnection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// True when the program would run on X11 (the xcb platform, the default) but no display can be
// opened: `message` is then the one line to print (it names DISPLAY). Qt would abort there.
// When the display answers and `held` is given, the check's connection is handed over there
// instead of being closed: an X server whose last client leaves resets, and a toolkit that
// connects during the reset loses its connection. Keep it until the toolkit has connected.
bool NoDisplayMessage(int argc, char** argv, std::string& message, DisplayConnection* held = nullptr);

// Builds the application and runs the command line; returns the exit status (1 without a
// display).
int RunApplication(int argc, char** argv);

}  // namespace host
