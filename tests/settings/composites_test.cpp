#include "settings/composites.h"

#include <gtest/gtest.h>

#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "settings/template_file.h"
#include "settings/template_fixture.h"
#include "support/test_support.h"

namespace {

class CompositesTest : public settingstest::TemplateTest {
 protected:
  void SetUp() override {
    model::ResetGalaxyRecords();
    TemplateTest::SetUp();
  }
  model::CompositeRecord& comp(int c) { return model::records().CompositeGalaxies[c]; }
};

TEST_F(CompositesTest, EmptyRegistryGivesSixteenEmptyComposites) {
  for (int c = 0; c < 16; ++c) {
    comp(c)._CompGalPct = 5;
    comp(c).CompGal_Count = 2;
  }
  settings::LoadAllCompositesReg();
  for (int c = 0; c < 16; ++c) {
    EXPECT_EQ(comp(c)._CompGalPct, 0);
    EXPECT_EQ(comp(c).CompGal_Count, 0);
    EXPECT_EQ(comp(c)._CompGalName, "< Composite Galaxy " + std::to_string(c + 1) + " >");
  }
}

TEST_F(CompositesTest, RegistryRoundTripWithValueNames) {
  comp(15) = {"Spirals & rings", 250, 3, {7, 1, 2}, {}};
  settings::SaveAllCompositesReg();
  EXPECT_EQ(Raw("Universe\\CompGal15", "_CompGalName"), "Spirals & rings");
  EXPECT_EQ(Raw("Universe\\CompGal15", "_CompGalPct"), "250");
  EXPECT_EQ(Raw("Universe\\CompGal15", "CompGal_Count"), "3");
  EXPECT_EQ(Raw("Universe\\CompGal15", "CompGal_Type0"), "7");
  EXPECT_EQ(Raw("Universe\\CompGal15", "CompGal_Type2"), "2");
  EXPECT_EQ(Raw("Universe\\CompGal15", "CompGal_Type3"), "<missing>");
  EXPECT_EQ(Raw("Universe\\CompGal0", "_CompGalName"), "< Composite Galaxy 1 >");

  model::ResetGalaxyRecords();
  settings::LoadAllCompositesReg();
  EXPECT_EQ(comp(15)._CompGalName, "Spirals & rings");
  EXPECT_EQ(comp(15)._CompGalPct, 250);
  EXPECT_EQ(comp(15).CompGal_Count, 3);
  EXPECT_EQ(comp(15).CompGal_Type[0], 7);
  EXPECT_EQ(comp(15).CompGal_Type[2], 2);
}

TEST_F(CompositesTest, ShrunkCountLeavesOldSlotsButReadsOnlyItsMembers) {
  comp(1) = {"c", 1, 5, {1, 2, 3, 4, 5}, {}};
  settings::WriteCompositeReg(1, "Universe\\CompGal1");
  comp(1).CompGal_Count = 2;
  settings::WriteCompositeReg(1, "Universe\\CompGal1");
  EXPECT_EQ(Raw("Universe\\CompGal1", "CompGal_Type4"), "5");

  comp(1) = {};
  settings::ReadCompositeReg(1, "Universe\\CompGal1");
  EXPECT_EQ(comp(1).CompGal_Count, 2);
  EXPECT_EQ(comp(1).CompGal_Type[1], 2);
  EXPECT_EQ(comp(1).CompGal_Type[2], 0);
}

TEST_F(CompositesTest, AllFiftyMembersSurviveSaveAndLoad) {
  comp(3).CompGal_Count = 50;
  for (int k = 0; k < 50; ++k) comp(3).CompGal_Type[k] = 49 - k;
  settings::SaveAllCompositesReg();
  model::ResetGalaxyRecords();
  settings::LoadAllCompositesReg();
  EXPECT_EQ(comp(3).CompGal_Count, 50);
  EXPECT_EQ(comp(3).CompGal_Type[49], 0);

  settings::SaveAllCompositesTemplate();
  settings::CloseTemplateFile();
  model::ResetGalaxyRecords();
  store::ClearTemplateCache();
  settings::LoadAllCompositesTemplate();
  EXPECT_EQ(comp(3).CompGal_Count, 50);
  EXPECT_EQ(comp(3).CompGal_Type[0], 49);
  EXPECT_EQ(comp(3).CompGal_Type[49], 0);
}

TEST_F(CompositesTest, StoredCountBeyondTheSlotsIsReadSafely) {
  store::SaveRegSetting("Universe\\CompGal4", "CompGal_Count", "100000");
  store::SaveRegSetting("Universe\\CompGal4", "CompGal_Type49", "60");
  settings::LoadAllCompositesReg();
  EXPECT_EQ(comp(4).CompGal_Count, 50);
  EXPECT_EQ(comp(4).CompGal_Type[49], 49);

  UseTemplate("\r\n[CompGal4]\r\n_CompGalCount=30000\r\nGalaxyIndex_0=3\r\n");
  settings::LoadAllCompositesTemplate();
  EXPECT_EQ(comp(4).CompGal_Count, 50);
  EXPECT_EQ(comp(4).CompGal_Type[0], 3);
}

TEST_F(CompositesTest, TemplateNumbersReadAsZeroPrefixedWholeNumbers) {
  struct Case {
    const char* value;
    int32_t result;  // from 9
  };
  const Case cases[] = {
      {"4", 4}, {"", 0}, {"abc", 9}, {"99999", 9}, {"-2", 9}, {"2.5", 2},
  };
  for (const Case& c : cases) {
    UseTemplate(std::string("\r\n[CompGal6]\r\n_CompGalPct=") + c.value + "\r\n_CompGalCount=" + c.value +
                "\r\nGalaxyIndex_0=" + c.value + "\r\n");
    comp(6) = {"x", 9, 9, {}, {}};
    comp(6).CompGal_Type.fill(9);
    settings::ReadCompositeTemplate(6, "CompGal6");
    EXPECT_EQ(comp(6)._CompGalPct, c.result) << c.value;
    EXPECT_EQ(comp(6).CompGal_Count, c.result) << c.value;
    EXPECT_EQ(comp(6).CompGal_Type[0], c.result == 0 ? 9 : c.result) << c.value;
    EXPECT_EQ(comp(6)._CompGalName, "< Composite Galaxy 7 >");
  }
}

TEST_F(CompositesTest, TemplateSaveClampsAndWritesInKeyOrder) {
  comp(0) = {"A", 12000, 2, {3, 70}, {}};
  settings::SaveAllCompositesTemplate();
  settings::CloseTemplateFile();
  const std::string text = testsupport::ReadFile(store::templateState().TemplatePath);
  EXPECT_EQ(text.rfind("\r\n[CompGal0]\r\n_CompGalName=A\r\n_CompGalPct=9999\r\n_CompGalCount=2\r\n"
                       "GalaxyIndex_0=3\r\nGalaxyIndex_1=49\r\n\r\n[CompGal1]\r\n",
                       0),
            0u);
  EXPECT_NE(text.find("\r\n[CompGal15]\r\n_CompGalName=< Composite Galaxy 16 >\r\n_CompGalPct=0\r\n_CompGalCount=0\r\n"),
            std::string::npos);
}

}  // namespace
