#include <gtest/gtest.h>

#include <cmath>

#include "store/values.h"

using namespace store;

TEST(Values, MinMaxReturnTheSecondOnTiesAndNaN) {
  EXPECT_EQ(store::MaxLong(3, 3), 3);
  EXPECT_EQ(store::MaxLong(4, 3), 4);
  EXPECT_EQ(store::MinLong(2, 3), 2);
  EXPECT_EQ(store::MaxInteger(-1, 5), 5);
  EXPECT_EQ(store::MinInteger(-1, 5), -1);
  EXPECT_EQ(store::MaxSingle(NAN, 1.0f), 1.0f);
  EXPECT_TRUE(std::isnan(store::MaxSingle(1.0f, NAN)));
}

TEST(Values, ClampsLowerBoundWinsWhenCrossed) {
  struct Case {
    int32_t x, lo, hi, expect;
  } cases[] = {{5, 0, 10, 5}, {-3, 0, 10, 0}, {12, 0, 10, 10}, {5, 10, 0, 10}, {-5, 10, 0, 10}, {15, 10, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(store::ClampLong(c.x, c.lo, c.hi), c.expect) << c.x;
  EXPECT_EQ(store::ClampSingle(0.5f, 0.1f, 0.9999f), 0.5f);
  EXPECT_EQ(store::ClampSingle(2.0f, 0.1f, 0.9999f), 0.9999f);
  EXPECT_EQ(store::ClampSingle(NAN, 0.1f, 0.9999f), 0.1f);
}

TEST(Values, CsvFields) {
  struct Case {
    const char* text;
    int32_t index;
    const char* expect;
  } cases[] = {{"", 0, ""},         {"a, b ,c", 0, "a"}, {"a, b ,c", 1, "b"}, {"a, b ,c", 2, "c"},
               {"a, b ,c", 3, ""},  {"a, b ,c", 4, ""},  {"a, b ,c", -1, ""}, {"a,b,", 2, ""},
               {"1,,3", 1, ""}};
  for (const auto& c : cases) EXPECT_EQ(store::GetCsvField(c.text, c.index), c.expect) << c.text << " #" << c.index;
}

TEST(Values, LeadingWholeClamped) {
  struct Case {
    const char* text;
    float lo, hi;
    int32_t expect;
  } cases[] = {{"12abc", 0, 10, 10}, {"abc", 0, 10, 0},        {"2.5", 0, 10, 2},   {"3.5", 0, 10, 4},
               {"-7", -999, 999, -7}, {"99999999999", 0, 30000, 30000}, {"-1e20", -5, 5, -5}};
  for (const auto& c : cases) EXPECT_EQ(store::LeadingWholeClamped(c.text, c.lo, c.hi), c.expect) << c.text;
}
