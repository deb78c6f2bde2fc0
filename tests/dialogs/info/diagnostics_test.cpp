// The diagnostics of this machine: each field's text, the problem marks, the registry test,
// the report and its mail link.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QLocale>
#include <QUrl>
#include <string>

#include "dialogs/info/diagnostics.h"
#include "dialogs/info/mail_links.h"
#include "dialogs/info/product_info.h"
#include "host/qt_test_app.h"
#include "platform/registry_store.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kDe(QLocale::German, QLocale::Germany);
const QLocale kFr(QLocale::French, QLocale::France);

TEST(Diagnostics, ColorCountIsTwoToTheDepthCappedAndGrouped) {
  const struct {
    int32_t depth;
    const QLocale& locale;
    const char* text;
  } cases[] = {
      {16, kUs, "65,536"},  {24, kUs, "16,777,216"}, {32, kUs, "2,147,483,648"}, {48, kUs, "2,147,483,648"},
      {8, kUs, "256"},      {1, kUs, "2"},           {16, kDe, "65.536"},        {0, kUs, ""},
      {-4, kUs, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(dialogs::ColorCountText(c.depth, c.locale), c.text) << c.depth;
}

TEST(Diagnostics, SystemLineFromUnameAndOsRelease) {
  const std::string osRelease = "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n";
  EXPECT_EQ(dialogs::SystemLine("Linux", "6.1.0-18-amd64", osRelease), "Linux:  6.1   Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(dialogs::SystemLine("Linux", "5.15.90.1-microsoft", "PRETTY_NAME='Alpine 3.19'\n"), "Linux:  5.15   Alpine 3.19");
  EXPECT_EQ(dialogs::SystemLine("Linux", "6", "PRETTY_NAME=Bare\n"), "Linux:  6   Bare");
  EXPECT_EQ(dialogs::SystemLine("Linux", "", ""), "Linux:     ");
}

TEST(Diagnostics, ProcessorLinesFromCpuinfo) {
  const std::string x86 =
      "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 142\n"
      "model name\t: Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz\nstepping\t: 10\n\n"
      "processor\t: 1\nvendor_id\t: Other\nmodel name\t: Second\n";
  EXPECT_EQ(dialogs::ProcessorText(x86, "x86_64"),
            "Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz\r\nx86_64 Family 6 Model 142 Stepping 10\r\nGenuineIntel");
  // No family, model or stepping (many ARM machines): the middle line stays empty.
  EXPECT_EQ(dialogs::ProcessorText("processor\t: 0\nmodel name\t: ARMv8 Processor\n", "aarch64"),
            "ARMv8 Processor\r\n\r\n");
  EXPECT_EQ(dialogs::ProcessorText("", "x86_64"), "\r\n\r\n");
}

TEST(Diagnostics, MonitorLines) {
  EXPECT_EQ(dialogs::MonitorsText(1920, 1080, {}), "Primary Monitor:        Width=1920  Height=1080\r\n");
  EXPECT_EQ(dialogs::MonitorsText(1920, 1080, {{1280, 1024}, {800, 600}}),
            "Primary Monitor:        Width=1920  Height=1080\r\n"
            "Secondary Monitor:  Width=1280  Height=1024\r\n"
            "Secondary Monitor:  Width=800  Height=600\r\n");
}

TEST(Diagnostics, OnePointTwoFiveThroughTheLocaleAndWithAPoint) {
  const struct {
    const QLocale& locale;
    const char* single;
    const char* val;
  } cases[] = {
      {kUs, "1.25", "1.25"},
      {kDe, "125", "1,25"},        // "." groups thousands in German
      {kFr, "Error # 13", "1,25"}, // "." is no separator at all in French
      {QLocale::c(), "1.25", "1.25"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    EXPECT_EQ(dialogs::LocaleSingleText("1.25", c.locale), c.single);
    EXPECT_EQ(dialogs::LocaleValText("1.25", c.locale), c.val);
  }
  EXPECT_EQ(dialogs::LocaleSingleText("1,25", kDe), "1,25");
  EXPECT_EQ(dialogs::LocaleSingleText("1,2,5", kDe), "Error # 13");
  EXPECT_EQ(dialogs::LocaleSingleText("1e99", kUs), "Error # 6");
}

// Denies every write to the settings store while reads go on working.
void DenyWrites() {
  platform::ResetRegistry();
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(platform::DefaultRegistryPath().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TRIGGER deny_insert BEFORE INSERT ON reg_values BEGIN SELECT RAISE(ABORT, 'denied'); END;"
                         "CREATE TRIGGER deny_update BEFORE UPDATE ON reg_values BEGIN SELECT RAISE(ABORT, 'denied'); END;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
}

TEST(Diagnostics, RegistryTestPassesOnlyWhenThisRunsWriteReadsBack) {
  {
    testsupport::TempConfig config;
    EXPECT_EQ(dialogs::RegistryWriteTest(), "OK");
    EXPECT_EQ(store::GetSettingString("General", "RegistryReadWriteTest", ""), "OK");
  }
  {  // a stale "OK" from an earlier run, and this run cannot write
    testsupport::TempConfig config;
    ASSERT_TRUE(store::SaveRegSetting("General", "RegistryReadWriteTest", "OK"));
    DenyWrites();
    EXPECT_FALSE(store::SaveRegSetting("General", "Other", "x"));
    EXPECT_EQ(store::GetSettingString("General", "RegistryReadWriteTest", ""), "OK");
    EXPECT_EQ(dialogs::RegistryWriteTest(), "No Access");
  }
  {  // the store cannot be opened at all: its folder is a file
    testsupport::TempConfig config;
    testsupport::WriteFile(config.dir() + "/zorvane", "not a folder");
    platform::ResetRegistry();
    EXPECT_EQ(dialogs::RegistryWriteTest(), "No Access");
  }
}

dialogs::DiagnosticsSources Sources() {
  dialogs::DiagnosticsSources s;
  s.twipsWidth = 28800;
  s.twipsHeight = 16200;
  s.twipsPerPixel = 15;
  s.pixelWidth = 1920;
  s.pixelHeight = 1080;
  s.depth = 24;
  s.monitors = {{1280, 1024}};
  s.sysname = "Linux";
  s.release = "6.1.0-18-amd64";
  s.machine = "x86_64";
  s.osRelease = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
  s.cpuinfo = "vendor_id\t: AuthenticAMD\ncpu family\t: 23\nmodel\t\t: 113\nmodel name\t: AMD Ryzen 5 3600 #1 & 50%\nstepping\t: 0\n";
  s.locale = kDe;
  return s;
}

TEST(Diagnostics, GatherFillsEveryFieldAndMarksMissingDisplayValues) {
  testsupport::TempConfig config;
  const dialogs::DiagnosticsFields f = dialogs::GatherDiagnostics(Sources());
  const std::map<int32_t, std::string> expected{
      {0, "28800"},
      {1, "16200"},
      {2, "15"},
      {3, "16.777.216"},
      {9, "1920"},
      {10, "1080"},
      {30, "Linux:  6.1   Debian GNU/Linux 12 (bookworm)"},
      {31, "AMD Ryzen 5 3600 #1 & 50%\r\nx86_64 Family 23 Model 113 Stepping 0\r\nAuthenticAMD"},
      {32, "Primary Monitor:        Width=1920  Height=1080\r\nSecondary Monitor:  Width=1280  Height=1024\r\n"},
      {33, "No DirectX in use."},
      {40, "German_Standard (Western Europe / US)"},
      {41, "125"},
      {42, "1,25"},
      {50, "OK"}};
  EXPECT_EQ(f.text, expected);
  EXPECT_TRUE(f.problem.empty());

  dialogs::DiagnosticsSources bad = Sources();
  bad.twipsWidth = 0;
  bad.twipsPerPixel = 0;
  bad.depth = 0;
  bad.pixelHeight = 0;
  bad.locale = QLocale::c();
  const dialogs::DiagnosticsFields g = dialogs::GatherDiagnostics(bad);
  EXPECT_EQ(g.problem, (std::set<int32_t>{0, 2, 3, 10}));
  for (int32_t field : {0, 2, 3, 10}) EXPECT_EQ(g[field], "???") << field;
  EXPECT_EQ(g[1], "16200");
  EXPECT_EQ(g[40], "");
}

TEST(Diagnostics, MachineSourcesReadThisComputer) {
  testsupport::EnsureQtApplication();
  const dialogs::DiagnosticsSources s = dialogs::MachineDiagnosticsSources();
  EXPECT_EQ(s.sysname, "Linux");
  EXPECT_FALSE(s.release.empty());
  EXPECT_FALSE(s.osRelease.empty());
  EXPECT_GT(s.depth, 0);
}

TEST(Diagnostics, ReportAndItsMailLink) {
  testsupport::TempConfig config;
  const dialogs::DiagnosticsFields f = dialogs::GatherDiagnostics(Sources());
  const std::string report = dialogs::DiagnosticsReport(f);
  const std::string expected =
      std::string("Product: Zorvane   Version: ") + dialogs::kVersionText + "   Build: " +
      std::to_string(dialogs::kBuildNumber) +
      "\r\n\r\nDisplay Properties:\r\n"
      "*   Width : Height (pixels)  1920 : 1080\r\n"
      "*   Twips per Pixel 15\r\n"
      "*   Display Colors  16.777.216\r\n\r\n"
      "OS / Hardware / Monitors / DX:  \r\n"
      "Linux:  6.1   Debian GNU/Linux 12 (bookworm)\r\n"
      "AMD Ryzen 5 3600 #1 & 50%\r\nx86_64 Family 23 Model 113 Stepping 0\r\nAuthenticAMD\r\n\r\n"
      "Primary Monitor:        Width=1920  Height=1080\r\nSecondary Monitor:  Width=1280  Height=1024\r\n\r\n\r\n"
      "No DirectX in use.\r\n\r\n"
      "*   Country (Region):  German_Standard (Western Europe / US)\r\n"
      "*   Convert 1.25 Single() 125\r\n"
      "*   Convert 1.25 Val()    1,25\r\n\r\n"
      "Registry Test:   OK";
  EXPECT_EQ(report, expected);

  const std::string link = dialogs::DiagnosticsMailLink(report);
  const std::string head = std::string("mailto:") + dialogs::kFeedbackAddress +
                           "?Subject=PC%20System%20Diagnostics%20(ZORV)&Body=";
  ASSERT_EQ(link.substr(0, head.size()), head);
  const std::string body = link.substr(head.size());
  // The "#", "&" and "%" of the processor's name can neither cut the link nor change the body.
  for (size_t i = 0; i < body.size(); ++i)
    if (body[i] == '%') {
      EXPECT_TRUE(i + 2 < body.size() && isxdigit(body[i + 1]) && isxdigit(body[i + 2]));
    }
  EXPECT_EQ(body.find_first_of("#& ()\r\n"), std::string::npos);
  EXPECT_NE(body.find("Width%20%3A%20Height"), std::string::npos);
  EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(body)).toStdString(), report);
}

}  // namespace
