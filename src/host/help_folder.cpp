#include "host/help_folder.h"

#include <filesystem>
#include <system_error>

namespace host {

std::string HelpFolderOf(const std::string& programFolder) {
  namespace fs = std::filesystem;
  const fs::path program(programFolder.empty() ? std::string(".") : programFolder);
  const fs::path beside = program / "help";
  const fs::path installed = (program / ".." / "share" / "zorvane" / "help").lexically_normal();
  std::error_code ec;
  if (!fs::is_directory(beside, ec) && fs::is_directory(installed, ec)) return installed.string();
  return beside.string();
}

}  // namespace host
