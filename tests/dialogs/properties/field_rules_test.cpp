#include "dialogs/properties/field_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "model/colors.h"
#include "model/hue_ranges.h"

using namespace dialogs;

namespace {

struct ArrowCase {
  const char* what;
  const NumericFieldRule* rule;
  const char* text;
  int key;
  std::optional<int32_t> expected;
};

TEST(FieldRulesTest, ArrowKeysStepTowardTheBoundOfTheirDirectionOnly) {
  const NumericFieldRule* stars = UniverseFieldRule(0);
  const NumericFieldRule* galaxies = UniverseFieldRule(1);
  const NumericFieldRule* hueEnd = UniverseFieldRule(17);
  const NumericFieldRule* mask = FilterMaskRule(0);
  const NumericFieldRule* percent = DesktopBlendRule(0);
  const NumericFieldRule* frames = DesktopBlendRule(1);
  const ArrowCase cases[] = {
      {"stars down at 150", stars, "150", kKeyDown, 100},
      {"stars down at 100 stays", stars, "100", kKeyDown, 100},
      {"stars down at 10 rises to the arrow bound", stars, "10", kKeyDown, 100},
      {"stars up at 99950", stars, "99950", kKeyUp, 99999},
      {"stars up at 99999 stays", stars, "99999", kKeyUp, 99999},
      {"stars up from text without a number", stars, "abc", kKeyUp, 100},
      {"galaxies up", galaxies, "200", kKeyUp, 201},
      {"galaxies down at 1 stays", galaxies, "1", kKeyDown, 1},
      {"galaxies above the bound fall by one step", galaxies, "5000", kKeyDown, 4999},
      {"hue end up at 999 stays", hueEnd, "999", kKeyUp, 999},
      {"hue end half rounds to even", hueEnd, "2.5", kKeyUp, 4},
      {"mask up at 255 stays", mask, "255", kKeyUp, 255},
      {"mask down at 0 stays", mask, "0", kKeyDown, 0},
      {"desktop percent up at 99 stays", percent, "99", kKeyUp, 99},
      {"blend frames up", frames, "998", kKeyUp, 999},
      {"other keys do nothing", galaxies, "200", 37, std::nullopt},
      {"fields without a step do nothing", UniverseFieldRule(10), "200", kKeyUp, std::nullopt},
  };
  for (const ArrowCase& c : cases) {
    ASSERT_NE(c.rule, nullptr) << c.what;
    EXPECT_EQ(ArrowStepValue(c.text, c.key, c.rule->arrows), c.expected) << c.what;
  }
}

TEST(FieldRulesTest, UniverseFieldTableKeysClampsAndSpinners) {
  // The decimal fields, and only those, take a decimal point.
  for (const NumericFieldRule& r : UniverseFieldRules()) {
    const bool decimal = r.index == 12 || r.index == 14 || r.index == 34 || r.index == 41 || r.index == 42;
    EXPECT_EQ(r.keys == KeyFilter::Decimal, decimal) << r.index;
    const bool spinner = r.index <= 3 || r.index == 16 || r.index == 17;
    EXPECT_EQ(r.spinner, spinner) << r.index;
    EXPECT_EQ(r.arrows.step != 0, spinner) << r.index;
  }
  EXPECT_EQ(UniverseFieldRules().size(), 25u);
  EXPECT_EQ(UniverseFieldRule(13), nullptr);
  EXPECT_EQ(UniverseFieldRule(99), nullptr);
  // Field 34 takes a decimal point but is clamped to a whole number.
  EXPECT_EQ(UniverseFieldRule(34)->clamp.kind, 0);
  EXPECT_EQ(UniverseFieldRule(12)->clamp.kind, 1);
  EXPECT_FLOAT_EQ(UniverseFieldRule(12)->clamp.lower, 0.25f);
  EXPECT_EQ(UniverseFieldRule(33)->clamp.upper, 999999.0f);
  EXPECT_EQ(FilterMaskRule(3), nullptr);
  EXPECT_EQ(DesktopBlendRule(2), nullptr);
}

TEST(FieldRulesTest, SpinnerValuesRoundHalvesToEven) {
  EXPECT_EQ(SpinnerValueOfText("5000", kStarSpinnerScale), 500);
  EXPECT_EQ(SpinnerValueOfText("5005", kStarSpinnerScale), 500);
  EXPECT_EQ(SpinnerValueOfText("5015", kStarSpinnerScale), 502);
  EXPECT_EQ(SpinnerValueOfText("12.5"), 12);
  EXPECT_EQ(SpinnerValueOfText(""), 0);
  EXPECT_EQ(SpinnerValueOfText("1E+20"), std::nullopt);
}

TEST(FieldRulesTest, SwatchHuesReadZeroFollowedByTheText) {
  EXPECT_EQ(SwatchHueOfText(""), 0);
  EXPECT_EQ(SwatchHueOfText("240"), 240);
  EXPECT_EQ(SwatchHueOfText("12.5"), 12);
  EXPECT_EQ(SwatchHueOfText("-5"), std::nullopt);  // "0-5" is no number
  EXPECT_EQ(SwatchHueOfText("7x"), std::nullopt);
  EXPECT_EQ(SwatchHueOfText("99999"), std::nullopt);  // beyond a 16-bit whole number
}

TEST(FieldRulesTest, SwatchColoursAreTheHueRangeSequenceOfTheTwoHues) {
  std::array<int32_t, model::kHueRangeEntries> expected{};
  model::BuildHueRangeTable(expected, -1, 170, 250, false);
  const auto bands = HueSwatchColors("170", "250");
  for (int i = 0; i < kSwatchBands; ++i) EXPECT_EQ(bands[static_cast<size_t>(i)], expected[static_cast<size_t>(i)]) << i;
  // Entry 8 starts the steps at the start hue's colour; the fade before it ends near it.
  EXPECT_NE(bands[8], 0);

  // An empty end is hue 0.
  std::array<int32_t, model::kHueRangeEntries> toZero{};
  model::BuildHueRangeTable(toZero, -1, 240, 0, false);
  EXPECT_EQ(HueSwatchColors("240", "")[79], toZero[79]);

  // A text that is no hue paints every band black.
  for (int32_t c : HueSwatchColors("240", "1x")) EXPECT_EQ(c, 0);
}

}  // namespace
