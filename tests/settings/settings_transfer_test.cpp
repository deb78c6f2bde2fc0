#include "settings/settings_transfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "model/galaxy_types.h"
#include "platform/registry_store.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "settings/template_fixture.h"
#include "support/test_support.h"

namespace {

class CommandLineTemplateTest : public settingstest::TemplateTest {
 protected:
  void SetUp() override {
    model::ResetGalaxyRecords();
    TemplateTest::SetUp();
    store::templateState().TemplatePath.clear();
  }
};

// A short template: a few values of each section, one galaxy type and one composite. Every
// value it lacks must reach the registry as its default.
const char* const kTemplate =
    "\r\n[Admin]\r\nProduct=Zorvane\r\n"
    "\r\n[General]\r\nAnimationType=0\r\n"
    "\r\n[Advanced]\r\nFocalLength=2\r\nLockMessage=a=b\r\n"
    "\r\n[DirectX]\r\nDX_WinWidth=800\r\nDX_DesktopPercent=70\r\n"
    "\r\n[GenColor]\r\nHWC_ConeBright=90\r\n"
    "\r\n[Universe]\r\nUniverse_Stars=5000\r\nUniverse_Tour=0\r\n"
    "\r\n[UniGal3]\r\n_UniGalName=Three\r\nGalaxy_Radius=99999\r\n"
    "\r\n[CompGal2]\r\n_CompGalName=Two\r\n_CompGalPct=7\r\n_CompGalCount=2\r\nGalaxyIndex_0=4\r\n"
    "GalaxyIndex_1=99\r\n";

TEST_F(CommandLineTemplateTest, TemplateValuesOrTheirDefaultsReachTheRegistry) {
  testsupport::WriteFile(path_, "\r\n[Advanced]\r\nFocalLength=5\r\n");
  // A lookup before the road caches the file's earlier text; the road reads the file afresh.
  store::templateState().TemplatePath = path_;
  ASSERT_EQ(store::ReadTemplateValue("Advanced", "FocalLength", ""), "5");
  store::templateState().TemplatePath = "elsewhere.glx";
  testsupport::WriteFile(path_, kTemplate);
  store::SaveRegSetting("DirectX", "DX_FilterMaskR", "12");
  store::SaveRegSetting("DirectX", "DX_BlendUniBurst", "60");
  store::SaveRegSetting("Universe\\Galaxy0", "Galaxy_Radius", "444");
  store::SaveRegSetting("Universe\\CompGal0", "_CompGalName", "Mine");

  EXPECT_TRUE(settings::CyclePropsTempToRegArrays(path_, 1920, 1080));

  EXPECT_EQ(store::templateState().TemplatePath, path_);
  EXPECT_TRUE(store::templateState().TemplateText.empty());
  struct Case {
    const char* section;
    const char* key;
    const char* stored;
  } cases[] = {
      // Display: size and filter only; a missing size is the screen's.
      {"DirectX", "DX_WinWidth", "800"},
      {"DirectX", "DX_WinHeight", "1080"},
      {"DirectX", "DX_FilterIndex", "0"},
      {"DirectX", "DX_DesktopPercent", "<missing>"},
      {"DirectX", "DX_FilterMaskR", "12"},
      {"DirectX", "DX_BlendUniBurst", "60"},
      {"General", "AnimationType", "0"},
      {"GenColor", "HWC_ConeBright", "90"},
      {"GenColor", "HWC_ConeTwist", "45"},
      {"Advanced", "FocalLength", "2"},
      {"Advanced", "LockMessage", "a=b"},
      {"Advanced", "Adv_FontName", "Arial"},
      {"Advanced", "Adv_ZidiCycle", "1"},
      {"Advanced", "Adv_HWB_Speed", "0"},
      {"Advanced", "Adv_Randomize", "0"},
      {"Advanced", "Adv_RandomMag", "5"},
      {"Advanced", "Adv_RandomExp", "2"},
      {"Universe", "Universe_Stars", "5000"},
      {"Universe", "Universe_Tour", "0"},
      {"Universe", "Universe_HW_Start", "170"},
      {"Universe", "Universe_HW_End", "250"},
      {"Universe", "Universe_Persist", "0.985"},
      {"Universe", "Universe_GS_Idx", ""},
      {"Universe", "Universe_Profile", "51"},
      // Galaxy types and composites are loaded, clamped and stored for the saver run; those
      // the template does not carry keep what is stored.
      {"Universe\\Galaxy3", "_UniGalName", "Three"},
      {"Universe\\Galaxy3", "Galaxy_Radius", "30000"},
      {"Universe\\Galaxy0", "Galaxy_Radius", "444"},
      {"Universe\\Galaxy0", "_UniGalName", "<missing>"},
      {"Universe\\Galaxy49", "Galaxy_Radius", "<missing>"},
      {"Universe\\CompGal2", "_CompGalName", "Two"},
      {"Universe\\CompGal2", "_CompGalPct", "7"},
      {"Universe\\CompGal2", "CompGal_Count", "2"},
      {"Universe\\CompGal2", "CompGal_Type1", "49"},
      {"Universe\\CompGal0", "_CompGalName", "Mine"},
      {"Universe\\CompGal15", "_CompGalName", "<missing>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Raw(c.section, c.key), c.stored) << c.section << " " << c.key;
  EXPECT_EQ(model::records().GalaxyTypes[3].Galaxy_Radius, 30000);
  EXPECT_EQ(model::records().CompositeGalaxies[2].CompGal_Type[0], 4);
}

TEST_F(CommandLineTemplateTest, TemplateThatCannotBeReadChangesNothing) {
  struct Case {
    const char* what;
    const char* file;      // name inside the test folder ("" for the folder itself)
    const char* contents;  // nullptr: no file is made
    bool pipe = false;     // a named pipe that no program writes to
  } cases[] = {
      {"missing file", "missing.glx", nullptr},
      {"a folder", "", nullptr},
      {"empty file", "empty.glx", ""},
      {"no section header", "plain.glx", "FocalLength=7\r\nUniverse_Stars=10\r\n"},
      {"a named pipe without a writer", "pipe.glx", nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = std::string(c.file).empty() ? dir_ : dir_ + "/" + c.file;
    if (c.contents != nullptr) testsupport::WriteFile(path, c.contents);
    if (c.pipe) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    store::SaveRegSetting("Advanced", "Adv_RandomMag", "9");
    store::templateState().TemplatePath = path_;
    model::records().GalaxyTypes[4].Galaxy_Radius = 1234;
    testsupport::MessageRecorder messages;

    EXPECT_FALSE(settings::CyclePropsTempToRegArrays(path, 640, 480));

    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The template file could not be read.");
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(Raw("Advanced", "Adv_RandomMag"), "9");
    for (const char* key : {"DX_WinWidth", "DX_FilterIndex"}) EXPECT_EQ(Raw("DirectX", key), "<missing>");
    EXPECT_EQ(Raw("General", "AnimationType"), "<missing>");
    EXPECT_EQ(Raw("Universe", "Universe_Stars"), "<missing>");
    EXPECT_EQ(Raw("Universe\\Galaxy49", "Galaxy_Atoms"), "<missing>");
    EXPECT_EQ(Raw("Universe\\CompGal0", "_CompGalName"), "<missing>");
    EXPECT_EQ(model::records().GalaxyTypes[4].Galaxy_Radius, 1234);
    EXPECT_EQ(store::templateState().TemplatePath, path_);
  }
}

// Stores a set whose every galaxy type and composite is recognisable: type n has the radius
// 1000 + n and the name "Mine n", composite c the name "Comp c".
void StoreOwnRecords() {
  for (int n = 0; n < model::kEditableGalaxyTypes; ++n) {
    const std::string section = "Universe\\Galaxy" + std::to_string(n);
    store::SaveRegSetting(section, "Galaxy_Radius", std::to_string(1000 + n));
    store::SaveRegSetting(section, "_UniGalName", "Mine " + std::to_string(n));
  }
  for (int c = 0; c < model::kCompositeCount; ++c)
    store::SaveRegSetting("Universe\\CompGal" + std::to_string(c), "_CompGalName", "Comp " + std::to_string(c));
}

TEST_F(CommandLineTemplateTest, TemplateCutShortKeepsTheRecordsItDoesNotCarry) {
  struct Case {
    const char* what;
    const char* text;
    int typesCarried;  // types 0 .. typesCarried - 1 have a section in the file
  } cases[] = {
      {"header only", "[Admin]", 0},
      {"cut inside a type",
       "\r\n[Admin]\r\nProduct=Zorvane\r\n\r\n[Universe]\r\nUniverse_Stars=7000\r\n"
       "\r\n[UniGal0]\r\n_UniGalName=Zero\r\nGalaxy_Radius=500\r\n"
       "\r\n[UniGal1]\r\n_UniGalName=One\r\nGalaxy_Rad",
       2},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::TempConfig fresh;
    platform::ResetRegistry();
    StoreOwnRecords();
    UseTemplate(t.text);
    testsupport::MessageRecorder messages;

    EXPECT_TRUE(settings::CyclePropsTempToRegArrays(path_, 640, 480));

    EXPECT_TRUE(messages.messages.empty());
    for (int n = t.typesCarried; n < model::kEditableGalaxyTypes; ++n) {
      const std::string section = "Universe\\Galaxy" + std::to_string(n);
      EXPECT_EQ(Raw(section, "Galaxy_Radius"), std::to_string(1000 + n)) << n;
      EXPECT_EQ(Raw(section, "_UniGalName"), "Mine " + std::to_string(n)) << n;
    }
    for (int c = 0; c < model::kCompositeCount; ++c)
      EXPECT_EQ(Raw("Universe\\CompGal" + std::to_string(c), "_CompGalName"), "Comp " + std::to_string(c)) << c;
    if (t.typesCarried == 2) {
      // The sections the file holds are applied; a value cut short takes its default.
      EXPECT_EQ(Raw("Universe\\Galaxy0", "_UniGalName"), "Zero");
      EXPECT_EQ(Raw("Universe\\Galaxy0", "Galaxy_Radius"), "500");
      EXPECT_EQ(Raw("Universe\\Galaxy1", "_UniGalName"), "One");
      EXPECT_EQ(Raw("Universe\\Galaxy1", "Galaxy_Radius"), "300");
      EXPECT_EQ(Raw("Universe", "Universe_Stars"), "7000");
    }
    platform::ResetRegistry();
  }
}

TEST_F(CommandLineTemplateTest, StoreThatRefusesAWriteKeepsTheOldSetAndSaysSo) {
  struct Case {
    const char* what;
    const char* refused;  // the value the store refuses; nullptr: the store is damaged
  } cases[] = {
      {"damaged store", nullptr},
      {"the first value fails", "DX_WinWidth"},
      {"a galaxy value fails", "Galaxy_CometSWind"},
      {"the last composite value fails", "CompGal_Type1"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::TempConfig fresh;
    platform::ResetRegistry();
    const std::string store = platform::DefaultRegistryPath();
    if (t.refused == nullptr) {
      std::filesystem::create_directories(std::filesystem::path(store).parent_path());
      testsupport::WriteFile(store, std::string(4096, 'q'));
    } else {
      StoreOwnRecords();
      store::SaveRegSetting("Universe", "Universe_Stars", "1234");
      testsupport::FailRegistryWritesOf(t.refused);
    }
    const std::string storeBefore = testsupport::ReadFile(store);
    UseTemplate(kTemplate);
    testsupport::MessageRecorder messages;

    EXPECT_FALSE(settings::CyclePropsTempToRegArrays(path_, 640, 480));

    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("The Registry is read-only.", 0), 0u);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_TRUE(store::templateState().TemplateText.empty());
    EXPECT_EQ(Raw("General", "AnimationType"), "<missing>");
    EXPECT_EQ(Raw("DirectX", "DX_WinWidth"), "<missing>");
    EXPECT_EQ(Raw("Advanced", "FocalLength"), "<missing>");
    if (t.refused == nullptr) {
      EXPECT_EQ(testsupport::ReadFile(store), storeBefore);
    } else {
      EXPECT_EQ(Raw("Universe", "Universe_Stars"), "1234");
      EXPECT_EQ(Raw("Universe\\Galaxy3", "_UniGalName"), "Mine 3");
      EXPECT_EQ(Raw("Universe\\CompGal2", "_CompGalName"), "Comp 2");
    }
    platform::ResetRegistry();
  }
}

}  // namespace
