#include "platform/file_dialog.h"

namespace platform {
namespace {
FileDialogService*& CurrentService() {
  static FileDialogService* service = nullptr;
  return service;
}
}  // namespace

FileDialogService* SetFileDialogService(FileDialogService* service) {
  FileDialogService* previous = CurrentService();
  CurrentService() = service;
  return previous;
}

FileDialogResult ShowFileDialog(const FileDialogRequest& request) {
  FileDialogService* service = CurrentService();
  if (service == nullptr) return {};
  return service->show(request);
}

}  // namespace platform
