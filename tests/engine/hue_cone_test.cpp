#include "engine/hue_cone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/colors.h"
#include "model/hue_wheel.h"
#include "engine/universe_settings.h"
#include "platform/pixlib/pixlib.h"

namespace {

using engine::hueCone;

// A picture box that records what is drawn into it.
struct RecordingPicture : engine::HueConePicture {
  RecordingPicture(int32_t w, int32_t h) : w(w), h(h) {}
  int32_t InnerWidthPx() const override { return w; }
  int32_t InnerHeightPx() const override { return h; }
  void ClearPicture() override {
    pixels.clear();
    ++clears;
  }
  void SetPixel(int32_t x, int32_t y, int32_t colourRef) override { pixels[{x, y}] = colourRef; }
  void PublishToImage() override { ++publishes; }
  int32_t w, h;
  std::map<std::pair<int32_t, int32_t>, int32_t> pixels;
  int clears = 0;
  int publishes = 0;
};

struct FakeDialog : engine::HueConeDialog {
  std::array<std::string, 4> texts{"100", "20", "160", "45"};
  RecordingPicture picture{87, 87};
  bool hasPicture = true;
  std::vector<std::pair<int, std::string>> sets;
  std::string ColorPropText(int index) const override { return texts.at(index); }
  void SetColorPropText(int index, const std::string& text) override {
    texts.at(index) = text;
    sets.emplace_back(index, text);
  }
  engine::HueConePicture* HueWheelPicture() override { return hasPicture ? &picture : nullptr; }
};

struct HueConeTest : ::testing::Test {
  void SetUp() override {
    engine::ResetHueConeState();
    model::hueWheelState() = model::HueWheelState{};
    model::colorState() = model::ColorState{};
    engine::universeSettings() = engine::UniverseSettings{};
    model::RebuildColorTables(true, true);
  }
  void TearDown() override { engine::SetHueConeDialog(nullptr); }
  static void BubbleOn() {
    auto& w = model::hueWheelState();
    w.HwbLevel = 0.5f;
    w.HwbSpan = 40.0f;
    w.HwbSpeed = 1.0f;
  }
};

// The disc's point list: radius r = w / 2 and centre row cy = h / 2 - 1, both rounded half to
// even; the centre gets the level 63 / r x r truncates to, the product taken exactly (for
// r = 55 it is 62.99999893, which a product rounded to a Single would make 63: the one point of
// the 110-pixel disc where the two differ).
TEST_F(HueConeTest, DiscPointsOfThreePictureSizes) {
  struct Case {
    int32_t size, r, cy, points, centreLevel;
  };
  for (const Case c : {Case{87, 44, 42, 6054, 62}, Case{110, 55, 54, 9465, 62}, Case{83, 42, 40, 5502, 63}}) {
    engine::ResetHueConeState();
    RecordingPicture picture(c.size, c.size);
    engine::BuildHueConeColors(picture);
    const auto& s = hueCone();
    ASSERT_TRUE(s.ConePointsBuilt);
    EXPECT_EQ(s.ConePointCount, c.points) << c.size;
    EXPECT_EQ(picture.pixels.size(), static_cast<size_t>(c.points));
    EXPECT_EQ(picture.publishes, 1);

    std::map<std::pair<int32_t, int32_t>, int32_t> indexAt;
    for (int i = 0; i < s.ConePointCount; ++i) indexAt[{s.ConePointX[i], s.ConePointY[i]}] = s.ConePointIndex[i];
    // Loop point (x, y) is stored at pixel (x - 1, y).
    EXPECT_EQ(indexAt.at({c.r - 1, c.cy}) & 63, c.centreLevel) << c.size;
    EXPECT_EQ(indexAt.at({c.r + 9, c.cy}) >> 6, 0) << "right of the centre";
    EXPECT_EQ(indexAt.at({c.r - 1, c.cy - 10}) >> 6, 256) << "above";
    EXPECT_EQ(indexAt.at({c.r - 11, c.cy}) >> 6, 512) << "left";
    EXPECT_EQ(indexAt.at({c.r - 1, c.cy + 10}) >> 6, 768) << "below";
  }
}

TEST_F(HueConeTest, TheDiscIsBuiltOnceFromTheFirstPicture) {
  RecordingPicture small(87, 87), large(110, 110);
  engine::BuildHueConeColors(small);
  engine::BuildHueConeColors(large);
  EXPECT_EQ(large.pixels.size(), 6054u);
  EXPECT_EQ(large.pixels, small.pixels);
}

TEST_F(HueConeTest, APictureTooLargeForTheListKeepsItsFirstPointsAndAnEmptyPictureBuildsNothing) {
  RecordingPicture empty(0, 0);
  engine::BuildHueConeColors(empty);
  EXPECT_FALSE(hueCone().ConePointsBuilt);
  EXPECT_TRUE(empty.pixels.empty());

  RecordingPicture huge(200, 200);
  engine::BuildHueConeColors(huge);
  EXPECT_EQ(hueCone().ConePointCount, engine::kConePointCapacity);
  EXPECT_EQ(huge.pixels.size(), static_cast<size_t>(engine::kConePointCapacity));
}

TEST_F(HueConeTest, HueConeColorFillsTheTableFromTheStoredConeWithoutADialog) {
  auto& u = engine::universeSettings();
  u.HWC_ConeBright = 40;
  u.HWC_ConeBlack = 70;
  u.HWC_ConeBBias = 500;
  u.HWC_ConeTwist = -300;
  engine::HueConeColor();

  const auto& s = hueCone();
  EXPECT_EQ(s.ConeBright, 40);
  EXPECT_EQ(s.ConeBlack, 70);
  EXPECT_EQ(s.ConeBBias, 500);
  EXPECT_EQ(s.ConeTwist, -300);
  std::vector<int32_t> expected(engine::kHueConeTableSize, 0);
  const auto& w = model::hueWheelState();
  pixlib::CalcHueConeBrightness(model::colorState().HueColorTable, expected, 1, 40, 70, 500, -300, w.HwbLevel,
                                w.HwbSpan, w.HwbStart);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), s.HueConeTable.begin()));
  // Level 0 is black, level 63 the ramp colour (display order) of its hue.
  for (int h : {0, 300, 1023}) {
    EXPECT_EQ(s.HueConeTable[h * 64] & 0xFFFFFF, 0) << h;
    EXPECT_EQ(s.HueConeTable[h * 64 + 63], model::colorState().HueColorTable[h]) << h;
  }
}

TEST_F(HueConeTest, TheDefaultStoredConeAppliesBeforeAnySettingsLoad) {
  engine::HueConeColor();
  const auto& s = hueCone();
  EXPECT_EQ(s.ConeBright, 100);
  EXPECT_EQ(s.ConeBlack, 20);
  EXPECT_EQ(s.ConeBBias, 160);
  EXPECT_EQ(s.ConeTwist, 45);
  EXPECT_NE(s.HueConeTable[512 * 64 + 40], 0);
}

TEST_F(HueConeTest, ThePreviewIsRedrawnOnlyWithTheBubbleOnAndTheDialogOpen) {
  BubbleOn();
  engine::HueConeColor();  // no dialog: nothing to draw into, and no dialog is made
  EXPECT_EQ(engine::hueConeDialog(), nullptr);
  EXPECT_FALSE(hueCone().ConePointsBuilt);

  FakeDialog dialog;
  engine::SetHueConeDialog(&dialog);
  engine::HueConeColor();
  EXPECT_EQ(dialog.picture.publishes, 1);
  EXPECT_EQ(dialog.picture.pixels.size(), 6054u);

  model::hueWheelState().HwbLevel = 0.0f;  // bubble off: the table is refilled, nothing drawn
  engine::HueConeColor();
  EXPECT_EQ(dialog.picture.publishes, 1);

  BubbleOn();
  dialog.hasPicture = false;
  engine::HueConeColor();
  EXPECT_EQ(dialog.picture.publishes, 1);
}

// With the bubble on, an expansion frame moves it once for the table and once for the
// preview's redraw, with or without a preview to draw into; with the bubble off it stays.
TEST_F(HueConeTest, AnExpansionFrameMovesTheBubbleTwiceWhenItIsOn) {
  struct Case {
    bool dialog, picture;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
    SetUp();
    BubbleOn();
    FakeDialog dialog;
    dialog.hasPicture = c.picture;
    if (c.dialog) engine::SetHueConeDialog(&dialog);
    auto& w = model::hueWheelState();
    w.HwbStart = 10.0f;
    engine::HueConeColor();
    EXPECT_EQ(w.HwbStart, 12.0f) << c.dialog << c.picture;
    EXPECT_EQ(model::colorState().LastBubbleStep, 12) << c.dialog << c.picture;
    // The table was built after the first step, so its bubble sits at step 11.
    std::vector<int32_t> expected(engine::kHueConeTableSize, 0);
    pixlib::CalcHueConeBrightness(model::colorState().HueColorTable, expected, 1, 100, 20, 160, 45, w.HwbLevel,
                                  w.HwbSpan, 11.0f);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), hueCone().HueConeTable.begin()));
    engine::SetHueConeDialog(nullptr);
  }

  SetUp();
  BubbleOn();
  model::hueWheelState().HwbLevel = 0.0f;
  model::hueWheelState().HwbStart = 10.0f;
  engine::HueConeColor();
  EXPECT_EQ(model::hueWheelState().HwbStart, 10.0f);
}

TEST_F(HueConeTest, TheDialogsFieldsDriveTheConeOnceItsPreviewLoadedThem) {
  FakeDialog dialog;
  dialog.texts = {"10", "0", "0", "0"};
  engine::SetHueConeDialog(&dialog);
  engine::HueConeColor();  // the fields were never loaded: the stored cone applies
  EXPECT_EQ(hueCone().ConeBright, 100);

  engine::LoadColorConeSettings(dialog);
  engine::HueConeColor();
  EXPECT_EQ(hueCone().ConeBright, 10);
  EXPECT_EQ(hueCone().ConeBlack, 0);

  engine::SetHueConeDialog(nullptr);  // the dialog closed: back to the stored cone
  engine::HueConeColor();
  EXPECT_EQ(hueCone().ConeBright, 100);
}

TEST_F(HueConeTest, LoadColorConeSettingsRoundsAndClampsEachField) {
  FakeDialog dialog;
  dialog.texts = {"55.5", "abc", "1500", "-2000"};
  engine::LoadColorConeSettings(dialog);
  const auto& s = hueCone();
  EXPECT_EQ(s.ConeBright, 56);
  EXPECT_EQ(s.ConeBlack, 0);
  EXPECT_EQ(s.ConeBBias, 999);
  EXPECT_EQ(s.ConeTwist, -999);
}

TEST_F(HueConeTest, ArrowKeysStepTowardTheBoundInTheirDirection) {
  struct Case {
    int16_t index, key;
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {0, 38, "50", "51"},      {0, 38, "100", "100"},   {1, 40, "0", "0"},       {1, 40, "7", "6"},
      {2, 38, "995", "999"},    {2, 40, "5", "0"},       {3, 40, "-997", "-999"}, {3, 38, "-2000", "-1995"},
      {3, 38, "996", "999"},    {0, 40, "2000", "1999"},  // only the bound in the step's direction
      {2, 38, "12.5", "22"},    // 22.5 rounds half to even
  };
  for (const auto& c : cases) {
    FakeDialog dialog;
    dialog.texts[c.index] = c.before;
    engine::ColorPropsArrowKey(dialog, c.index, c.key);
    EXPECT_EQ(dialog.texts[c.index], c.after) << c.index << " " << c.key << " " << c.before;
  }
  FakeDialog untouched;
  engine::ColorPropsArrowKey(untouched, 4, 38);
  engine::ColorPropsArrowKey(untouched, 0, 37);
  engine::ColorPropsArrowKey(untouched, -1, 40);
  EXPECT_TRUE(untouched.sets.empty());
}

TEST_F(HueConeTest, ValidateColorPropClampsTheFieldAndRedrawsTheDisc) {
  FakeDialog dialog;
  dialog.texts[0] = "250";
  engine::ValidateColorProp(dialog, 0);
  EXPECT_EQ(dialog.texts[0], "100");
  EXPECT_EQ(dialog.picture.publishes, 1);
  EXPECT_EQ(dialog.picture.pixels.size(), 6054u);

  dialog.texts[3] = "x";
  engine::ValidateColorProp(dialog, 3);
  EXPECT_EQ(dialog.texts[3], "0");

  engine::ValidateColorProp(dialog, 4);  // no such field
  EXPECT_EQ(dialog.picture.publishes, 2);
}

// The preview reads the fields as they stand (whole part, unclamped): a brighter field gives
// a brighter disc.
TEST_F(HueConeTest, ThePreviewUsesTheFieldsAsTheyStand) {
  FakeDialog dialog;
  engine::SetHueConeDialog(&dialog);
  dialog.texts = {"0", "100", "0", "0"};
  engine::BuildHueConeColors(dialog.picture);
  const auto dark = dialog.picture.pixels;
  dialog.texts = {"100.9", "0", "0", "0"};
  engine::BuildHueConeColors(dialog.picture);
  std::vector<int32_t> expected(engine::kHueConeTableSize, 0);
  std::array<int32_t, 1025> ramp{};
  for (int i = 0; i < 1024; ++i) ramp[i] = model::HueRampColor(i);
  pixlib::CalcHueConeBrightness(ramp, expected, 1, 100, 0, 0, 0, 0.0f, 0.0f, model::hueWheelState().HwbStart);
  const auto& s = hueCone();
  for (int i = 0; i < s.ConePointCount; i += 97) {
    EXPECT_EQ(dialog.picture.pixels.at({s.ConePointX[i], s.ConePointY[i]}), expected[s.ConePointIndex[i]]);
  }
  EXPECT_NE(dark, dialog.picture.pixels);
}

}  // namespace
