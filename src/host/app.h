// The program: builds the application, records the screens, runs the start-up sequence and
// dispatches the command line.
#pragma once

namespace host {

int RunApplication(int argc, char** argv);

}  // namespace host
