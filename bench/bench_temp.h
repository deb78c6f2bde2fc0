// The benchmarks' own folder in the temporary folder: made on first use, removed with everything
// in it when the program exits.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace benchsupport {

inline const std::string& RunFolder() {
  struct Folder {
    std::string path;
    Folder() {
      std::string pattern = (std::filesystem::temp_directory_path() / "zorvane-bench-XXXXXX").string();
      if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("zorvane-bench: no temporary folder");
        std::exit(1);
      }
      path = pattern;
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const Folder folder;
  return folder.path;
}

}  // namespace benchsupport
