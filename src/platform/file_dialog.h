// Open and save file dialogs go through one replaceable service: the program installs one
// over Qt's own (non-native) file dialog, tests a double. Without a service every dialog
// reports that it was cancelled.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Dialog flags, with the values the common file dialogs give them.
inline constexpr int32_t kOfnReadOnly = 1;          // the read-only box ticked
inline constexpr int32_t kOfnOverwritePrompt = 2;   // save: ask before replacing a file
inline constexpr int32_t kOfnHideReadOnly = 4;      // the read-only box hidden
inline constexpr int32_t kOfnEnableHook = 32;
inline constexpr int32_t kOfnEnableTemplate = 64;
inline constexpr int32_t kOfnAllowMultiSelect = 512;
inline constexpr int32_t kOfnFileMustExist = 4096;

enum class FileDialogKind { Open, OpenPreview, Save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  int64_t owner = 0;  // window id of the owner; 0: none
  std::string title;
  std::string initialDirectory;
  std::string defaultExtension;  // appended to a typed name without one
  std::string fileName;          // initial name
  std::vector<std::pair<std::string, std::string>> filters;  // description, pattern(s) ("*.avi")
  int32_t filterIndex = 0;  // 1-based; 0 shows the first type
  int32_t flags = 0;        // kOfn... values
};

struct FileDialogResult {
  bool accepted = false;
  std::string fileName;     // the chosen file, full path
  int32_t filterIndex = 0;  // 1-based type in force when the dialog closed
  int32_t flags = 0;        // the flags the dialog returns (kOfnReadOnly when the box was ticked)
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual FileDialogResult show(const FileDialogRequest& request) = 0;
};

// Installs the service (nullptr: none); returns the previous one. The caller keeps ownership.
FileDialogService* SetFileDialogService(FileDialogService* service);
FileDialogResult ShowFileDialog(const FileDialogRequest& request);

}  // namespace platform
