// The whole-set roads between the dialog and the settings store or a template: first run,
// settings start, Accept, load, template save and open, factory reset, and the faults of a
// store or template that cannot be used.
#include "dialogs/properties/settings_roads.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/type_lists.h"
#include "roads_fixture.h"
#include "settings/factory_universe.h"
#include "settings/galaxy_persistence.h"
#include "settings/settings_transfer.h"
#include "store/typed_readers.h"
#include "store/values.h"
#include "support/file_rights.h"
#include "support/test_support.h"

namespace dialogs {
namespace {

// The window's load up to its settings start: the lists filled from the store.
void LoadLists(PropsControls& c) {
  FillGalaxyList(c, true);
  FillCompositeList(c, true);
  FillUniProfileList(c);
}

// Every value the dialog holds for the settings set: the fields it moves, then the lines of the
// type lists and a digest of the records.
std::vector<std::string> Snapshot(PropsControls& c, bool withBlending = true) {
  std::vector<std::string> v;
  v.push_back(c.cboResolution->Text());
  v.push_back(std::to_string(c.cboFilterEffect->ListIndex()));
  for (int i = 0; i < 3; ++i) v.push_back(c.txtFilterRGB[i].Text());
  for (int i = 0; i < 2; ++i) v.push_back(c.txtDesktopBlend[i].Text());
  for (int i = 0; i < 4; ++i) v.push_back(c.txtColorProps[i].Text());
  for (auto [index, box] : c.txtUni)
    if (withBlending || (index != 2 && index != 3)) v.push_back(std::to_string(index) + "=" + box->Text());
  v.push_back(c.cboTourGalaxies->Text());
  for (controls::CheckBox* b : {c.chkUniTour, c.chkVisitSeq, c.chkRotCamera}) v.push_back(std::to_string(b->Value()));
  v.push_back(std::to_string(c.cboUniProfile->ListIndex()));
  for (int i = 0; i < c.lstUniGalaxy->ListCount(); ++i) v.push_back(c.lstUniGalaxy->List(i));
  for (int i = 0; i < c.lstCompGalaxy->ListCount(); ++i) v.push_back(c.lstCompGalaxy->List(i));
  for (int n = 0; n < model::kEditableGalaxyTypes; ++n) {
    const model::GalaxyTypeProps& g = model::records().GalaxyTypes[static_cast<size_t>(n)];
    v.push_back(std::to_string(g.Galaxy_Radius) + "," + std::to_string(g.Galaxy_GalStyle) + "," +
                std::to_string(g.Galaxy_RadFill) + "," + std::to_string(g.Ifs.Galaxy_IFS_Points) + "," +
                std::to_string(g.Atoms.Galaxy_Atoms));
  }
  for (const model::CompositeRecord& r : model::records().CompositeGalaxies) {
    std::string s = r._CompGalName + "," + std::to_string(r._CompGalPct) + "," + std::to_string(r.CompGal_Count);
    for (int k = 0; k < r.CompGal_Count; ++k) s += "," + std::to_string(r.CompGal_Type[static_cast<size_t>(k)]);
    v.push_back(s);
  }
  return v;
}

// Changes every kind of value away from the factory set.
void ChangeEverything(PropsControls& c) {
  c.cboResolution->SetListIndex(1);
  c.cboFilterEffect->SetListIndex(3);
  c.txtFilterRGB[1].SetText("77");
  c.txtDesktopBlend[0].SetText("40");
  c.txtDesktopBlend[1].SetText("12");
  c.txtColorProps[0].SetText("55");
  c.txtColorProps[3].SetText("-120");
  c.txtUni[0].SetText("4321");
  c.txtUni[2].SetText("60");
  c.txtUni[3].SetText("20");
  c.txtUni[12].SetText("0.9");
  c.txtUni[34].SetText("123");
  c.txtUni[51].SetText("9");
  c.cboTourGalaxies->SetText("2 4 6");
  c.chkUniTour->SetValue(0);
  c.chkRotCamera->SetValue(1);
  c.cboUniProfile->SetListIndex(50);
  model::GalaxyTypeProps& g = model::records().GalaxyTypes[7];
  g._UniGalName = "Seventh";
  g._UniGalPct = 42;
  g.Galaxy_Radius = 2345;
  g.Galaxy_RadFill = 33;
  model::CompositeRecord& r = model::records().CompositeGalaxies[4];
  r._CompGalName = "Fourth";
  r._CompGalPct = 12;
  r.CompGal_Count = 2;
  r.CompGal_Type[0] = 7;
  r.CompGal_Type[1] = 9;
  FillGalaxyList(c, false);
  FillCompositeList(c, false);
}

class SettingsRoadsTest : public RoadsTest {
 protected:
  void SetUp() override {
    RoadsTest::SetUp();
    SetWelcomeWindowOpener([this] { ++welcomes; });
  }
  int welcomes = 0;
};

TEST_F(SettingsRoadsTest, FirstRunOnAnEmptyStoreShowsTheFactorySetAndStoresItOnlyOnAccept) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);

  EXPECT_EQ(welcomes, 1);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Raw("General", "ResetSettings"), "1");
  // The factory fields and records.
  EXPECT_EQ(c.cboResolution->Text(), "1024 * 768");
  EXPECT_EQ(c.cboFilterEffect->ListIndex(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.txtColorProps[i].Text(), settings::kHueConeValues[i].def);
  const std::string theme = settings::FactoryUniverseRow(1);
  EXPECT_EQ(c.txtUni[0].Text(), store::GetCsvField(theme, 0));
  EXPECT_EQ(c.txtUni[1].Text(), store::GetCsvField(theme, 1));
  EXPECT_EQ(c.cboUniTheme->ListIndex(), 1);
  EXPECT_EQ(c.txtUni[2].Text(), "100");
  EXPECT_EQ(c.txtUni[3].Text(), "35");
  EXPECT_EQ(c.lstUniGalaxy->ListCount(), 50);
  EXPECT_EQ(c.lstUniGalaxy->ListIndex(), 0);
  for (int n : {0, 49})
    EXPECT_EQ(c.lstUniGalaxy->List(n).rfind(settings::factoryGalaxies().GalaxyStyleNames[static_cast<size_t>(n)], 0), 0u);
  EXPECT_EQ(model::records().GalaxyTypes[0]._UniGalName, settings::factoryGalaxies().GalaxyStyleNames[0]);
  // The display, Advanced, blending and random-variation values are stored ...
  EXPECT_EQ(Raw("DirectX", "DX_WinWidth"), "1024");
  EXPECT_EQ(Raw("DirectX", "DX_BlendUniBurst"), "100");
  EXPECT_EQ(Raw("Advanced", "Adv_FontName"), "Arial");
  EXPECT_EQ(Raw("Advanced", "Adv_RandomMag"), "5");
  EXPECT_EQ(Raw("Advanced", "Adv_ZidiCycle"), "<missing>");
  // ... the universe values, the marker and the records only on Accept.
  EXPECT_EQ(Raw("Universe", "Universe_Stars"), "<missing>");
  EXPECT_EQ(Raw("General", "AnimationType"), "<missing>");
  EXPECT_EQ(Raw("Universe\\Galaxy0", "_UniGalName"), "<missing>");
  EXPECT_EQ(Raw("Universe\\CompGal0", "_CompGalName"), "<missing>");

  ASSERT_TRUE(CyclePropsArraysToReg(c));
  EXPECT_EQ(Raw("General", "AnimationType"), "0");
  EXPECT_EQ(Raw("Universe", "Universe_Stars"), store::GetCsvField(theme, 0));
  EXPECT_EQ(Raw("Universe\\Galaxy0", "_UniGalName"), settings::factoryGalaxies().GalaxyStyleNames[0]);
  EXPECT_EQ(Raw("Universe\\CompGal0", "_CompGalName"), model::records().CompositeGalaxies[0]._CompGalName);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsRoadsTest, SettingsStartChoosesItsRoadByTheMarkers) {
  struct Case {
    const char* what;
    bool resetSettings, animationType;
    int welcomes;
    bool factory;       // the factory set is shown
    bool storedMarker;  // AnimationType stored afterwards
  } cases[] = {
      {"never opened, set stored", false, true, 1, false, true},
      {"opened, no complete set", true, false, 0, true, true},
      {"opened, set stored", true, true, 0, false, true},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::TempConfig fresh;
    model::ResetGalaxyRecords();
    welcomes = 0;
    if (t.resetSettings) store::SaveRegSetting("General", "ResetSettings", 1);
    if (t.animationType) {
      store::SaveRegSetting("General", "AnimationType", 0);
      store::SaveRegSetting("Universe", "Universe_Stars", "777");
      store::SaveRegSetting("GenColor", "HWC_ConeBright", "66");
    }
    PropsControls& c = form->c;
    LoadLists(c);
    ApplyFilterEffect(c);
    EXPECT_EQ(welcomes, t.welcomes);
    EXPECT_EQ(Raw("General", "ResetSettings"), "1");
    EXPECT_EQ(Raw("General", "AnimationType") == "0", t.storedMarker);
    if (t.factory) {
      EXPECT_EQ(c.txtUni[0].Text(), store::GetCsvField(settings::FactoryUniverseRow(1), 0));
      EXPECT_EQ(Raw("Universe", "Universe_Stars"), c.txtUni[0].Text());
      EXPECT_EQ(c.txtColorProps[0].Text(), "100");
    } else {
      EXPECT_EQ(c.txtUni[0].Text(), "777");
      EXPECT_EQ(c.txtColorProps[0].Text(), "66");
    }
  }
}

TEST_F(SettingsRoadsTest, AcceptThenLoadGivesBackEveryValue) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  ChangeEverything(c);
  const std::vector<std::string> accepted = Snapshot(c);
  ASSERT_TRUE(CyclePropsArraysToReg(c));

  // A new dialog over the same store.
  form.reset();
  model::ResetGalaxyRecords();
  form = std::make_unique<FieldsForm>();
  FillSizeList(form->c);
  LoadLists(form->c);
  ApplyFilterEffect(form->c);
  EXPECT_EQ(Snapshot(form->c), accepted);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsRoadsTest, TemplateSavedAndOpenedGivesBackEveryValue) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  store::SaveRegSetting("Advanced", "LockMessage", "a=b c");
  store::SaveRegSetting("Advanced", "Adv_RandomMag", "9");
  ChangeEverything(c);
  const std::vector<std::string> saved = Snapshot(c, false);
  ASSERT_TRUE(CyclePropsArraysToTemp(c));
  const std::string file = testsupport::ReadFile(store::templateState().TemplatePath);
  EXPECT_EQ(file.rfind("\r\n[Admin]\r\nProduct=Zorvane\r\nVersion=", 0), 0u);
  EXPECT_NE(file.find("\r\n[General]\r\nAnimationType=0\r\n\r\n[Advanced]\r\nFocalLength=1\r\n"), std::string::npos);

  // Back to the factory set, with other stored Advanced values, then the template opened.
  CyclePropsResetToFactory(c);
  FillCompositeList(c, false);
  store::SaveRegSetting("Advanced", "LockMessage", "other");
  c.txtUni[2].SetText("11");
  ASSERT_NE(Snapshot(c, false), saved);
  ASSERT_TRUE(CyclePropsTempToArrays(c));
  EXPECT_EQ(Snapshot(c, false), saved);
  EXPECT_EQ(Raw("Advanced", "LockMessage"), "a=b c");
  // Not carried: the random-variation values take their defaults, the blending fields stay.
  EXPECT_EQ(Raw("Advanced", "Adv_RandomMag"), "5");
  EXPECT_EQ(c.txtUni[2].Text(), "11");
  EXPECT_TRUE(store::templateState().TemplateText.empty());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsRoadsTest, TemplateThatCannotBeReadChangesNothing) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  ChangeEverything(c);
  const std::vector<std::string> before = Snapshot(c);
  store::SaveRegSetting("Advanced", "Adv_TimeDelay", "33");
  struct Case {
    const char* what;
    const char* contents;  // nullptr: no file
    bool pipe = false;     // a named pipe that no program writes to
  } cases[] = {{"missing", nullptr},
               {"empty", ""},
               {"no section header", "FocalLength=3\r\nAdv_TimeDelay=5\r\n"},
               {"a named pipe without a writer", nullptr, true}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    const std::string path = dir + "/" + t.what + ".glx";
    if (t.contents != nullptr) testsupport::WriteFile(path, t.contents);
    if (t.pipe) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    store::templateState().TemplatePath = path;
    messages.messages.clear();
    EXPECT_FALSE(CyclePropsTempToArrays(c));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The template file could not be read.");
    EXPECT_EQ(Snapshot(c), before);
    EXPECT_EQ(Raw("Advanced", "Adv_TimeDelay"), "33");
    EXPECT_EQ(Raw("Advanced", "Adv_RandomMag"), "5");
  }
}

TEST_F(SettingsRoadsTest, TemplateOpenedStoresItsAdvancedValuesTogetherOrNotAtAll) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  store::SaveRegSetting("Advanced", "FocalLength", "3");
  store::SaveRegSetting("Advanced", "Adv_RandomMag", "9");
  store::SaveRegSetting("Advanced", "Adv_RandomExp", "7");
  testsupport::WriteFile(store::templateState().TemplatePath,
                         "\r\n[Advanced]\r\nFocalLength=2\r\n\r\n[Universe]\r\nUniverse_Stars=4321\r\n");
  // The last value the open stores is refused.
  testsupport::FailRegistryWritesOf("Adv_RandomExp");

  ASSERT_TRUE(CyclePropsTempToArrays(c));

  EXPECT_EQ(c.txtUni[0].Text(), "4321");
  EXPECT_EQ(Raw("Advanced", "FocalLength"), "3");
  EXPECT_EQ(Raw("Advanced", "Adv_RandomMag"), "9");
  EXPECT_EQ(Raw("Advanced", "Adv_RandomExp"), "7");
}

TEST_F(SettingsRoadsTest, TemplateOpenedKeepsTheRecordsItDoesNotCarry) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  ChangeEverything(c);
  // The type list lines, the composite list lines and the record digests of the snapshot.
  auto records = [&c] {
    const std::vector<std::string> all = Snapshot(c);
    const auto n = static_cast<std::ptrdiff_t>(c.lstUniGalaxy->ListCount() + c.lstCompGalaxy->ListCount() +
                                               model::kEditableGalaxyTypes + model::kCompositeCount);
    return std::vector<std::string>(all.end() - n, all.end());
  };
  struct Case {
    const char* what;
    const char* text;
    int carried;  // the one type the file holds, -1: none
  } cases[] = {
      {"header only", "[Admin]", -1},
      {"one type, cut short", "\r\n[Admin]\r\nProduct=Zorvane\r\n\r\n[UniGal2]\r\n_UniGalName=Second\r\nGalaxy_Rad", 2},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::WriteFile(store::templateState().TemplatePath, t.text);
    std::vector<std::string> before = records();

    ASSERT_TRUE(CyclePropsTempToArrays(c));

    std::vector<std::string> after = records();
    if (t.carried >= 0) {
      EXPECT_EQ(model::records().GalaxyTypes[static_cast<size_t>(t.carried)]._UniGalName, "Second");
      // Its list line and its digest change; nothing else does.
      for (auto* v : {&before, &after}) {
        v->erase(v->begin() + c.lstUniGalaxy->ListCount() + c.lstCompGalaxy->ListCount() + t.carried);
        v->erase(v->begin() + t.carried);
      }
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(model::records().GalaxyTypes[7]._UniGalName, "Seventh");
    EXPECT_EQ(model::records().CompositeGalaxies[4]._CompGalName, "Fourth");
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsRoadsTest, SaveThatFailsKeepsTheOldTemplate) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  const std::string& path = store::templateState().TemplatePath;
  testsupport::WriteFile(path, "\r\n[General]\r\nAnimationType=0\r\n");
  std::filesystem::remove(dir + "/t.glx");
  std::filesystem::create_directory(dir + "/t.glx");  // a folder where the file should go
  EXPECT_FALSE(CyclePropsArraysToTemp(c));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "There was an error writing the file.");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator{}), 1);
}

TEST_F(SettingsRoadsTest, AcceptThatCannotStoreTellsOnceAndStoresNothing) {
  struct Case {
    const char* what;
    const char* refused;  // the value the store refuses; nullptr: the store is damaged
  } cases[] = {
      {"damaged store", nullptr},
      {"a galaxy value fails", "Galaxy_CometSWind"},
      {"the last composite value fails", "CompGal_Type1"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::TempConfig fresh;
    platform::ResetRegistry();
    model::ResetGalaxyRecords();
    PropsControls& c = form->c;
    LoadLists(c);
    ApplyFilterEffect(c);
    ChangeEverything(c);
    const std::string path = platform::DefaultRegistryPath();
    if (t.refused == nullptr) {
      platform::ResetRegistry();
      testsupport::WriteFile(path, std::string(4096, 'q'));
    } else {
      testsupport::FailRegistryWritesOf(t.refused);
    }
    const std::string storeBefore = testsupport::ReadFile(path);
    messages.messages.clear();

    EXPECT_FALSE(CyclePropsArraysToReg(c));

    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("The Registry is read-only.", 0), 0u);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(Raw("General", "AnimationType"), "<missing>");
    EXPECT_EQ(Raw("Universe", "Universe_Stars"), "<missing>");
    EXPECT_EQ(Raw("Universe\\Galaxy0", "_UniGalName"), "<missing>");
    EXPECT_EQ(Raw("GenColor", "HWC_ConeBright"), "<missing>");
    if (t.refused == nullptr) {
      EXPECT_EQ(testsupport::ReadFile(path), storeBefore);
    }
    platform::ResetRegistry();
  }
}

TEST_F(SettingsRoadsTest, StoreThatCannotBeReadIsToldOnOpeningAndLeftUntouched) {
  struct Case {
    const char* what;
    bool folder;  // a folder in place of the store's file; otherwise a damaged file
  } cases[] = {{"damaged file", false}, {"a folder in place of the file", true}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    testsupport::TempConfig fresh;
    const std::string path = platform::DefaultRegistryPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (t.folder)
      std::filesystem::create_directory(path);
    else
      testsupport::WriteFile(path, std::string(4096, 'q'));
    platform::ResetRegistry();
    model::ResetGalaxyRecords();
    messages.messages.clear();
    PropsControls& c = form->c;
    LoadLists(c);

    ApplyFilterEffect(c);

    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("The stored settings could not be read:\r\n" + path + "\r\n", 0), 0u);
    EXPECT_NE(messages.messages[0].text.find("Nothing will be written over the stored settings"), std::string::npos);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    // The factory set is shown; Accept stores nothing and says so.
    EXPECT_EQ(c.cboResolution->Text(), "1024 * 768");
    EXPECT_FALSE(CyclePropsArraysToReg(c));
    EXPECT_EQ(messages.messages.size(), 2u);
    if (t.folder) {
      EXPECT_TRUE(std::filesystem::is_empty(path));
    } else {
      EXPECT_EQ(testsupport::ReadFile(path), std::string(4096, 'q'));
    }
    platform::ResetRegistry();
  }
}

// Settings the dialog can read but not write: shown as stored (no first run over them), the
// user told once at the start which parts are read-only, nothing written then or on Accept.
// Only where nothing of the set is stored does the factory set show, and it is not stored.
TEST_F(SettingsRoadsTest, StoreThatCannotBeWrittenIsShownAsStoredAndToldOnce) {
  struct Case {
    const char* what;
    bool resetSettings, set;
    int welcomes;
  } cases[] = {
      {"opened, set stored", true, true, 0},
      {"never opened, set stored", false, true, 0},
      {"opened, no complete set", true, false, 0},
      {"nothing stored", false, false, 1},
  };
  // What cannot be written: the folder; the folder and the file at once; the side files of the
  // log that the last writes were left in, beside a file and in a folder that can be written.
  enum class Refused { Folder, FolderAndFile, SideFiles };
  for (const Refused refused : {Refused::Folder, Refused::FolderAndFile, Refused::SideFiles}) {
    for (const Case& t : cases) {
      SCOPED_TRACE(std::string(t.what) + (refused == Refused::Folder          ? ", folder read-only"
                                          : refused == Refused::FolderAndFile ? ", folder and file read-only"
                                                                              : ", side files read-only"));
      testsupport::TempConfig fresh;
      ASSERT_TRUE(platform::Registry().ok());
      if (t.resetSettings) store::SaveRegSetting("General", "ResetSettings", 1);
      if (t.set) {
        store::SaveRegSetting("General", "AnimationType", 0);
        store::SaveRegSetting("Universe", "Universe_Stars", "777");
        store::SaveRegSetting("GenColor", "HWC_ConeBright", "66");
      }
      if (refused == Refused::SideFiles)
        testsupport::CloseRegistryLeavingItsLog();
      else
        platform::ResetRegistry();
      const std::string path = platform::DefaultRegistryPath();
      const std::string folder = std::filesystem::path(path).parent_path().string();
      std::vector<std::string> readOnly = {folder};
      std::string told = "Their folder is read-only:\r\n" + folder + "\r\n\r\n";
      if (refused == Refused::FolderAndFile) {
        readOnly = {folder, path};
        told = "Their folder and file are read-only:\r\n" + folder + "\r\n" + path + "\r\n\r\n";
      } else if (refused == Refused::SideFiles) {
        readOnly = {path + "-wal", path + "-shm"};
        told = "Their side files are read-only:\r\n" + path + "-wal\r\n" + path + "-shm\r\n\r\n";
      }
      const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator{});
      const std::string storeBefore = testsupport::ReadFile(path);
      model::ResetGalaxyRecords();
      welcomes = 0;
      messages.messages.clear();
      {
        std::vector<std::unique_ptr<testsupport::ScopedMode>> modes;
        for (const std::string& part : readOnly)
          modes.push_back(std::make_unique<testsupport::ScopedMode>(part, part == folder ? 0555 : 0444));
        testsupport::NoFileOverride asAnyUser;
        PropsControls& c = form->c;
        LoadLists(c);

        ApplyFilterEffect(c);

        EXPECT_EQ(welcomes, t.welcomes);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text.rfind("The stored settings can be read but not changed. " + told, 0), 0u)
            << messages.messages[0].text;
        if (t.set) {
          EXPECT_EQ(c.txtUni[0].Text(), "777");
          EXPECT_EQ(c.txtColorProps[0].Text(), "66");
        } else {
          EXPECT_EQ(c.txtUni[0].Text(), store::GetCsvField(settings::FactoryUniverseRow(1), 0));
          EXPECT_EQ(c.txtColorProps[0].Text(), "100");
        }
        // Accept stores nothing and says so.
        EXPECT_FALSE(CyclePropsArraysToReg(c));
        ASSERT_EQ(messages.messages.size(), 2u);
        EXPECT_EQ(messages.messages[1].text.rfind("The Registry is read-only.", 0), 0u);
        platform::ResetRegistry();
      }
      // Nothing was made beside the store, and the store is as it was.
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_TRUE(entry.path() == path || (refused == Refused::SideFiles &&
                                             (entry.path() == path + "-wal" || entry.path() == path + "-shm")))
            << entry.path();
      }
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator{}),
                filesBefore);
      EXPECT_EQ(testsupport::ReadFile(path), storeBefore);
      EXPECT_EQ(Raw("General", "ResetSettings") == "1", t.resetSettings);
      EXPECT_EQ(Raw("General", "AnimationType") == "0", t.set);
    }
  }
}

TEST_F(SettingsRoadsTest, FactoryResetAppliesThemeOneEvenWhenItIsChosen) {
  PropsControls& c = form->c;
  LoadLists(c);
  ApplyFilterEffect(c);
  ASSERT_EQ(c.cboUniTheme->ListIndex(), 1);
  c.txtUni[0].SetText("99");
  c.cboUniExtras->SetListIndex(3);
  model::records().GalaxyTypes[3].Galaxy_Radius = 5;
  CyclePropsResetToFactory(c);
  EXPECT_EQ(c.txtUni[0].Text(), store::GetCsvField(settings::FactoryUniverseRow(1), 0));
  EXPECT_EQ(c.cboUniExtras->ListIndex(), 0);
  EXPECT_NE(model::records().GalaxyTypes[3].Galaxy_Radius, 5);
}

}  // namespace
}  // namespace dialogs
