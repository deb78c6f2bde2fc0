#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "store/registry_access.h"
#include "support/file_rights.h"
#include "support/test_support.h"

using namespace store;

TEST(RegistryAccess, WriteTrimsAndReadFallsBackToDefault) {
  testsupport::TempConfig cfg;
  EXPECT_EQ(store::GetRegSettingRaw("General", "Missing", 7), "7");
  EXPECT_EQ(store::GetRegSettingRaw("NoSuchSection", "Missing", "x"), "x");
  ASSERT_TRUE(store::SaveRegSetting("General", "Name", "  padded  "));
  EXPECT_EQ(store::GetRegSettingRaw("General", "name", ""), "padded");
  ASSERT_TRUE(store::SaveRegSetting("Universe\\Galaxy1", "Galaxy_Radius", 0.5f));
  EXPECT_EQ(store::GetRegSettingRaw("universe\\galaxy1", "GALAXY_RADIUS", ""), "0.5");
  // 300 characters read back whole.
  const std::string longText(300, 'a');
  ASSERT_TRUE(store::SaveRegSetting("General", "Long", longText));
  EXPECT_EQ(store::GetRegSettingRaw("General", "Long", "default"), longText);
  // Values of other hives live apart.
  EXPECT_EQ(store::GetRegSettingRaw("General", "Name", "none", 0), "none");
}

TEST(RegistryAccess, DeleteRegKeyResults) {
  testsupport::TempConfig cfg;
  EXPECT_EQ(store::DeleteRegKey(store::kAppKey, "Universe\\Galaxy0", "IFS"), 0);  // no parent: nothing to do
  ASSERT_TRUE(store::SaveRegSetting("Universe\\Galaxy0\\IFS", "IFS_P0", "row"));
  ASSERT_TRUE(store::SaveRegSetting("Universe\\Galaxy0\\IFS\\Deeper", "v", "1"));
  EXPECT_EQ(store::DeleteRegKey(store::kAppKey, "Universe\\Galaxy0", "ifs"), 0);
  EXPECT_EQ(store::GetRegSettingRaw("Universe\\Galaxy0\\IFS", "IFS_P0", "gone"), "gone");
  EXPECT_EQ(store::GetRegSettingRaw("Universe\\Galaxy0\\IFS\\Deeper", "v", "gone"), "gone");
  EXPECT_EQ(store::DeleteRegKey(store::kAppKey, "Universe\\Galaxy0", "IFS"), 2);  // parent exists, sub-key does not
}

TEST(RegistryAccess, ReadRegistryStringOfTextAndNumbers) {
  testsupport::TempConfig cfg;
  auto& reg = platform::Registry();
  ASSERT_TRUE(reg.createKey(platform::Hive::CurrentUser, "Control Panel\\Desktop"));
  struct Case {
    platform::StoredValue v;
    const char* expect;
  } cases[] = {
      {{platform::ValueType::Dword, "0"}, "000"},
      {{platform::ValueType::Dword, "1"}, "001"},
      {{platform::ValueType::Dword, "1234"}, "1234"},
      {{platform::ValueType::Text, "Hello"}, "Hello"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(reg.setValue(platform::Hive::CurrentUser, "Control Panel\\Desktop", "V", c.v));
    EXPECT_EQ(store::ReadRegistryString(platform::Hive::CurrentUser, "Control Panel\\Desktop", "V"), c.expect);
  }
  EXPECT_EQ(store::ReadRegistryString(platform::Hive::CurrentUser, "Control Panel\\Desktop", "Missing"), "");
}

TEST(RegistryAccess, TestRegistryWriteProbesAndTellsTheUser) {
  {
    testsupport::TempConfig cfg;
    testsupport::MessageRecorder rec;
    EXPECT_TRUE(store::TestRegistryWrite());
    EXPECT_EQ(store::GetRegSettingRaw("General", "TestRegWrite", ""), "1");
    EXPECT_TRUE(rec.messages.empty());
  }
  {
    // A damaged store: reads give defaults, writes fail, and the user is told.
    testsupport::TempConfig cfg;
    const std::string path = platform::DefaultRegistryPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testsupport::WriteFile(path, std::string(2048, 'q'));
    platform::ResetRegistry();
    testsupport::MessageRecorder rec;
    EXPECT_FALSE(store::SaveRegSetting("General", "X", 1));
    EXPECT_EQ(store::GetRegSettingRaw("General", "X", 5), "5");
    EXPECT_FALSE(store::TestRegistryWrite());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "Zorvane");
    EXPECT_EQ(rec.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(rec.messages[0].text.rfind("The Registry is read-only.\r\n\r\nThe Property settings cannot be saved.", 0),
              0u);
  }
}

// Stored settings that can be read but not written read as stored; the user is told in one
// message every part that is read-only (the folder, the file, the side files of its log), and
// the write probe fails even where an earlier probe's value is still stored.
TEST(RegistryAccess, StoreThatCannotBeWrittenReadsAsStoredAndTellsWhy) {
  enum Part { kFolder, kFile, kWal, kShm };
  struct Case {
    const char* what;
    bool log;                    // the last writes left in the log, its side files beside the file
    std::vector<Part> readOnly;  // also the parts named, in this order
    const char* named;           // how the message names them
  } cases[] = {
      {"folder read-only", false, {kFolder}, "folder is"},
      {"file read-only", false, {kFile}, "file is"},
      {"folder and file read-only", false, {kFolder, kFile}, "folder and file are"},
      {"side files read-only", true, {kWal, kShm}, "side files are"},
      {"log read-only", true, {kWal}, "side file is"},
      {"log index read-only", true, {kShm}, "side file is"},
      {"file and side files read-only", true, {kFile, kWal, kShm}, "file and side files are"},
      {"folder, file and log read-only", true, {kFolder, kFile, kWal}, "folder, file and side file are"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempConfig cfg;
    ASSERT_TRUE(store::TestRegistryWrite());
    ASSERT_TRUE(store::SaveRegSetting("General", "Name", "stored"));
    if (c.log)
      testsupport::CloseRegistryLeavingItsLog();
    else
      platform::ResetRegistry();
    const std::string path = platform::DefaultRegistryPath();
    const std::string folder = std::filesystem::path(path).parent_path().string();
    auto pathOf = [&](Part part) {
      return part == kFolder ? folder : part == kFile ? path : path + (part == kWal ? "-wal" : "-shm");
    };
    std::string lines;
    for (Part part : c.readOnly) lines += pathOf(part) + "\r\n";
    const std::string noun = std::string(c.named).substr(0, std::string(c.named).rfind(' '));
    {
      std::vector<std::unique_ptr<testsupport::ScopedMode>> modes;
      for (Part part : c.readOnly)
        modes.push_back(std::make_unique<testsupport::ScopedMode>(pathOf(part), part == kFolder ? 0555 : 0444));
      testsupport::NoFileOverride asAnyUser;
      testsupport::MessageRecorder rec;
      EXPECT_TRUE(store::StoredSettingsReadOnly());
      EXPECT_FALSE(store::StoredSettingsUnreadable());
      EXPECT_EQ(store::GetRegSettingRaw("General", "Name", "<default>"), "stored");

      store::ShowStoredSettingsReadOnlyMessage();
      ASSERT_EQ(rec.messages.size(), 1u);
      EXPECT_EQ(rec.messages[0].text, std::string("The stored settings can be read but not changed. Their ") + c.named +
                                          " read-only:\r\n" + lines +
                                          "\r\nThe Properties window shows the stored settings. Changes "
                                          "cannot be saved until the " + noun + " can be written.");
      EXPECT_EQ(rec.messages[0].title, "Zorvane");
      EXPECT_EQ(rec.messages[0].icon, platform::MsgIcon::Exclamation);

      EXPECT_EQ(store::GetRegSettingRaw("General", "TestRegWrite", ""), "1");
      EXPECT_FALSE(store::TestRegistryWrite());
      ASSERT_EQ(rec.messages.size(), 2u);
      EXPECT_EQ(rec.messages[1].text.rfind("The Registry is read-only.", 0), 0u);
      EXPECT_FALSE(store::SaveRegSetting("General", "Name", "changed"));
      EXPECT_EQ(store::GetRegSettingRaw("General", "Name", "<default>"), "stored");
      platform::ResetRegistry();
    }
    // Readable and writable again, it holds what it held.
    EXPECT_FALSE(store::StoredSettingsReadOnly());
    EXPECT_EQ(store::GetRegSettingRaw("General", "Name", "<default>"), "stored");
  }
}

TEST(RegistryAccess, ReplaceDecimalSeparatorReplacesEveryComma) {
  EXPECT_EQ(store::ReplaceDecimalSeparator(0.5f), "0.5");
  EXPECT_EQ(store::ReplaceDecimalSeparator("1,2,3"), "1.2.3");
}

TEST(RegistryAccess, SettingsBatchKeepsOnlyWhatItCommits) {
  testsupport::TempConfig cfg;
  {
    store::SettingsBatch batch;
    ASSERT_TRUE(batch.begun());
    EXPECT_TRUE(store::SaveRegSetting("General", "Undone", 1));
  }
  EXPECT_EQ(store::GetRegSettingRaw("General", "Undone", "<missing>"), "<missing>");
  {
    store::SettingsBatch batch;
    EXPECT_TRUE(store::SaveRegSetting("General", "Kept", 2));
    EXPECT_TRUE(batch.Commit());
    EXPECT_FALSE(batch.Commit());
  }
  EXPECT_EQ(store::GetRegSettingRaw("General", "Kept", ""), "2");
  {
    testsupport::FailRegistryWritesOf("Refused");
    store::SettingsBatch batch;
    EXPECT_TRUE(store::SaveRegSetting("General", "Before", 3));
    EXPECT_FALSE(store::SaveRegSetting("General", "Refused", 4));
    EXPECT_FALSE(batch.Commit());
  }
  EXPECT_EQ(store::GetRegSettingRaw("General", "Before", "<missing>"), "<missing>");
}
