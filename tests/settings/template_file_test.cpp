#include "settings/template_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "store/typed_readers.h"
#include "settings/template_fixture.h"
#include "support/test_support.h"

namespace {

class TemplateFileTest : public settingstest::TemplateTest {
 protected:
  std::string Finish() {
    settings::CloseTemplateFile();
    store::ClearTemplateCache();
    return testsupport::ReadFile(path_);
  }
};

TEST_F(TemplateFileTest, WritesHeadersOnSectionChangeWithCrLf) {
  settings::WriteTemplateValue("Admin", "Product", "Zorvane");
  settings::WriteTemplateValue("Admin", "Count", 12);
  settings::WriteTemplateValue("Advanced", "FocalLength", 1.5f);
  settings::WriteTemplateValue("Advanced", "LockMessage", "");
  settings::WriteTemplateValue("Admin", "Late", "x");
  EXPECT_EQ(Finish(),
            "\r\n[Admin]\r\nProduct=Zorvane\r\nCount=12\r\n"
            "\r\n[Advanced]\r\nFocalLength=1.5\r\nLockMessage=\r\n"
            "\r\n[Admin]\r\nLate=x\r\n");
  // Readers see the first block of a section only; an empty value reads back empty.
  EXPECT_EQ(store::ReadTemplateValue("Admin", "Late", "missing"), "missing");
  EXPECT_EQ(store::ReadTemplateValue("Admin", "Count", "0"), "12");
  EXPECT_EQ(store::ReadTemplateValue("Advanced", "LockMessage", "dflt"), "");
}

TEST_F(TemplateFileTest, TextIsWrittenInWindows1252AndReadsBackAsUtf8) {
  settings::WriteTemplateValue("Advanced", "LockMessage", "Caf\xC3\xA9 a=b \xE2\x82\xAC");
  const std::string bytes = Finish();
  EXPECT_EQ(bytes, "\r\n[Advanced]\r\nLockMessage=Caf\xE9 a=b \x80\r\n");
  EXPECT_EQ(store::ReadTemplateValue("Advanced", "LockMessage", ""), "Caf\xC3\xA9 a=b \xE2\x82\xAC");
}

TEST_F(TemplateFileTest, FileArgumentOnlyCountsWhileNothingIsOpen) {
  const std::string other = dir_ + "/other.glx";
  settings::WriteTemplateValue("A", "k", 1, other);
  settings::WriteTemplateValue("A", "j", 2, dir_ + "/ignored.glx");
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 1);
  settings::CloseTemplateFile();
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 0);
  EXPECT_EQ(testsupport::ReadFile(other), "\r\n[A]\r\nk=1\r\nj=2\r\n");
}

TEST_F(TemplateFileTest, SecondFileAlwaysStartsWithHeader) {
  settings::WriteTemplateValue("CompGal15", "k", 1);
  Finish();
  // The next file starts with the section the previous one ended with: it still gets a header.
  settings::WriteTemplateValue("CompGal15", "k", 2);
  EXPECT_EQ(Finish(), "\r\n[CompGal15]\r\nk=2\r\n");
}

TEST_F(TemplateFileTest, UnwritableTargetFailsSilentlyUntilClosed) {
  store::templateState().TemplatePath = dir_ + "/no/such/dir/t.glx";
  settings::WriteTemplateValue("A", "k", 1);
  settings::WriteTemplateValue("A", "j", 2);
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 1);
  settings::CloseTemplateFile();
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 0);
  // The next save opens its target afresh.
  store::templateState().TemplatePath = path_;
  settings::WriteTemplateValue("A", "k", 3);
  EXPECT_EQ(Finish(), "\r\n[A]\r\nk=3\r\n");
}

TEST_F(TemplateFileTest, ExportWritesStoredValueOrDefault) {
  store::SaveRegSetting("Advanced", "Adv_FontName", "Verdana");
  settings::ExportSetting("Advanced", "Adv_FontName", "Arial");
  settings::ExportSetting("Advanced", "Adv_FontSize", "12");
  EXPECT_EQ(Finish(), "\r\n[Advanced]\r\nAdv_FontName=Verdana\r\nAdv_FontSize=12\r\n");
}

TEST_F(TemplateFileTest, ImportWritesTemplateValueOrDefaultToRegistry) {
  testsupport::WriteFile(path_, "\r\n[Advanced]\r\nAdv_FontName=Verdana\r\nLockMessage=\r\n");
  store::SaveRegSetting("Advanced", "Adv_FontSize", "30");
  settings::ImportSetting("Advanced", "Adv_FontName", "Arial");
  settings::ImportSetting("Advanced", "Adv_FontSize", "12");  // missing: default replaces "30"
  settings::ImportSetting("Advanced", "LockMessage", "dflt");
  settings::ImportSetting("DirectX", "DX_FilterIndex", "0");  // missing section
  EXPECT_EQ(store::GetSettingString("Advanced", "Adv_FontName", "?"), "Verdana");
  EXPECT_EQ(store::GetSettingString("Advanced", "Adv_FontSize", "?"), "12");
  EXPECT_EQ(store::GetSettingString("Advanced", "LockMessage", "?"), "");
  EXPECT_EQ(store::GetSettingString("DirectX", "DX_FilterIndex", "?"), "0");
}

// Files of the folder, by name.
std::vector<std::string> FolderNames(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(TemplateFileTest, WholeTemplateReplacesTheOldFileOnlyWhenAllWasWritten) {
  testsupport::WriteFile(path_, "old");
  std::filesystem::permissions(path_, std::filesystem::perms(0640));
  testsupport::MessageRecorder messages;
  EXPECT_TRUE(settings::WriteWholeTemplate(path_, [] {
    settings::WriteTemplateValue("Admin", "Product", "Zorvane");
    settings::ExportSetting("Advanced", "Adv_FontSize", "12");
  }));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(testsupport::ReadFile(path_), "\r\n[Admin]\r\nProduct=Zorvane\r\n\r\n[Advanced]\r\nAdv_FontSize=12\r\n");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"t.glx"});
  EXPECT_EQ(std::filesystem::status(path_).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 0);
}

TEST_F(TemplateFileTest, WholeTemplateThatFailsLeavesTheOldFile) {
  const std::string big(5000, 'x');
  auto writeBig = [&big] {
    for (int i = 0; i < 4; ++i) settings::WriteTemplateValue("Advanced", "LockMessage" + std::to_string(i), big);
  };
  {
    SCOPED_TRACE("the disk refuses the writes");
    testsupport::WriteFile(path_, "old");
    // A file size limit makes writes beyond 1 KiB fail, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1024;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    testsupport::MessageRecorder messages;
    const bool written = settings::WriteWholeTemplate(path_, writeBig);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(testsupport::ReadFile(path_), "old");
    EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"t.glx"});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "There was an error writing the file.");
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
  }
  {
    SCOPED_TRACE("the folder does not exist");
    testsupport::MessageRecorder messages;
    EXPECT_FALSE(settings::WriteWholeTemplate(dir_ + "/none/t.glx", writeBig));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/none"));
    EXPECT_EQ(messages.messages.size(), 1u);
  }
  {
    SCOPED_TRACE("a folder stands at the path");
    std::filesystem::create_directory(dir_ + "/folder.glx");
    testsupport::MessageRecorder messages;
    EXPECT_FALSE(settings::WriteWholeTemplate(dir_ + "/folder.glx", writeBig));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/folder.glx"));
    EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{"folder.glx", "t.glx"}));
    EXPECT_EQ(messages.messages.size(), 1u);
  }
  {
    SCOPED_TRACE("the writing ends early");
    testsupport::MessageRecorder messages;
    EXPECT_THROW(settings::WriteWholeTemplate(path_, [&writeBig] {
                   writeBig();
                   throw std::runtime_error("ended");
                 }),
                 std::runtime_error);
    EXPECT_EQ(testsupport::ReadFile(path_), "old");
    EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{"folder.glx", "t.glx"}));
  }
  EXPECT_EQ(settings::templateWriter().TemplateFileNumber, 0);
}

}  // namespace
