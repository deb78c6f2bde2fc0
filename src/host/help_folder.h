// Where the help topics are: beside the executable in the build tree, under share/zorvane/help
// of the installation prefix when installed.
#pragma once

#include <string>

namespace host {

// "<program folder>/help" when that folder exists, else "<program folder>/../share/zorvane/help"
// (normalised) when that one exists, else "<program folder>/help".
std::string HelpFolderOf(const std::string& programFolder);

}  // namespace host
