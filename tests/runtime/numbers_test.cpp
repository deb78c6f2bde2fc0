#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/numbers.h"
#include "runtime/text_codec.h"

using namespace runtime;

TEST(Rounding, HalvesGoToEvenIntAndFixDiffer) {
  struct Case {
    double v, round, intv, fix;
  } cases[] = {
      {2.5, 2, 2, 2},   {3.5, 4, 3, 3},     {-2.5, -2, -3, -2}, {-0.5, -0.0, -1, -0.0},
      {0.5, 0, 0, 0},   {1.49, 1, 1, 1},    {-1.6, -2, -2, -1}, {1e9 + 0.5, 1e9, 1e9, 1e9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.v), c.round) << c.v;
    EXPECT_EQ(Int(c.v), c.intv) << c.v;
    EXPECT_EQ(Fix(c.v), c.fix) << c.v;
  }
}

TEST(Conversions, OverflowIsReportedNotWrapped) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ToLong(2147483647.4), 2147483647);
  EXPECT_EQ(ToLong(-2147483648.0), INT32_MIN);
  for (double bad : {2147483647.5, 99999999999.0, -2147483649.0, inf, -inf, nan}) {
    EXPECT_FALSE(ToLong(bad).has_value()) << bad;
    EXPECT_FALSE(FixToLong(bad > 0 ? bad + 1 : bad).has_value()) << bad;
  }
  EXPECT_EQ(ToInteger(32767.4), 32767);
  EXPECT_FALSE(ToInteger(32767.5).has_value());
  EXPECT_FALSE(ToInteger(-32769).has_value());
  EXPECT_EQ(FixToLong(-7.9), -7);
  EXPECT_EQ(IntToLong(-7.1), -8);
  EXPECT_EQ(ToLongOr(nan, 42), 42);
}

TEST(Val, LeadingNumberReader) {
  struct Case {
    const char* text;
    double v;
  } cases[] = {
      {"", 0},           {"abc", 0},       {"12abc", 12},     {"  1 2 ", 12},   {"2.5", 2.5},
      {"1.2.3", 1.2},    {"-3.5x", -3.5},  {"1e3", 1000},     {"1E-2", 0.01},   {"1e", 1},
      {"0,5", 0},        {".5", 0.5},      {"\t7\n", 7},      {"+4", 4},        {"12 e 2", 1200},
      {"1\r2", 1},       {"3\n4", 34},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.v) << c.text;
}

TEST(IsNumeric, DotAndCommaAreBothDecimalSeparators) {
  struct Case {
    const char* text;
    bool numeric;
    double v;
  } cases[] = {
      {"", false, 0},      {"abc", false, 0},  {"0,5", true, 0.5},  {"0.5", true, 0.5},
      {" 12 ", true, 12},  {"-3", true, -3},   {"1,2,3", false, 0}, {"1.5e2", true, 150},
      {"12abc", false, 0}, {"-", false, 0},    {"1 2", false, 0},   {"99999999999", true, 99999999999.0},
      {".", false, 0},     {"5.", true, 5},
  };
  for (const auto& c : cases) {
    double v = -1;
    EXPECT_EQ(IsNumeric(c.text, &v), c.numeric) << c.text;
    if (c.numeric) {
      EXPECT_DOUBLE_EQ(v, c.v) << c.text;
    }
  }
}

TEST(NumberText, SinglesLongsAndDoubles) {
  struct Case {
    float v;
    const char* text;
  } cases[] = {
      {0.5f, "0.5"},          {-0.0f, "0"},        {100.0f, "100"},           {1234567.0f, "1234567"},
      {12345678.0f, "1.234568E+07"}, {1e10f, "1E+10"}, {0.1f, "0.1"},         {1.5e-7f, "1.5E-07"},
      {3.14159265f, "3.141593"}, {-2.25f, "-2.25"}, {0.001f, "0.001"},       {99.9f, "99.9"},
  };
  for (const auto& c : cases) EXPECT_EQ(SingleToText(c.v), c.text) << c.v;
  EXPECT_EQ(DoubleToText(6.28318530717958), "6.28318530717958");
  EXPECT_EQ(DoubleToText(-0.0), "0");
  EXPECT_EQ(LongToText(-2147483648LL), "-2147483648");
  EXPECT_EQ(TextValue(7).text(), "7");
  EXPECT_EQ(TextValue(0.25f).text(), "0.25");
}

TEST(TextCodec, Cp1252RoundTripAndUtf8Detection) {
  const std::string cp = "Caf\xE9 \x80 \x93";  // é, euro sign, left double quote
  const std::string utf8 = Cp1252ToUtf8(cp);
  EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9C");
  EXPECT_EQ(Utf8ToCp1252(utf8), cp);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_FALSE(IsValidUtf8(cp));
  EXPECT_EQ(FileTextToUtf8(cp), utf8);
  EXPECT_EQ(FileTextToUtf8(utf8), utf8);
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // not in the code page
}
