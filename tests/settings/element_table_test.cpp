#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/element_table.h"

using namespace settings;

TEST(ElementTable, FieldsAsTextWithFieldNamesOfAnyCase) {
  struct Case {
    int32_t element;
    const char* field;
    const char* expected;
  } cases[] = {
      {6, "Color", "210"},      {17, "radius", "50"},   {17, "RADIUS", "50"},
      {1, "shells", "1"},       {11, "Shells", "2,8,1"}, {8, "color", "0"},
      {2, "Name", "Helium"},    {4, "name", "Beryllim"}, {9, "NAME", "Flourine"},
      {16, "Symbol", "S"},      {17, "sYmBoL", "Cl"},    {2, "radius", "12"},
      // Outside the table: empty texts, colour and radius 0.
      {18, "name", ""},         {0, "symbol", ""},       {-1, "shells", ""},
      {18, "color", "0"},       {INT_MAX, "radius", "0"},
      // A field that is none of the five.
      {6, "mass", ""},          {6, "", ""},             {6, "names", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetElementInfo(c.element, c.field), c.expected) << c.element << " " << c.field;
  }
}

TEST(ElementTable, FindElementCoversOneToSeventeenOnly) {
  const char* names[] = {"Hydrogen", "Helium",   "Lithium",  "Beryllim",  "Boron",    "Carbon",
                         "Nitrogen", "Oxygen",   "Flourine", "Neon",      "Sodium",   "Magnesium",
                         "Aluminum", "Silicon",  "Phosphorus", "Sulphur", "Chlorine"};
  for (int32_t e = 1; e <= 17; ++e) {
    const ElementInfo* info = FindElement(e);
    ASSERT_NE(info, nullptr) << e;
    EXPECT_STREQ(info->name, names[e - 1]);
    // The text reader and the engine's accessor agree.
    EXPECT_EQ(GetElementInfo(e, "NAME"), info->name);
    EXPECT_EQ(GetElementInfo(e, "color"), std::to_string(info->color));
  }
  EXPECT_EQ(FindElement(6)->radius, 20.0f);
  EXPECT_STREQ(FindElement(7)->shells, "2,5");
  for (int32_t e : {0, 18, -1, INT_MIN, INT_MAX}) EXPECT_EQ(FindElement(e), nullptr) << e;
}

TEST(ElementTable, AtomPositionCountInsideAndOutsideTheTable) {
  const int32_t expected[14] = {1, 6, 8, 18, 26, 38, 1, 1, 1, 1, 1, 1, 1, 1};
  for (int32_t t = 0; t < 14; ++t) {
    int32_t count = -5;
    EXPECT_TRUE(AtomPositionCount(t, count)) << t;
    EXPECT_EQ(count, expected[t]) << t;
  }
  for (int32_t t : {-1, 14, INT_MIN, INT_MAX}) {
    int32_t count = 777;
    EXPECT_FALSE(AtomPositionCount(t, count)) << t;
    EXPECT_EQ(count, 777) << t;  // the caller's value stays
  }
}
