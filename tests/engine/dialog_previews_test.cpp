#include "engine/dialog_previews.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <map>
#include <string>

#include "engine/engine_fixture.h"
#include "engine/hue_cone.h"
#include "engine/universe_settings.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "support/test_support.h"

namespace engine {
namespace {

// The Properties dialog as the previews read it: its universe fields with the texts a load
// of the defaults leaves, small enough for quick runs.
struct FakeDialog : UniverseDialog {
  std::map<int, std::string> uni{{0, "10"},   {1, "3"},     {2, "100"}, {3, "35"},  {10, "3000"},
                                 {11, "4"},   {12, "0.985"}, {14, "0.01"}, {16, "170"}, {17, "250"},
                                 {18, "30"},  {20, "3500"}, {21, "85"},  {30, "200"}, {31, "2"},
                                 {32, "4"},   {33, "4000"}, {40, "0"},   {41, "0.999"}, {42, "0.1"},
                                 {43, "15"},  {44, "600"},  {50, "0"},   {51, "1"}};
  int32_t profile = 51, tour = 1, visitSeq = 0, galaxy = 3, composite = -1;
  std::string visits;
  presentation::HeadlessRenderSurface picture{enginetest::kFrameWidth, enginetest::kFrameHeight};
  bool hasPicture = true;

  std::string UniText(int index) const override {
    const auto it = uni.find(index);
    return it == uni.end() ? std::string() : it->second;
  }
  int32_t UniProfileIndex() const override { return profile; }
  int32_t UniTourValue() const override { return tour; }
  int32_t VisitSeqValue() const override { return visitSeq; }
  std::string TourGalaxiesText() const override { return visits; }
  int32_t GalaxyListIndex() const override { return galaxy; }
  int32_t CompositeListIndex() const override { return composite; }
  presentation::RenderSurface* PreviewPicture() override { return hasPicture ? &picture : nullptr; }
};

// The cone fields and disc of the same dialog; counts the disc's redraws.
struct FakeCone : HueConeDialog {
  struct Disc : HueConePicture {
    int32_t InnerWidthPx() const override { return 87; }
    int32_t InnerHeightPx() const override { return 87; }
    void ClearPicture() override {}
    void SetPixel(int32_t, int32_t, int32_t) override {}
    void PublishToImage() override { ++redraws; }
    int redraws = 0;
  } disc;
  std::array<std::string, 4> texts{"60", "30", "1500", "x"};
  std::string ColorPropText(int index) const override { return texts.at(index); }
  void SetColorPropText(int index, const std::string& text) override { texts.at(index) = text; }
  HueConePicture* HueWheelPicture() override { return &disc; }
};

class DialogPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::ResetEngineModules(5);
    ResetDialogPreviewState();
    ResetHueConeState();
    model::hueWheelState() = model::HueWheelState{};
    enginetest::InstallFakeHost(&host);
    SetUniverseDialog(&dialog);
  }
  void TearDown() override {
    enginetest::InstallFakeHost(nullptr);
    ResetDialogPreviewState();
    ResetHueConeState();
  }

  testsupport::TempConfig config;
  enginetest::FakeHost host;
  FakeDialog dialog;
};

// One field case: txtUni(field) holding `text`, the setting `before` and after the take.
template <class T>
struct FieldCase {
  int field;
  std::string text;
  T UniverseSettings::*member;
  T before, after;
};

template <class T>
void ExpectFieldCases(std::initializer_list<FieldCase<T>> cases) {
  UniverseSettings& u = universeSettings();
  for (const FieldCase<T>& c : cases) {
    FakeDialog d;
    d.uni[c.field] = c.text;
    u.*c.member = c.before;
    TakeUniverseDialogSettings(d);
    EXPECT_EQ(u.*c.member, c.after) << c.field << " '" << c.text << "'";
  }
}

// Each field's text into its setting, clamped to the field's range; a text that is no number
// leaves the setting as it was.
TEST_F(DialogPreviewTest, FieldsAreTakenClampedAndNonNumbersKeepTheSetting) {
  using L = FieldCase<int32_t>;
  ExpectFieldCases<int32_t>({L{0, "5", &UniverseSettings::Universe_Stars, 777, 10},
                             L{0, "abc", &UniverseSettings::Universe_Stars, 777, 777},
                             L{0, "", &UniverseSettings::Universe_Stars, 777, 777},
                             L{0, "123456", &UniverseSettings::Universe_Stars, 777, 99999},
                             L{0, "250.5", &UniverseSettings::Universe_Stars, 777, 250},
                             L{1, "0", &UniverseSettings::Universe_Galaxy, 5, 1},
                             L{11, "12x", &UniverseSettings::Universe_ESteps, 9, 9},
                             L{32, "0", &UniverseSettings::Universe_GCCtrl, 9, 0},
                             L{43, "1000", &UniverseSettings::Universe_AmFrames, 9, 999},
                             L{51, "0", &UniverseSettings::Universe_GravFrame, 9, 1}});
  // Values exact in a Single compare exactly.
  using S = FieldCase<float>;
  ExpectFieldCases<float>({S{12, "0.1", &UniverseSettings::Universe_Persist, 0.5f, 0.25f},
                           S{14, "0.5", &UniverseSettings::Universe_Damping, 0.2f, 0.5f},
                           S{41, "letters", &UniverseSettings::Universe_AmPers, 0.5f, 0.5f},
                           S{42, "11", &UniverseSettings::Universe_AmCAge, 0.5f, 10.0f},
                           S{10, "2500.5", &UniverseSettings::Universe_Expand, 1.0f, 2500.0f},
                           S{21, "150", &UniverseSettings::Universe_NewPctStEx, 1.0f, 100.0f},
                           S{33, "1234567", &UniverseSettings::Universe_DstCen, 1.0f, 999999.0f},
                           S{44, "0", &UniverseSettings::Universe_AmMaxExt, 5.0f, 1.0f},
                           S{50, "1000", &UniverseSettings::Universe_GravForce, 5.0f, 1000.0f},
                           S{2, "101", &UniverseSettings::DX_BlendUniBurst, 5.0f, 100.0f},
                           S{3, "x", &UniverseSettings::DX_BlendUniTravel, 5.0f, 5.0f}});
}

// The list and check boxes: the profile clamped to 0..51, a check box on only when checked;
// the visit list parsed; the two values the dialog does not give are kept.
TEST_F(DialogPreviewTest, ListsCheckBoxesAndVisitListAreTaken) {
  UniverseSettings& u = universeSettings();
  u.Universe_C_Ramp = 1;
  u.Universe_RotCam = true;
  struct Case {
    int32_t profile, tour, visitSeq;
    int32_t wantProfile;
    bool wantTour, wantVisit;
  };
  for (const Case c : {Case{7, 1, 0, 7, true, false}, Case{-1, 0, 1, 0, false, true},
                       Case{60, 2, 2, 51, true, true}}) {
    dialog.profile = c.profile;
    dialog.tour = c.tour;
    dialog.visitSeq = c.visitSeq;
    TakeUniverseDialogSettings(dialog);
    EXPECT_EQ(u.Universe_Profile, c.wantProfile);
    EXPECT_EQ(u.Universe_Tour, c.wantTour);
    EXPECT_EQ(u.Universe_GVisit, c.wantVisit);
  }
  dialog.visits = " 3 x 70 12 ";
  TakeUniverseDialogSettings(dialog);
  ASSERT_EQ(u.GalaxyVisitCount, 2);
  EXPECT_EQ(u.GalaxyVisitList[0], "2");
  EXPECT_EQ(u.GalaxyVisitList[1], "11");
  EXPECT_EQ(u.Universe_C_Ramp, 1);
  EXPECT_TRUE(u.Universe_RotCam);
}

// The universe hue range comes from txtUni(16) and (17), each kept to 0..999; when either is
// no number the universe range stays as it was.
TEST_F(DialogPreviewTest, UniverseHueRangeComesFromFields16And17) {
  const auto rangeOf = [](int32_t start, int32_t end) {
    model::SetUniverseHueWheel(start, end);
    return model::hueRangeState().UniverseHueRangeTable;
  };
  const auto first = rangeOf(40, 300);
  const auto clamped = rangeOf(999, 0);
  ASSERT_NE(first, clamped);
  struct Case {
    const char *start, *end;
    std::array<int32_t, model::kHueRangeEntries> want;
  };
  for (const Case& c : {Case{"40", "300", first}, Case{"1200", "-5", clamped}, Case{"x", "300", clamped},
                        Case{"40", "", clamped}}) {
    dialog.uni[16] = c.start;
    dialog.uni[17] = c.end;
    TakeUniverseDialogSettings(dialog);
    EXPECT_EQ(model::hueRangeState().UniverseHueRangeTable, c.want) << c.start << " " << c.end;
  }
}

// The galaxy and composite previews take the selected index and txtUni(0) stars, at least 10;
// a star count of letters keeps the count held last.
TEST_F(DialogPreviewTest, GalaxyChoiceTakesTheStarCountFromTheDialog) {
  struct Case {
    std::string stars;
    int32_t held, shown;
  };
  for (const Case& c : {Case{"5", 500, 10}, Case{"letters", 432, 432}, Case{"120", 500, 120},
                        Case{"200000", 500, 99999}}) {
    universeSettings().Universe_Stars = c.held;
    dialog.uni[0] = c.stars;
    host.stopAt = host.paces + 2;
    EXPECT_TRUE(ApplyUniverseGalaxyChoice(dialog.picture, false));
    EXPECT_EQ(universeSettings().Universe_Stars, c.shown) << c.stars;
    EXPECT_EQ(universeSettings().Universe_Galaxy, 1);
    presentation::pacing().G_bCancel = false;
  }
  EXPECT_EQ(presentation::render().RenderTarget, &dialog.picture);
  EXPECT_EQ(presentation::render().RenderWidth, enginetest::kFrameWidth);
  // A composite preview without a selected composite shows nothing.
  const int frames = host.frames;
  EXPECT_TRUE(ApplyUniverseGalaxyChoice(dialog.picture, true));
  EXPECT_EQ(host.frames, frames);
}

// The universe preview binds the dialog's picture; the recording keeps the target its caller
// bound. Without a dialog, or a picture to bind, nothing runs.
TEST_F(DialogPreviewTest, UniversePreviewBindsThePictureAndTheRecordingKeepsItsOwn) {
  host.stopAt = 3;
  EXPECT_TRUE(ApplyUniverseDialogSettings());
  EXPECT_EQ(host.frames, 3);
  EXPECT_EQ(presentation::render().RenderTarget, &dialog.picture);
  EXPECT_EQ(universeSettings().Universe_Galaxy, 3);

  presentation::HeadlessRenderSurface own(32, 24);
  presentation::LoadSaverProperties(own, false, 1.0f);
  presentation::pacing().G_bCancel = false;
  host.stopAt = host.paces + 2;
  EXPECT_TRUE(ApplyUniverseDialogSettings(false));
  EXPECT_EQ(presentation::render().RenderTarget, &own);
  EXPECT_EQ(presentation::render().RenderWidth, 32);

  dialog.hasPicture = false;
  const int frames = host.frames;
  EXPECT_FALSE(ApplyUniverseDialogSettings(true));
  SetUniverseDialog(nullptr);
  EXPECT_FALSE(ApplyUniverseDialogSettings(false));
  EXPECT_FALSE(ApplyUniverseGalaxyChoice(own, false));
  EXPECT_EQ(host.frames, frames);
}

// A start made while a display started here is still on the stack (a click handled inside
// its frame pacing) does nothing; once it has returned, a start runs again.
TEST_F(DialogPreviewTest, AStartWhileADisplayHasNotReturnedIsIgnored) {
  struct Reentering : enginetest::FakeHost {
    FakeDialog* dialog = nullptr;
    bool nestedUniverse = true, nestedGalaxy = true, runningSeen = false;

   protected:
    void OnPace() override {
      runningSeen = DialogDisplayRunning();
      nestedUniverse = ApplyUniverseDialogSettings();
      nestedGalaxy = ApplyUniverseGalaxyChoice(dialog->picture, false);
    }
  } reentering;
  reentering.dialog = &dialog;
  reentering.stopAt = 4;
  enginetest::InstallFakeHost(&reentering);
  EXPECT_TRUE(ApplyUniverseGalaxyChoice(dialog.picture, false));
  EXPECT_TRUE(reentering.runningSeen);
  EXPECT_FALSE(reentering.nestedUniverse);
  EXPECT_FALSE(reentering.nestedGalaxy);
  EXPECT_EQ(reentering.frames, 4);
  EXPECT_FALSE(DialogDisplayRunning());
}

// The universe preview takes the cone values from the dialog's cone fields (clamped; a text
// without a number is 0) and, with the bubble on, redraws the dialog's disc once per
// expansion frame.
TEST_F(DialogPreviewTest, UniversePreviewTakesTheConeAndRedrawsTheDiscWithTheBubbleOn) {
  FakeCone cone;
  SetHueConeDialog(&cone);
  dialog.uni[11] = "6";  // expansion frames
  host.stopAt = 4;
  ASSERT_TRUE(ApplyUniverseDialogSettings());
  const HueConeState& s = hueCone();
  EXPECT_EQ(s.ConeBright, 60);
  EXPECT_EQ(s.ConeBlack, 30);
  EXPECT_EQ(s.ConeBBias, 999);
  EXPECT_EQ(s.ConeTwist, 0);
  const int withoutBubble = cone.disc.redraws;

  model::HueWheelState& w = model::hueWheelState();
  w.HwbLevel = 0.5f;
  w.HwbSpan = 40.0f;
  w.HwbSpeed = 1.0f;
  presentation::pacing().G_bCancel = false;
  host.stopAt = host.paces + 4;
  ASSERT_TRUE(ApplyUniverseDialogSettings());
  EXPECT_EQ(cone.disc.redraws - withoutBubble, 4);
}

}  // namespace
}  // namespace engine
