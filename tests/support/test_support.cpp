#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <sqlite3.h>

#include "platform/registry_store.h"

namespace testsupport {

void FailRegistryWritesOf(const std::string& valueName) {
  // The store creates its tables when it opens; the trigger goes in through a second
  // connection, as another program could.
  ASSERT_TRUE(platform::Registry().ok());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(platform::Registry().path().c_str(), &db), SQLITE_OK);
  std::string quoted;
  for (char c : valueName) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  const std::string sql = "CREATE TRIGGER IF NOT EXISTS fail_" + std::to_string(std::hash<std::string>{}(valueName)) +
                          " BEFORE INSERT ON reg_values WHEN lower(NEW.name) = lower('" + quoted +
                          "') BEGIN SELECT RAISE(ABORT, 'refused'); END";
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

std::string MakeTempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "zorvane-test-XXXXXX").string();
  char* d = mkdtemp(tmpl.data());
  return d ? std::string(d) : std::string();
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    setenv(name_.c_str(), old_.c_str(), 1);
  else
    unsetenv(name_.c_str());
}

TempConfig::TempConfig() : dir_(MakeTempDir()) {
  if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
    hadOld_ = true;
    oldValue_ = old;
  }
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  platform::ResetRegistry();
}

TempConfig::~TempConfig() {
  platform::ResetRegistry();
  if (hadOld_)
    setenv("XDG_CONFIG_HOME", oldValue_.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

MessageRecorder::MessageRecorder(platform::MsgResult answer)
    : answer_(answer), previous_(platform::SetMessageService(this)) {}

MessageRecorder::~MessageRecorder() { platform::SetMessageService(previous_); }

platform::MsgResult MessageRecorder::show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                                          platform::MsgButtons buttons, int defaultButton) {
  messages.push_back({std::string(text), std::string(title), icon, buttons, defaultButton});
  return answer_;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::string FixturePath(const std::string& name) { return std::string(ZV_FIXTURES) + "/" + name; }

}  // namespace testsupport
