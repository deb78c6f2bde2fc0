#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "platform/registry_store.h"
#include "support/file_rights.h"
#include "support/test_support.h"

using platform::Hive;
using platform::RegistryStore;
using platform::StoredValue;
using platform::ValueType;

namespace {
StoredValue Text(const char* s) { return {ValueType::Text, s}; }
}  // namespace

namespace platform {
void PrintTo(const ReadOnlyParts& parts, std::ostream* os) {
  *os << "{folder " << parts.folder << ", file " << parts.file << ", side files:";
  for (const std::string& side : parts.sideFiles) *os << " " << side;
  *os << "}";
}
}  // namespace platform

TEST(RegistryStore, KeysAndNamesIgnoreCaseAndDeleteTakesSubtree) {
  testsupport::TempConfig cfg;
  RegistryStore& reg = platform::Registry();
  ASSERT_TRUE(reg.ok());
  ASSERT_TRUE(reg.createKey(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3\\IFS"));
  EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "software\\zorv\\APP\\universe"));
  EXPECT_FALSE(reg.keyExists(Hive::LocalMachine, "SOFTWARE\\ZORV\\App"));
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3", "Galaxy_Radius", Text("300")));
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3\\IFS", "IFS_P0", Text("x")));
  // Overwrite through a differently cased name.
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "software\\zorv\\app\\universe\\galaxy3", "GALAXY_RADIUS", Text("301")));
  EXPECT_EQ(reg.value(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3", "galaxy_radius")->data, "301");
  // A value cannot be written under a key that does not exist.
  EXPECT_FALSE(reg.setValue(Hive::CurrentUser, "SOFTWARE\\ZORV\\Nope", "v", Text("1")));

  EXPECT_EQ(reg.deleteKey(Hive::CurrentUser, "SOFTWARE\\ZORV\\APP\\UNIVERSE\\galaxy3"), 0);
  EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3\\IFS"));
  EXPECT_FALSE(reg.value(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3\\IFS", "IFS_P0").has_value());
  EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe"));
  EXPECT_EQ(reg.deleteKey(Hive::CurrentUser, "SOFTWARE\\ZORV\\App\\Universe\\Galaxy3"), 2);
}

TEST(RegistryStore, LongValuesReadBackWhole) {
  testsupport::TempConfig cfg;
  RegistryStore& reg = platform::Registry();
  const std::string big(5000, 'z');
  ASSERT_TRUE(reg.createKey(Hive::CurrentUser, "K"));
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "K", "Big", {ValueType::Text, big}));
  EXPECT_EQ(reg.value(Hive::CurrentUser, "K", "Big")->data, big);
}

TEST(RegistryStore, SecondProcessSeesEveryWriteAtOnce) {
  testsupport::TempConfig cfg;
  RegistryStore& reg = platform::Registry();
  ASSERT_TRUE(reg.createKey(Hive::CurrentUser, "Shared"));
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "Shared", "FromParent", Text("1")));
  const std::string path = reg.path();

  pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    // The child opens its own connection, reads the parent's value and answers with one of its own.
    RegistryStore other(path);
    bool good = other.ok() && other.value(Hive::CurrentUser, "shared", "fromparent").has_value() &&
                other.setValue(Hive::CurrentUser, "Shared", "FromChild", Text("2"));
    _exit(good ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  auto v = reg.value(Hive::CurrentUser, "Shared", "FromChild");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->data, "2");
}

TEST(RegistryStore, DamagedDatabaseIsNeverOverwritten) {
  testsupport::TempConfig cfg;
  const std::string path = platform::DefaultRegistryPath();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  const std::string junk(4096, '\x5a');
  testsupport::WriteFile(path, junk);
  platform::ResetRegistry();
  RegistryStore& reg = platform::Registry();
  EXPECT_FALSE(reg.ok());
  EXPECT_FALSE(reg.createKey(Hive::CurrentUser, "K"));
  EXPECT_FALSE(reg.value(Hive::CurrentUser, "K", "v").has_value());
  EXPECT_NE(reg.deleteKey(Hive::CurrentUser, "K"), 0);
  EXPECT_EQ(testsupport::ReadFile(path), junk);
}

TEST(RegistryStore, SettingsThatExistButCannotBeReadAreToldApartFromNone) {
  struct Case {
    const char* what;
    void (*make)(const std::string& path);  // prepares what lies at the store's path
    bool ok, unreadable;
  } cases[] = {
      {"no store yet", [](const std::string&) {}, true, false},
      {"a damaged file", [](const std::string& p) { testsupport::WriteFile(p, std::string(4096, '\x5a')); }, false,
       true},
      {"a folder in place of the file", [](const std::string& p) { std::filesystem::create_directory(p); }, false, true},
      {"a file damaged further in",
       [](const std::string& p) {
         {
           RegistryStore fill(p);
           ASSERT_TRUE(fill.beginBatch());
           ASSERT_TRUE(fill.createKey(Hive::CurrentUser, "K"));
           for (int i = 0; i < 2000; ++i) fill.setValue(Hive::CurrentUser, "K", "V" + std::to_string(i), Text("value"));
           ASSERT_TRUE(fill.endBatch(true));
         }
         // The head stays sound; one page of the values' table is overwritten.
         std::string bytes = testsupport::ReadFile(p);
         ASSERT_GT(bytes.size(), 4u * 4096u);
         std::fill(bytes.begin() + 2 * 4096, bytes.begin() + 3 * 4096, '\x5a');
         testsupport::WriteFile(p, bytes);
       },
       false, true},
      {"a file in place of its folder",
       [](const std::string& p) {
         std::filesystem::remove(std::filesystem::path(p).parent_path());
         testsupport::WriteFile(std::filesystem::path(p).parent_path().string(), "x");
       },
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempConfig cfg;
    const std::string path = platform::DefaultRegistryPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    c.make(path);
    const std::string before = std::filesystem::is_regular_file(path) ? testsupport::ReadFile(path) : "";
    platform::ResetRegistry();
    EXPECT_EQ(platform::Registry().ok(), c.ok);
    EXPECT_EQ(platform::Registry().unreadable(), c.unreadable);
    if (!c.ok) {
      // Nothing is written over what lies there.
      EXPECT_FALSE(platform::Registry().setValue(Hive::CurrentUser, "K", "V1", Text("new")));
      platform::ResetRegistry();
      if (!before.empty()) {
        EXPECT_EQ(testsupport::ReadFile(path), before);
      }
    }
    platform::ResetRegistry();
  }
}

TEST(RegistryStore, BatchLandsWholeOrNotAtAll) {
  testsupport::TempConfig cfg;
  RegistryStore& reg = platform::Registry();
  ASSERT_TRUE(reg.createKey(Hive::CurrentUser, "K\\Gone"));
  ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "K", "Kept", Text("old")));
  auto has = [&](const char* key, const char* name) { return reg.value(Hive::CurrentUser, key, name).has_value(); };

  // Committed: keys, values and deletions made inside the batch all stay.
  ASSERT_TRUE(reg.beginBatch());
  EXPECT_FALSE(reg.beginBatch());
  EXPECT_TRUE(reg.createKey(Hive::CurrentUser, "K\\New\\Deep"));
  EXPECT_TRUE(reg.setValue(Hive::CurrentUser, "K\\New\\Deep", "A", Text("1")));
  EXPECT_EQ(reg.deleteKey(Hive::CurrentUser, "K\\Gone"), 0);
  EXPECT_EQ(reg.deleteKey(Hive::CurrentUser, "K\\NeverWas"), 2);  // no failure
  EXPECT_TRUE(has("K\\New\\Deep", "A"));                            // visible inside the batch
  EXPECT_TRUE(reg.endBatch(true));
  EXPECT_FALSE(reg.inBatch());
  EXPECT_TRUE(has("K\\New\\Deep", "A"));
  EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "K\\Gone"));

  struct Case {
    const char* what;
    bool failOne;  // one write of the batch is refused
    bool commit;
  } cases[] = {{"a write fails", true, true}, {"abandoned", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.failOne) testsupport::FailRegistryWritesOf("Refused");
    ASSERT_TRUE(reg.beginBatch());
    EXPECT_TRUE(reg.setValue(Hive::CurrentUser, "K", "Kept", Text("new")));
    EXPECT_TRUE(reg.createKey(Hive::CurrentUser, "K\\Other"));
    const char* other = c.failOne ? "Refused" : "Fine";
    EXPECT_EQ(reg.setValue(Hive::CurrentUser, "K", other, Text("x")), !c.failOne);
    // Writes after the failed one still run, and are undone with the rest.
    EXPECT_TRUE(reg.setValue(Hive::CurrentUser, "K", "Later", Text("y")));
    EXPECT_FALSE(reg.endBatch(c.commit));
    EXPECT_EQ(reg.value(Hive::CurrentUser, "K", "Kept")->data, "old");
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "K\\Other"));
    EXPECT_FALSE(has("K", "Later"));
    EXPECT_FALSE(has("K", other));
  }
  // Outside a batch every write commits on its own again.
  EXPECT_TRUE(reg.setValue(Hive::CurrentUser, "K", "Kept", Text("after")));
  EXPECT_FALSE(reg.endBatch(true));
  EXPECT_EQ(reg.value(Hive::CurrentUser, "K", "Kept")->data, "after");
}

namespace {

enum class Stored { Nothing, Settings, SettingsInTheLog, Junk };

// Puts at `path` what a case stores. Settings: the value "Stored" = "kept" under key "K".
// SettingsInTheLog: the same written by another process that ended without closing the store,
// so that the value lives only in the log beside the file.
void Fill(const std::string& path, Stored what) {
  switch (what) {
    case Stored::Nothing:
      return;
    case Stored::Junk:
      testsupport::WriteFile(path, std::string(4096, '\x5a'));
      return;
    case Stored::Settings: {
      RegistryStore fill(path);
      ASSERT_TRUE(fill.createKey(Hive::CurrentUser, "K"));
      ASSERT_TRUE(fill.setValue(Hive::CurrentUser, "K", "Stored", Text("kept")));
      return;
    }
    case Stored::SettingsInTheLog: {
      const pid_t child = fork();
      ASSERT_NE(child, -1);
      if (child == 0) {
        auto* fill = new RegistryStore(path);  // never closed
        const bool good = fill->createKey(Hive::CurrentUser, "K") &&
                          fill->setValue(Hive::CurrentUser, "K", "Stored", Text("kept"));
        _exit(good ? 0 : 1);
      }
      int status = 0;
      waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      ASSERT_TRUE(std::filesystem::exists(path + "-wal"));
      return;
    }
  }
}

// The names in a folder with the bytes of each.
std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> found;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    found[e.path().filename().string()] = testsupport::ReadFile(e.path().string());
  return found;
}

}  // namespace

// A store this process may read but not write is read as it is stored, and every part that
// refuses the write is named at once (the folder, the file, the side files of its log); nothing
// is written to it and no file is made beside it. A damaged one stays unreadable.
TEST(RegistryStore, StoreThatCannotBeWrittenIsReadAsStored) {
  struct Case {
    const char* what;
    Stored stored;
    bool folderReadOnly, fileReadOnly, walReadOnly, shmReadOnly;
    bool ok, unreadable;
    bool namesFolder, namesFile, namesWal, namesShm;
  } cases[] = {
      {"folder read-only", Stored::Settings, true, false, false, false, true, false, true, false, false, false},
      {"file read-only", Stored::Settings, false, true, false, false, true, false, false, true, false, false},
      {"folder and file read-only", Stored::Settings, true, true, false, false, true, false, true, true, false, false},
      {"file read-only, last writes in the log", Stored::SettingsInTheLog, false, true, false, false, true, false,
       false, true, false, false},
      {"folder and file read-only, last writes in the log", Stored::SettingsInTheLog, true, true, false, false, true,
       false, true, true, false, false},
      {"side files read-only, last writes in the log", Stored::SettingsInTheLog, false, false, true, true, true,
       false, false, false, true, true},
      {"log read-only, last writes in it", Stored::SettingsInTheLog, false, false, true, false, true, false, false,
       false, true, false},
      {"log index read-only, last writes in the log", Stored::SettingsInTheLog, false, false, false, true, true,
       false, false, false, false, true},
      {"file and side files read-only, last writes in the log", Stored::SettingsInTheLog, false, true, true, true,
       true, false, false, true, true, true},
      {"folder and side files read-only, last writes in the log", Stored::SettingsInTheLog, true, false, true, true,
       true, false, true, false, true, true},
      {"damaged, folder read-only", Stored::Junk, true, false, false, false, false, true, false, false, false, false},
      {"damaged, file read-only", Stored::Junk, false, true, false, false, false, true, false, false, false, false},
      {"nothing stored, folder read-only", Stored::Nothing, true, false, false, false, false, false, false, false,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempConfig cfg;
    const std::string path = platform::DefaultRegistryPath();
    const std::string folder = std::filesystem::path(path).parent_path().string();
    std::filesystem::create_directories(folder);
    Fill(path, c.stored);
    const auto before = Contents(folder);
    platform::ReadOnlyParts named;
    named.folder = c.namesFolder;
    named.file = c.namesFile;
    if (c.namesWal) named.sideFiles.push_back(path + "-wal");
    if (c.namesShm) named.sideFiles.push_back(path + "-shm");
    {
      std::optional<testsupport::ScopedMode> fileMode, folderMode, walMode, shmMode;
      if (c.fileReadOnly) fileMode.emplace(path, 0444);
      if (c.walReadOnly) walMode.emplace(path + "-wal", 0444);
      if (c.shmReadOnly) shmMode.emplace(path + "-shm", 0444);
      if (c.folderReadOnly) folderMode.emplace(folder, 0555);
      testsupport::NoFileOverride asAnyUser;
      // The modes hold for this test as for any user.
      if (c.folderReadOnly) {
        const std::string probe = folder + "/probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_EQ(fd, -1) << "a file could be made in the read-only folder";
      }
      const std::pair<bool, std::string> refused[] = {
          {c.fileReadOnly, path}, {c.walReadOnly, path + "-wal"}, {c.shmReadOnly, path + "-shm"}};
      for (const auto& [readOnly, file] : refused) {
        if (readOnly) {
          ASSERT_EQ(::open(file.c_str(), O_WRONLY), -1) << file << " opened for writing";
        }
      }

      platform::ResetRegistry();
      RegistryStore& reg = platform::Registry();
      EXPECT_EQ(reg.ok(), c.ok);
      EXPECT_EQ(reg.unreadable(), c.unreadable);
      EXPECT_EQ(reg.readOnly(), named);
      if (c.ok) {
        EXPECT_EQ(reg.value(Hive::CurrentUser, "k", "stored").value_or(Text("<missing>")).data, "kept");
        EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "K"));
      }
      EXPECT_FALSE(reg.setValue(Hive::CurrentUser, "K", "Stored", Text("new")));
      EXPECT_FALSE(reg.createKey(Hive::CurrentUser, "K\\New"));
      EXPECT_NE(reg.deleteKey(Hive::CurrentUser, "K"), 0);
      EXPECT_FALSE(reg.beginBatch());
      if (c.ok) {
        EXPECT_EQ(reg.value(Hive::CurrentUser, "K", "Stored").value_or(Text("<missing>")).data, "kept");
      }
      platform::ResetRegistry();
    }
    // The store and its log are as they were, and nothing was made beside them. (The log's
    // index is shared memory that readers use.)
    auto after = Contents(folder);
    if (c.stored == Stored::SettingsInTheLog && !c.shmReadOnly) {
      ASSERT_EQ(after.count("registry.sqlite3-shm"), 1u);
      after["registry.sqlite3-shm"] = before.at("registry.sqlite3-shm");
    }
    EXPECT_EQ(after, before);
  }
}
