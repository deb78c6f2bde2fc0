// A display that the program's own check reached but that is lost afterwards: the toolkit cannot
// connect to it, or its connection breaks while the application starts or later. Left alone, Qt's
// xcb platform aborts (a core and its "no Qt platform plugin" text), crashes on a reply that never
// came, or ends with its own text. Watched, every such end is the one line that a missing display
// gives ("zorvane: no X display is available: cannot open DISPLAY <name>") on standard error and
// exit status 1.
#pragma once

#include <string>

namespace host {

// The line (without its newline) that says `display` cannot be opened.
std::string CannotOpenDisplayLine(const std::string& display);

// Starts the watch; called once, before the application object is built, when the program will
// draw through X11 on `display`. Until the toolkit has connected, its messages are held and
// passed on (in order) once it has; a failure of the start caused by the display ends the
// program with the line instead, and any other failure shows the held messages and goes on as
// it would have. Afterwards any message or crash while the connection is broken ends the
// program the same way. Nothing is written to the settings store or a file on that end: every
// store write has been committed when it was made, and the run's performance log is not written.
void WatchDisplayLoss(const std::string& display);

}  // namespace host
