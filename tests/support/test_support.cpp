#include "support/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

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

void CloseRegistryLeavingItsLog() {
  // The three files as they are while the store is open (and idle) are what a stop leaves;
  // closing it folds the log into the file and removes the side files, so they are put back.
  const std::string path = platform::Registry().path();
  ASSERT_TRUE(platform::Registry().ok());
  std::vector<std::pair<std::string, std::string>> files;
  for (const char* suffix : {"", "-wal", "-shm"}) {
    ASSERT_TRUE(std::filesystem::is_regular_file(path + suffix)) << path + suffix;
    files.emplace_back(path + suffix, ReadFile(path + suffix));
  }
  ASSERT_FALSE(files[1].second.empty()) << "nothing was written to the store since it opened";
  platform::ResetRegistry();
  for (const auto& [name, bytes] : files) WriteFile(name, bytes);
}

namespace {

// Every folder MakeTempDir made and has not removed yet; `inTest` marks those made while a test
// ran. A folder made by a test goes when that test ends, one made outside a test (an environment,
// a suite's set-up) when the program exits; both also when the test failed.
struct MadeFolders {
  struct Folder {
    std::string path;
    bool inTest;
  };
  std::mutex lock;
  std::vector<Folder> folders;

  void Add(const std::string& path) {
    const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
    const bool inTest = unit != nullptr && unit->current_test_info() != nullptr;
    std::lock_guard<std::mutex> guard(lock);
    folders.push_back({path, inTest});
  }
  void Remove(bool onlyTheTests) {
    std::vector<std::string> doomed;
    {
      std::lock_guard<std::mutex> guard(lock);
      auto keep = std::stable_partition(folders.begin(), folders.end(),
                                        [&](const Folder& f) { return onlyTheTests && !f.inTest; });
      for (auto it = keep; it != folders.end(); ++it) doomed.push_back(it->path);
      folders.erase(keep, folders.end());
    }
    for (const std::string& path : doomed) {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  }
  ~MadeFolders() { Remove(false); }
};

MadeFolders& Made() {
  static MadeFolders made;
  return made;
}

class RemoveFoldersAfterEachTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { Made().Remove(true); }
};

std::string MakeFolder();

// Registered before main runs, in every test program that uses these helpers.
const bool kListening = [] {
  Made();  // constructed first, so destroyed after everything that may still make folders
  ::testing::UnitTest::GetInstance()->listeners().Append(new RemoveFoldersAfterEachTest);
  // Without a runtime folder the program's single-instance channel makes one of its own in the
  // temporary folder; a private one, removed at exit, leaves nothing behind.
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string runtime = MakeFolder();
    if (!runtime.empty()) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  return true;
}();

// A private (0700) folder in the temporary folder, removed when the test or the program ends.
std::string MakeFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "zorvane-test-XXXXXX").string();
  char* d = mkdtemp(tmpl.data());
  if (d == nullptr) return std::string();
  Made().Add(d);
  return std::string(d);
}

}  // namespace

std::string MakeTempDir() { return MakeFolder(); }

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
