// A file-dialog service for tests: records every request and answers with the next queued
// result (cancelled when none is queued).
#pragma once

#include <deque>
#include <vector>

#include "platform/file_dialog.h"

namespace testsupport {

class FileDialogDouble : public platform::FileDialogService {
 public:
  FileDialogDouble() : previous_(platform::SetFileDialogService(this)) {}
  ~FileDialogDouble() override { platform::SetFileDialogService(previous_); }
  FileDialogDouble(const FileDialogDouble&) = delete;
  FileDialogDouble& operator=(const FileDialogDouble&) = delete;

  platform::FileDialogResult show(const platform::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    platform::FileDialogResult r = answers.front();
    answers.pop_front();
    return r;
  }
  // Queues an accepted answer.
  void Accept(const std::string& fileName, int32_t filterIndex = 1, int32_t flags = 0) {
    answers.push_back(platform::FileDialogResult{true, fileName, filterIndex, flags});
  }
  void Cancel() { answers.push_back(platform::FileDialogResult{}); }

  std::vector<platform::FileDialogRequest> requests;
  std::deque<platform::FileDialogResult> answers;

 private:
  platform::FileDialogService* previous_;
};

}  // namespace testsupport
