// Copying one property to all galaxy types: which types receive it by their style, what the
// galaxy page shows, the hue wheel rebuilt, and the frame's choice, value input and messages.
#include "dialogs/properties/prop_copy.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/properties/galaxy_fields.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/props_fields.h"
#include "dialogs/properties/props_lists.h"
#include "model/hue_wheel.h"
#include "roads_fixture.h"

namespace dialogs {
namespace {

using G = model::GalaxyTypeProps;

// The dialog as the frame sees it: each copy is recorded and done with the given edited type.
class CopyingFields : public PropsFields {
 public:
  explicit CopyingFields(PropsControls& c) : c_(c) {}
  std::string GalaxyText(int) const override { return ""; }
  void SetGalaxyText(int, const std::string&) override {}
  std::string UniText(int) const override { return ""; }
  void SetUniText(int, const std::string&) override {}
  std::string UniGalName() const override { return ""; }
  void CopyPropValueToAllGalaxyTypes(int32_t propIndex, float value) override {
    calls.emplace_back(propIndex, value);
    dialogs::CopyPropValueToAllGalaxyTypes(c_, propIndex, value, -1);
  }
  std::vector<std::pair<int32_t, float>> calls;

 private:
  PropsControls& c_;
};

class PropCopyTest : public RoadsTest {
 protected:
  void SetUp() override {
    RoadsTest::SetUp();
    fields = std::make_unique<CopyingFields>(form->c);
    AttachPropCopyHandlers(form->c, *fields);
    // Type n has style n mod 10, so every style has five types.
    for (int n = 0; n < 50; ++n) Type(n).Galaxy_GalStyle = n % 10;
    before = model::records().GalaxyTypes;
  }
  static G& Type(int n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }
  void Copy(int32_t prop, float value, int32_t edited = -1) { CopyPropValueToAllGalaxyTypes(form->c, prop, value, edited); }

  std::unique_ptr<CopyingFields> fields;
  std::array<G, model::kGalaxyTypeCount> before;
};

struct GroupCase {
  const char* what;
  int32_t prop;
  float value;
  std::vector<int> styles;          // the styles whose types receive the value
  std::function<double(const G&)> field;
  std::function<std::string(PropsControls&)> shown;  // the page control afterwards
  std::string expectShown;
};

TEST_F(PropCopyTest, EachRowGroupReachesTheTypesOfItsStyles) {
  const auto text = [](controls::TextBox& b) { return b.Text(); };
  const std::vector<GroupCase> cases = {
      {"all styles", 0, 55, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, [](const G& g) { return g.Galaxy_HueRed; },
       [&](PropsControls& c) { return text(c.txtPixHue[0]); }, "55"},
      {"all but Starwave", 5, 30000, {0, 1, 2, 3, 4, 5, 6, 8, 9}, [](const G& g) { return g.Galaxy_Radius; },
       [&](PropsControls& c) { return text(c.txtGalaxy[0]); }, "30000"},
      {"all but 1, 2, 7", 10, 9, {0, 3, 4, 5, 6, 8, 9}, [](const G& g) { return g.Galaxy_RadBands; },
       [&](PropsControls& c) { return text(c.txtGalaxy[5]); }, "9"},
      {"Single field", 15, 0.25f, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, [](const G& g) { return g.Galaxy_GHW_Ratio; },
       [&](PropsControls& c) { return text(c.txtGalaxy[90]); }, "0.25"},
      {"Nebula only", 54, 12, {4}, [](const G& g) { return g.Galaxy_CP_Points; },
       [&](PropsControls& c) { return text(c.txtGalaxy[3]); }, "12"},
      {"Starwave only, radius field", 64, 777, {7}, [](const G& g) { return g.Galaxy_Radius; },
       [&](PropsControls& c) { return text(c.txtGalaxy[0]); }, "777"},
      {"Graviton only", 63, 1.5f, {6}, [](const G& g) { return g.Galaxy_QG_Force; },
       [&](PropsControls& c) { return text(c.txtGalaxy[8]); }, "1.5"},
      {"list", 14, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, [](const G& g) { return g.Galaxy_Profile; },
       [](PropsControls& c) { return std::to_string(c.cboGalProfile->ListIndex()); }, "3"},
      {"colour list, molecules too", 20, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
       [](const G& g) { return g.Galaxy_ColorComp; },
       [](PropsControls& c) { return std::to_string(c.cboGalColor->ListIndex()); }, "1"},
      {"check box, unchecked", 61, 0, {4}, [](const G& g) { return g.Galaxy_CP_Close; },
       [](PropsControls& c) { return std::to_string(c.chkCP_Closed->Value()); }, "0"},
  };
  for (const GroupCase& k : cases) {
    SCOPED_TRACE(k.what);
    model::records().GalaxyTypes = before;
    form->c.chkCP_Closed->SetValue(1);
    Copy(k.prop, k.value);
    for (int n = 0; n < 50; ++n) {
      const bool receives = std::find(k.styles.begin(), k.styles.end(), n % 10) != k.styles.end();
      EXPECT_EQ(k.field(Type(n)), receives ? static_cast<double>(k.value) : k.field(before[static_cast<size_t>(n)]))
          << "type " << n;
    }
    EXPECT_EQ(k.shown(form->c), k.expectShown);
  }
}

TEST_F(PropCopyTest, StyleRowChangesTheStyleAloneByTheStyleBeforeTheWrite) {
  Copy(12, 5);
  for (int n = 0; n < 50; ++n) {
    EXPECT_EQ(Type(n).Galaxy_GalStyle, 5);
    EXPECT_EQ(Type(n).Galaxy_CP_Points, before[static_cast<size_t>(n)].Galaxy_CP_Points);
  }
  EXPECT_EQ(form->c.cboGalStyle->ListIndex(), 5);
}

TEST_F(PropCopyTest, WholeFieldsRoundHalvesToEvenWhileThePageShowsTheValue) {
  const std::pair<float, int32_t> cases[] = {{2.5f, 2}, {3.5f, 4}, {-0.5f, 0}, {7.49f, 7}};
  for (auto [value, stored] : cases) {
    Copy(6, value);
    EXPECT_EQ(Type(0).Galaxy_Rotation, stored) << value;
    EXPECT_EQ(form->c.txtGalaxy[1].Text(), runtime::SingleToText(value));
  }
  Copy(11, 2.5f);  // a Single field keeps the value
  EXPECT_EQ(Type(0).Galaxy_RadBFill, 2.5f);
  EXPECT_EQ(form->c.txtGalaxy[6].Text(), "2.5");
}

TEST_F(PropCopyTest, CompositeSlotsNeverChangeAndTheHueWheelIsRebuilt) {
  model::HueWheelState& wheel = model::hueWheelState();
  wheel.HueWheelTable.fill(0x00FFFFFF);
  Copy(0, 0);  // no red in any type's wheel
  for (int t = 0; t < 50; ++t)
    for (int hue = 0; hue < 360; hue += 7)
      EXPECT_EQ(wheel.HueWheelTable[model::HueWheelIndex(t, hue)] & 0xFF, 0) << t << " " << hue;
  for (int n = 50; n < model::kGalaxyTypeCount; ++n) {
    EXPECT_EQ(Type(n).Galaxy_HueRed, before[static_cast<size_t>(n)].Galaxy_HueRed);
    EXPECT_EQ(Type(n).Galaxy_GalStyle, before[static_cast<size_t>(n)].Galaxy_GalStyle);
  }
  // Rebuilt also when nothing is written.
  for (int32_t prop : {-1, 68}) {
    wheel.HueWheelTable.fill(0x00FFFFFF);
    Copy(prop, 50);
    EXPECT_NE(wheel.HueWheelTable[model::HueWheelIndex(0, 0)], 0x00FFFFFF);
    EXPECT_EQ(Type(0).Galaxy_HueRed, 0);
  }
}

TEST_F(PropCopyTest, AdvancedWindowCallSetsTheBlendOfEveryType) {
  for (int n = 0; n < 50; ++n) Type(n).Galaxy_DX_Blend = 40 + n;
  form->c.txtPixHue[4].SetText("70");
  Copy(4, 0);
  for (int n = 0; n < 50; ++n) EXPECT_EQ(Type(n).Galaxy_DX_Blend, 0) << n;
  EXPECT_EQ(form->c.txtPixHue[4].Text(), "0");
}

TEST_F(PropCopyTest, NoTypeOfTheStyleLeavesRecordsAndPageAlone) {
  for (int n = 0; n < 50; ++n) Type(n).Galaxy_GalStyle = 0;
  before = model::records().GalaxyTypes;
  form->c.txtGalaxy[3].SetText("6");
  Copy(54, 15);
  for (int n = 0; n < 50; ++n) EXPECT_EQ(Type(n).Galaxy_CP_Points, before[static_cast<size_t>(n)].Galaxy_CP_Points);
  EXPECT_EQ(form->c.txtGalaxy[3].Text(), "6");
}

TEST_F(PropCopyTest, WhileEditingThePageIsStoredFirstAndReloadedOnce) {
  PropsControls& c = form->c;
  // Type 7 is a Starwave: a general radius does not reach it, and its page keeps its own.
  GalaxyRecordToControls(c, 7);
  c.txtGalaxy[0].SetText("999");
  Copy(5, 1234, 7);
  EXPECT_EQ(Type(7).Galaxy_Radius, 999);
  EXPECT_EQ(c.txtGalaxy[0].Text(), "999");
  EXPECT_EQ(Type(0).Galaxy_Radius, 1234);
  // A page switched to Nebula takes a Nebula property, though its record said Standard.
  GalaxyRecordToControls(c, 10);
  c.cboGalStyle->SetListIndex(4);
  Copy(54, 11, 10);
  EXPECT_EQ(Type(10).Galaxy_GalStyle, 4);
  EXPECT_EQ(Type(10).Galaxy_CP_Points, 11);
  EXPECT_EQ(c.txtGalaxy[3].Text(), "11");
  // A Nebula keeps its bias speed in the tilt box: a general tilt does not show there.
  GalaxyRecordToControls(c, 14);
  const std::string speed = c.txtGalaxy[93].Text();
  Copy(18, 45, 14);
  EXPECT_EQ(c.txtGalaxy[93].Text(), speed);
  EXPECT_EQ(Type(14).Galaxy_AngleTilt, 45.0f);
}

// ---- the frame

struct ChoiceCase {
  int32_t prop;
  bool text, list, check;
  std::string caption;  // lblPropCopy for text rows, chkPropCopy for the check box row
  int maxLength;
  std::vector<std::string> entries;
  int32_t selected;
};

TEST_F(PropCopyTest, ChoosingAPropertyPreparesItsInput) {
  PropsControls& c = form->c;
  const std::vector<std::string> profiles(kGalProfileItems.begin(), kGalProfileItems.end());
  const std::vector<std::string> styles(kGalStyleItems.begin(), kGalStyleItems.end());
  const std::vector<ChoiceCase> cases = {
      {54, true, false, false, "Range (1 - 20):", 2, {}, -1},
      {42, true, false, false, "Range (0.1 - 0.9999):", 8, {}, -1},
      {5, true, false, false, "Range (1 - 30000):", 5, {}, -1},
      {14, false, true, false, "", 0, profiles, -1},
      {12, false, true, false, "", 0, styles, -1},
      {14, false, true, false, "", 0, profiles, -1},  // chosen again: emptied and refilled
      {13, false, true, false, "", 0, {"Y-Z", "X-Z"}, 0},
      {61, false, false, true, "Control Point Loop is Closed?", 0, {}, -1},
  };
  for (const ChoiceCase& k : cases) {
    SCOPED_TRACE(k.prop);
    c.txtPropCopy->SetText("77");
    c.chkPropCopy->SetValue(1);
    c.cboPropCopyList->SetListIndex(k.prop);
    EXPECT_EQ(c.txtPropCopy->Visible(), k.text);
    EXPECT_EQ(c.lblPropCopy->Visible(), k.text);
    EXPECT_EQ(c.cboPropCopy->Visible(), k.list);
    EXPECT_EQ(c.chkPropCopy->Visible(), k.check);
    EXPECT_EQ(c.txtPropCopy->Text(), "");
    EXPECT_EQ(c.chkPropCopy->Value(), 0);
    if (k.text) {
      EXPECT_EQ(c.lblPropCopy->Caption(), k.caption);
      EXPECT_EQ(c.txtPropCopy->MaxLength(), k.maxLength);
    }
    if (k.check) {
      EXPECT_EQ(c.chkPropCopy->Caption(), k.caption);
    }
    std::vector<std::string> entries;
    for (int i = 0; i < c.cboPropCopy->ListCount(); ++i) entries.push_back(c.cboPropCopy->List(i));
    EXPECT_EQ(entries, k.entries);
    EXPECT_EQ(c.cboPropCopy->ListIndex(), k.selected);
  }
}

struct MessageCase {
  int32_t prop;      // -1: none chosen
  std::string text;  // typed value
  std::string message;
};

TEST_F(PropCopyTest, CopyTellsWhatIsMissingAndCopiesNothing) {
  PropsControls& c = form->c;
  const MessageCase cases[] = {
      {-1, "5", "Please select a Property to copy."},
      {5, "", "Please enter a Property value."},
      {5, "   ", "Please enter a Property value."},
      {12, "", "Please select a Property value."},
      {14, "", "Please select a Property value."},
      {20, "", "Please select a Property value."},
      {36, "", "Please select a Property value."},
  };
  for (const MessageCase& k : cases) {
    SCOPED_TRACE(k.prop);
    c.cboPropCopyList->SetListIndex(k.prop);
    c.txtPropCopy->SetText(k.text);
    messages.messages.clear();
    c.cmdPropCopy->PerformClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, k.message);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
  }
  EXPECT_TRUE(fields->calls.empty());
  EXPECT_EQ(model::records().GalaxyTypes[0].Galaxy_Radius, before[0].Galaxy_Radius);
}

TEST_F(PropCopyTest, CopyTakesThePickedPositionTheTickOrTheNumber) {
  PropsControls& c = form->c;
  c.cboPropCopyList->SetListIndex(13);  // "Y-Z" is selected at once
  c.cmdPropCopy->PerformClick();
  c.cboPropCopyList->SetListIndex(36);
  c.cboPropCopy->SetListIndex(3);
  c.cmdPropCopy->PerformClick();
  c.cboPropCopyList->SetListIndex(61);
  c.chkPropCopy->SetValue(1);
  c.cmdPropCopy->PerformClick();
  c.cboPropCopyList->SetListIndex(15);
  c.txtPropCopy->SetText(" 1.75x");
  c.cmdPropCopy->PerformClick();
  const std::vector<std::pair<int32_t, float>> expected = {{13, 0.0f}, {36, 3.0f}, {61, 1.0f}, {15, 1.75f}};
  EXPECT_EQ(fields->calls, expected);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Type(4).Galaxy_CP_Close, 1);
  EXPECT_EQ(c.chkCP_Closed->Value(), 1);
}

TEST_F(PropCopyTest, TypedValueIsFilteredAndClampedWhenCopyTakesTheFocus) {
  PropsControls& c = form->c;
  ShowActive();
  // Before a choice every key is taken and nothing is clamped.
  TypeInto(*c.txtPropCopy, "ab99999");
  Leave();
  EXPECT_EQ(c.txtPropCopy->Text(), "ab99999");

  c.cboPropCopyList->SetListIndex(15);
  TypeInto(*c.txtPropCopy, "1.2.5a");
  EXPECT_EQ(c.txtPropCopy->Text(), "1.25");

  c.cboPropCopyList->SetListIndex(5);
  TypeInto(*c.txtPropCopy, "45x000");
  EXPECT_EQ(c.txtPropCopy->Text(), "45000");
  QTest::mouseClick(c.cmdPropCopy, Qt::LeftButton);
  EXPECT_EQ(c.txtPropCopy->Text(), "30000");
  for (int n = 0; n < 50; ++n)
    EXPECT_EQ(Type(n).Galaxy_Radius, n % 10 == 7 ? before[static_cast<size_t>(n)].Galaxy_Radius : 30000) << n;

  // An emptied value is not turned into a bound on leaving: "Copy" asks for one.
  TypeInto(*c.txtPropCopy, "");
  c.txtPropCopy->SetText("");
  QTest::mouseClick(c.cmdPropCopy, Qt::LeftButton);
  EXPECT_EQ(c.txtPropCopy->Text(), "");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Please enter a Property value.");
}

}  // namespace
}  // namespace dialogs
