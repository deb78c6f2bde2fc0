// The universe fields between the dialog and the settings store or a template.
#include "dialogs/properties/universe_transfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/tour_profile.h"
#include "dialogs/properties/type_lists.h"
#include "roads_fixture.h"
#include "settings/settings_transfer.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace dialogs {
namespace {

class UniverseTransferTest : public RoadsTest {
 protected:
  void SetUp() override {
    RoadsTest::SetUp();
    FillGalaxyList(form->c, false);
    FillUniProfileList(form->c);
  }
  // Every value the 28 fields hold, in template order.
  std::vector<std::string> FieldValues() {
    PropsControls& c = form->c;
    std::vector<std::string> v;
    for (int i : {0, 1, 10, 11, 12, 14, 16, 17, 18, 20, 21, 30, 31, 32, 33, 34}) v.push_back(c.txtUni[i].Text());
    v.push_back(c.cboTourGalaxies->Text());
    for (controls::CheckBox* b : {c.chkUniTour, c.chkVisitSeq, c.chkRotCamera}) v.push_back(std::to_string(b->Value()));
    for (int i : {40, 41, 42, 43, 44, 50, 51}) v.push_back(c.txtUni[i].Text());
    v.push_back(std::to_string(c.cboUniProfile->ListIndex()));
    return v;
  }
};

TEST_F(UniverseTransferTest, EmptyStoreShowsEveryDefault) {
  PropsControls& c = form->c;
  c.chkVisitSeq->SetValue(1);
  UniverseRegToControls(c);
  std::vector<std::string> expected;
  for (const settings::NamedDefault& v : settings::kUniverseValues) expected.push_back(v.def);
  // Check boxes and the profile as the controls hold them.
  EXPECT_EQ(FieldValues(), expected);
  EXPECT_EQ(c.cboUniProfile->Text(), "Cycle All Sequentially");
  EXPECT_EQ(c.chkUniTour->Value(), 1);
  EXPECT_EQ(c.chkVisitSeq->Value(), 0);
  EXPECT_EQ(c.chkRotCamera->Value(), 0);
}

// A loaded tour box raises no click when its value stays: the enabling still follows the
// loaded values, in the window as first made and after each load.
TEST_F(UniverseTransferTest, TourControlsFollowTheLoadedTourSwitches) {
  PropsControls& c = form->c;
  struct Case {
    const char *tour, *visitSeq;
    bool fields, script, scriptFrame;
  };
  for (const Case k : {Case{"0", "0", false, false, true}, Case{"1", "1", true, false, false},
                       Case{"1", "0", true, true, true}, Case{"0", "1", false, false, true}}) {
    SCOPED_TRACE(testing::Message() << "tour " << k.tour << " sequential " << k.visitSeq);
    store::SaveRegSetting("Universe", "Universe_Tour", k.tour);
    store::SaveRegSetting("Universe", "Universe_GVisit", k.visitSeq);
    UniverseRegToControls(c);
    for (int i : {30, 31, 32}) {
      EXPECT_EQ(c.lblUni[i].Enabled(), k.fields) << i;
      EXPECT_EQ(c.txtUni[i].Enabled(), k.fields) << i;
    }
    EXPECT_EQ(c.chkVisitSeq->Enabled(), k.fields);
    EXPECT_EQ(c.cboTourGalaxies->Enabled(), k.script);
    EXPECT_EQ(c.fraTripScript->Enabled(), k.scriptFrame);
    // The camera ramping field needs the hidden rotation switch, stored off.
    EXPECT_FALSE(c.txtUni[34].Enabled());
  }
}

TEST_F(UniverseTransferTest, StoredValuesAndTheirEdgeCases) {
  PropsControls& c = form->c;
  struct Case {
    const char* what;
    const char* name;  // stored value
    const char* stored;
    int startProfile;  // the profile selected before the load
    const char* shown;       // what the field then holds (check boxes and profile as numbers)
    const char* storedBack;  // what the fields store again
  } cases[] = {
      {"tour 2 clears the box", "Universe_Tour", "2", 0, "0", "0"},
      {"tour text clears the box", "Universe_Tour", "yes", 0, "0", "0"},
      {"tour 1 checks it", "Universe_Tour", "1", 0, "1", "1"},
      {"profile beyond the list keeps the selection and is stored back", "Universe_Profile", "60", 7, "7", "60"},
      {"profile beyond the list selects nothing and is stored back", "Universe_Profile", "60", -1, "-1", "60"},
      {"empty profile is the default", "Universe_Profile", "", 7, "51", "51"},
      {"profile 50", "Universe_Profile", "50", 7, "50", "50"},
      {"tour text no line has", "Universe_GS_Idx", "3 5 x", 0, "3 5 x", "3 5 x"},
      {"star text as it stands", "Universe_Stars", "12ab", 0, "12ab", "12ab"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    store::SaveRegSetting("Universe", t.name, t.stored);
    c.cboUniProfile->SetListIndex(t.startProfile);
    UniverseRegToControls(c);
    const std::vector<std::string> v = FieldValues();
    size_t row = 0;
    while (std::string(settings::kUniverseValues[row].name) != t.name) ++row;
    EXPECT_EQ(v[row], t.shown);
    UniverseControlsToReg(c);
    EXPECT_EQ(Raw("Universe", t.name), t.storedBack);
  }
}

TEST_F(UniverseTransferTest, TemplateProfileIsReadAsZeroAndText) {
  PropsControls& c = form->c;
  struct Case {
    const char* value;
    int start;
    int selected;
  } cases[] = {{"", 9, 0}, {"51", 9, 51}, {"60", 9, 9}, {"x", 9, 9}, {"3.5", 9, 4}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.value);
    testsupport::WriteFile(store::templateState().TemplatePath,
                           std::string("\r\n[Universe]\r\nUniverse_Profile=") + t.value + "\r\n");
    store::ClearTemplateCache();
    c.cboUniProfile->SetListIndex(t.start);
    UniverseTemplateToControls(c);
    EXPECT_EQ(c.cboUniProfile->ListIndex(), t.selected);
  }
}

// A loaded profile that the list has no line for is stored back as it came, from the store or a
// template, until a line is chosen; a line chosen is stored as chosen.
TEST_F(UniverseTransferTest, ProfileTheListLacksIsStoredBackUntilALineIsChosen) {
  PropsControls& c = form->c;
  AttachTourProfileHandlers(c);
  struct Case {
    const char* what;
    bool fromTemplate;
    const char* loaded;
    int chosen;  // -2: the list is not touched
    const char* stored;
  } cases[] = {
      {"store, untouched", false, "60", -2, "60"},
      {"store, a type chosen", false, "60", 3, "3"},
      {"store, a cycling line chosen", false, "75", 50, "50"},
      {"template, untouched", true, "60", -2, "60"},
      {"template, a type chosen", true, "60", 0, "0"},
      {"store, a listed value", false, "12", -2, "12"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    c.cboUniProfile->SetListIndex(-1);  // a freshly filled list
    if (t.fromTemplate) {
      testsupport::WriteFile(store::templateState().TemplatePath,
                             std::string("\r\n[Universe]\r\nUniverse_Profile=") + t.loaded + "\r\n");
      store::ClearTemplateCache();
      UniverseTemplateToControls(c);
    } else {
      store::SaveRegSetting("Universe", "Universe_Profile", t.loaded);
      UniverseRegToControls(c);
    }
    if (t.chosen != -2) {
      ASSERT_TRUE(c.cboUniProfile->SetListIndex(t.chosen));
    }
    UniverseControlsToReg(c);
    EXPECT_EQ(Raw("Universe", "Universe_Profile"), t.stored);
  }
  // A later load of a listed value replaces the kept one.
  store::SaveRegSetting("Universe", "Universe_Profile", "60");
  UniverseRegToControls(c);
  store::SaveRegSetting("Universe", "Universe_Profile", "8");
  UniverseRegToControls(c);
  UniverseControlsToReg(c);
  EXPECT_EQ(Raw("Universe", "Universe_Profile"), "8");
}

TEST_F(UniverseTransferTest, TemplateWrittenAndReadBackGivesEveryFieldBack) {
  PropsControls& c = form->c;
  const std::vector<std::string> texts = {"5000", "12", "2500", "300", "0.95", "0.2", "10", "300", "7", "100", "50",
                                          "150",  "3",  "5",    "900", "600", "1 2 3 x"};
  const int fields[] = {0, 1, 10, 11, 12, 14, 16, 17, 18, 20, 21, 30, 31, 32, 33, 34};
  for (size_t i = 0; i < std::size(fields); ++i) c.txtUni[fields[i]].SetText(texts[i]);
  c.cboTourGalaxies->SetText(texts[16]);
  c.chkUniTour->SetValue(0);
  c.chkVisitSeq->SetValue(1);
  c.chkRotCamera->SetValue(1);
  const int late[] = {40, 41, 42, 43, 44, 50, 51};
  const char* lateTexts[] = {"800", "0.5", "1.5", "20", "700", "0.25", "3"};
  for (size_t i = 0; i < std::size(late); ++i) c.txtUni[late[i]].SetText(lateTexts[i]);
  c.cboUniProfile->SetListIndex(17);
  const std::vector<std::string> before = FieldValues();

  UniverseControlsToTemplate(c);
  ASSERT_TRUE(settings::CloseTemplateFile());
  // The template's section holds the 28 keys in table order.
  const std::string file = testsupport::ReadFile(store::templateState().TemplatePath);
  size_t at = file.find("[Universe]");
  for (const settings::NamedDefault& v : settings::kUniverseValues) {
    const size_t next = file.find(std::string("\r\n") + v.name + "=", at);
    ASSERT_NE(next, std::string::npos) << v.name;
    at = next + 1;
  }

  UniverseRegToControls(c);  // every field back to its default
  ASSERT_NE(FieldValues(), before);
  store::ClearTemplateCache();
  UniverseTemplateToControls(c);
  EXPECT_EQ(FieldValues(), before);
}

}  // namespace
}  // namespace dialogs
