#include <gtest/gtest.h>

#include <cmath>

#include "store/typed_readers.h"
#include "support/test_support.h"

using namespace store;

TEST(TypedReaders, StoredTextsAgainstAllThreeReaders) {
  testsupport::TempConfig cfg;
  struct Case {
    const char* stored;  // nullptr: value missing
    const char* asString;
    int32_t asLong;
    float asSingle;
  } cases[] = {
      {nullptr, "-1", -1, -1.0f},
      {"", "", -1, -1.0f},
      {"abc", "abc", -1, -1.0f},
      {"0,5", "0,5", 0, 0.5f},
      {"0.5", "0.5", 0, 0.5f},
      {"2.5", "2.5", 2, 2.5f},
      {"3.5", "3.5", 4, 3.5f},
      {" 12 ", "12", 12, 12.0f},  // the writer trims
      {"99999999999", "99999999999", 0, 99999999999.0f},
      {"1e39", "1e39", 0, 0.0f},
      {"12abc", "12abc", -1, -1.0f},
      // A text with a point is read by its leading number in the Single reader only.
      {"a.b", "a.b", -1, 0.0f},
      {"2.5abc", "2.5abc", -1, 2.5f},
      {"1.5.7", "1.5.7", -1, 1.5f},
      {"1,5.3", "1,5.3", -1, 1.0f},
      {"-.25 cm", "-.25 cm", -1, -0.25f},
      {"1.5e39", "1.5e39", 0, 0.0f},
  };
  for (const auto& c : cases) {
    if (c.stored) {
      ASSERT_TRUE(store::SaveRegSetting("General", "V", c.stored));
    }
    EXPECT_EQ(store::GetSettingString("General", "V", -1), c.asString) << (c.stored ? c.stored : "(missing)");
    EXPECT_EQ(store::GetSettingLong("General", "V", -1), c.asLong) << (c.stored ? c.stored : "(missing)");
    EXPECT_FLOAT_EQ(store::GetSettingSingle("General", "V", -1), c.asSingle) << (c.stored ? c.stored : "(missing)");
  }
  // 300 characters read back whole: the string reader returns them, the numeric ones the default.
  const std::string longText(300, '9');
  ASSERT_TRUE(store::SaveRegSetting("General", "Long", longText));
  EXPECT_EQ(store::GetSettingString("General", "Long", ""), longText);
  EXPECT_EQ(store::GetSettingLong("General", "Long", 3), 0);  // numeric but beyond the Long range
  const std::string longWord(300, 'w');
  ASSERT_TRUE(store::SaveRegSetting("General", "Word", longWord));
  EXPECT_EQ(store::GetSettingLong("General", "Word", 3), 3);
  // A text default of GetSettingSingle.
  EXPECT_FLOAT_EQ(store::GetSettingSingle("General", "Missing", "0.9975"), 0.9975f);
}
