// The program: builds the application, records the screens, runs the start-up sequence and
// dispatches the command line.
#pragma once

#include <functional>

class QWidget;

namespace host {

// Creates the Properties dialog, loaded and not yet shown, which deletes itself once it has
// closed. The program registers it from its entry; host shows it, keeps it the only one of
// its user, and ends when it is gone.
using PropertiesDialogFactory = std::function<QWidget*()>;
void SetPropertiesDialogFactory(PropertiesDialogFactory factory);

int RunApplication(int argc, char** argv);

}  // namespace host
