// Shared test helpers: a private settings store per test, a recorder of message boxes,
// file helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace testsupport {

// Points XDG_CONFIG_HOME at a fresh temporary folder for the test's lifetime, so every test
// starts with an empty settings store.
class TempConfig {
 public:
  TempConfig();
  ~TempConfig();
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::string oldValue_;
  bool hadOld_ = false;
};

struct RecordedMessage {
  std::string text, title;
  platform::MsgIcon icon;
  platform::MsgButtons buttons;
  int defaultButton = 0;
};

// Records every message box shown while it lives; answers with `answer`.
class MessageRecorder : public platform::MessageService {
 public:
  explicit MessageRecorder(platform::MsgResult answer = platform::MsgResult::Ok);
  ~MessageRecorder() override;
  platform::MsgResult show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                           platform::MsgButtons buttons, int defaultButton) override;
  std::vector<RecordedMessage> messages;

 private:
  platform::MsgResult answer_;
  platform::MessageService* previous_;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();

 private:
  std::string name_, old_;
  bool had_ = false;
};

// Makes the settings store of this test refuse every write of a value named `valueName`
// (any key, any case), as a store that fails part-way through a save would.
void FailRegistryWritesOf(const std::string& valueName);

// Closes the open settings store as a process that stops without closing it leaves it: the
// writes since it opened stay in its log only, whose side files ("-wal", "-shm") stay beside
// the file. The next use opens it again.
void CloseRegistryLeavingItsLog();

std::string MakeTempDir();
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
std::string FixturePath(const std::string& name);

}  // namespace testsupport
