// The galaxy type and composite lists: their counts, their lines, and where they come from.
#include "dialogs/properties/type_lists.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/properties/props_controls.h"
#include "roads_fixture.h"
#include "runtime/numbers.h"
#include "settings/composites.h"

namespace dialogs {
namespace {

using TypeListsTest = RoadsTest;

// The name and percent a line gives back: its last 4 characters are the percent.
std::pair<std::string, std::string> SplitLine(const std::string& line) {
  const size_t cut = line.size() >= 4 ? line.size() - 4 : 0;
  return {runtime::TrimBlanks(line.substr(0, cut)), runtime::TrimBlanks(line.substr(cut))};
}

TEST_F(TypeListsTest, GalaxyListShowsEveryTypeWithItsPercent) {
  PropsControls& c = form->c;
  model::GalaxyTypeProps& longName = model::records().GalaxyTypes[2];
  longName._UniGalName = std::string(30, 'W');
  longName._UniGalPct = 9999;
  model::records().GalaxyTypes[3]._UniGalPct = 0;
  store::SaveRegSetting("Universe\\Galaxy4", "_UniGalName", "Stored Four");

  FillGalaxyList(c, false);
  ASSERT_EQ(c.lstUniGalaxy->ListCount(), 50);
  EXPECT_EQ(c.lstUniGalaxy->ListIndex(), 0);
  for (int n = 0; n < 50; ++n) {
    const model::GalaxyTypeProps& g = model::records().GalaxyTypes[static_cast<size_t>(n)];
    const std::string line = c.lstUniGalaxy->List(n);
    EXPECT_EQ(SplitLine(line), std::make_pair(g._UniGalName, runtime::LongToText(g._UniGalPct))) << line;
    // At least three blanks before the percent, however long the name.
    EXPECT_EQ(line.substr(g._UniGalName.size(), 3), "   ") << line;
  }
  // Reloaded from the store when asked.
  FillGalaxyList(c, true);
  EXPECT_EQ(SplitLine(c.lstUniGalaxy->List(4)).first, "Stored Four");
  EXPECT_EQ(SplitLine(c.lstUniGalaxy->List(2)).first, model::DefaultGalaxyName(2));
}

TEST_F(TypeListsTest, CompositeListsComeFromTheStoreOrTheRecords) {
  PropsControls& c = form->c;
  FillGalaxyList(c, false);
  store::SaveRegSetting("Universe\\CompGal5", "_CompGalName", "Stored Five");
  store::SaveRegSetting("Universe\\CompGal5", "_CompGalPct", "77");
  c.cboCompMajor->AddItem("stale");

  FillCompositeList(c, true);
  ASSERT_EQ(c.cboCompMajor->ListCount(), 50);
  ASSERT_EQ(c.lstCompMinor->ListCount(), 50);
  ASSERT_EQ(c.lstCompGalaxy->ListCount(), 16);
  for (int n : {0, 17, 49}) {
    const std::string line = c.lstUniGalaxy->List(n);
    EXPECT_EQ(c.cboCompMajor->List(n), line.substr(0, line.size() - 4));
    EXPECT_EQ(c.lstCompMinor->List(n), line.substr(0, line.size() - 4));
  }
  // An empty store names every composite by the list's own substitute.
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(0)), std::make_pair(std::string("< Galaxy Composite 1 >"), std::string("0")));
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(15)).first, "< Galaxy Composite 16 >");
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(5)), std::make_pair(std::string("Stored Five"), std::string("77")));
  EXPECT_EQ(c.lstCompGalaxy->ListIndex(), -1);
  EXPECT_EQ(c.cboCompMajor->ListIndex(), -1);

  // From the records: their names (the record default is worded the other way round).
  model::records().CompositeGalaxies[1]._CompGalName = "";
  model::records().CompositeGalaxies[2]._CompGalPct = 1234;
  FillCompositeList(c, false);
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(0)).first, "< Composite Galaxy 1 >");
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(1)).first, "< Galaxy Composite 2 >");
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(2)).second, "1234");
  EXPECT_EQ(SplitLine(c.lstCompGalaxy->List(5)).first, "< Composite Galaxy 6 >");
}

}  // namespace
}  // namespace dialogs
