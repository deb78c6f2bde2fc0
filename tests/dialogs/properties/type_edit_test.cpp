// Editing the universe mix: the galaxy type list with its name and percent, the composites
// with their members, the commits, the resets and the name and percent fields.
#include "dialogs/properties/type_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPalette>
#include <QTest>

#include <string>
#include <vector>

#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/type_lists.h"
#include "roads_fixture.h"

namespace dialogs {
namespace {

class TypeEditTest : public RoadsTest {
 protected:
  void SetUp() override {
    RoadsTest::SetUp();
    PropsControls& c = form->c;
    AttachTypeEditHandlers(c);
    for (int n = 0; n < 50; ++n) {
      Type(n)._UniGalName = "Type " + std::to_string(n);
      Type(n)._UniGalPct = n;
    }
    FillGalaxyList(c, false);
    FillCompositeList(c, false);
  }
  static model::GalaxyTypeProps& Type(int n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }
  static model::CompositeRecord& Comp(int k) { return model::records().CompositeGalaxies[static_cast<size_t>(k)]; }
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages.messages) texts.push_back(m.text);
    messages.messages.clear();
    return texts;
  }
  static uint32_t Background(const controls::TextBox& box) {
    return static_cast<uint32_t>(box.palette().color(QPalette::Base).rgb()) & 0xFFFFFFu;
  }
  using RecordedMessage = testsupport::RecordedMessage;
};

TEST_F(TypeEditTest, SelectingATypeShowsItsNameAndPercent) {
  PropsControls& c = form->c;
  c.lstUniGalaxy->SetListIndex(12);
  EXPECT_EQ(c.txtUniGalName->Text(), "Type 12");
  EXPECT_EQ(c.txtUniGalPct->Text(), "12");
  EXPECT_EQ(c.spnUniGalPct->Value(), 12);
  EXPECT_EQ(ListLineName("A name with  blanks   9999"), "A name with  blanks");
  EXPECT_EQ(ListLinePercent("A name with  blanks   9999"), "9999");
  EXPECT_EQ(ListLinePercent("ab"), "ab");
}

struct CommitCase {
  std::string name, percent;
  std::string storedName;
  int32_t storedPercent;
};

TEST_F(TypeEditTest, GalaxyCommitStoresTheCleanedNameAndClampedPercent) {
  PropsControls& c = form->c;
  const CommitCase cases[] = {
      {"  Spiral  ", "12", "Spiral", 12},
      {"Tab\there", "99999", "Tabhere", 9999},
      {"x[y]=z,", "", "xyz", 0},
      {"Grün\r\n", "7.5", "Grün", 8},
  };
  for (const CommitCase& k : cases) {
    SCOPED_TRACE(k.name);
    c.lstUniGalaxy->SetListIndex(4);
    c.txtUniGalName->SetText(k.name);
    c.txtUniGalPct->SetText(k.percent);
    c.cmdGalCommit->PerformClick();
    EXPECT_EQ(Type(4)._UniGalName, k.storedName);
    EXPECT_EQ(Type(4)._UniGalPct, k.storedPercent);
    EXPECT_EQ(ListLineName(c.lstUniGalaxy->List(4)), k.storedName);
    EXPECT_EQ(ListLinePercent(c.lstUniGalaxy->List(4)), std::to_string(k.storedPercent));
    EXPECT_EQ(c.txtUniGalPct->Text(), std::to_string(k.storedPercent));
  }
  EXPECT_EQ(c.lstUniGalaxy->ListCount(), 50);
  // Without a selected line the edit is not dropped silently.
  c.lstUniGalaxy->SetListIndex(-1);
  c.txtUniGalName->SetText("Lost");
  c.cmdGalCommit->PerformClick();
  EXPECT_EQ(Shown(), std::vector<std::string>{"Please select a Galaxy Type."});
  for (int n = 0; n < 50; ++n) EXPECT_NE(Type(n)._UniGalName, "Lost");
}

TEST_F(TypeEditTest, NameFieldsRefuseSeparatorsTypedOrPasted) {
  PropsControls& c = form->c;
  ShowActive();
  for (controls::TextBox* box : {c.txtUniGalName, c.txtCompGalName}) {
    SCOPED_TRACE(box->Name());
    TypeInto(*box, "a[b]c,d=e f");
    EXPECT_EQ(box->Text(), "abcde f");
    QGuiApplication::clipboard()->setText("P[a]s,t=e\td");
    box->SetFocus();
    box->setCursorPosition(1);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "aPastedbcde f");
    EXPECT_EQ(box->cursorPosition(), 7);
  }
  // The percent and reset fields take digits only.
  for (controls::TextBox* box : {c.txtUniGalPct, c.txtCompGalPct, c.txtResetGalPct, c.txtResetCompPct}) {
    TypeInto(*box, "1a2-3");
    EXPECT_EQ(box->Text(), "123") << box->Name();
  }
  EXPECT_EQ(beeps, 8);
}

struct ArrowCase {
  std::string text;
  int key;
  std::string result;
};

TEST_F(TypeEditTest, PercentFieldsStepByArrowsAndFollowTheirSpinners) {
  PropsControls& c = form->c;
  const ArrowCase cases[] = {
      {"9999", Qt::Key_Up, "9999"}, {"0", Qt::Key_Down, "0"}, {"", Qt::Key_Up, "1"},
      {"41", Qt::Key_Up, "42"},     {"41", Qt::Key_Down, "40"},
  };
  ShowActive();
  for (auto [box, spinner] : {std::pair{c.txtUniGalPct, c.spnUniGalPct}, std::pair{c.txtCompGalPct, c.spnCompGalPct}}) {
    for (const ArrowCase& k : cases) {
      box->SetText(k.text);
      box->SetFocus();
      QTest::keyClick(box, static_cast<Qt::Key>(k.key));
      EXPECT_EQ(box->Text(), k.result) << box->Name() << " " << k.text;
      EXPECT_EQ(spinner->Value(), std::stoi(k.result));
    }
    spinner->SetValue(321);
    EXPECT_EQ(box->Text(), "321");
    box->SetText("055");  // the spinner follows without rewriting what is typed
    EXPECT_EQ(spinner->Value(), 55);
    EXPECT_EQ(box->Text(), "055");
  }
}

TEST_F(TypeEditTest, ResetsSetEveryPercentAndEndOnTheFirstLine) {
  PropsControls& c = form->c;
  c.txtResetGalPct->SetText(" ");
  c.cmdResetGalPct->PerformClick();
  c.cmdResetCompPct->PerformClick();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Please enter a value for the Reset percent.",
                                               "Please enter a value for the Reset percent."}));
  EXPECT_EQ(Type(9)._UniGalPct, 9);

  for (const char* value : {"0", "250"}) {
    c.lstUniGalaxy->SetListIndex(30);
    c.txtResetGalPct->SetText(value);
    c.cmdResetGalPct->PerformClick();
    for (int n = 0; n < 50; ++n) {
      EXPECT_EQ(Type(n)._UniGalPct, std::stoi(value)) << n;
      EXPECT_EQ(ListLinePercent(c.lstUniGalaxy->List(n)), value);
      EXPECT_EQ(ListLineName(c.lstUniGalaxy->List(n)), Type(n)._UniGalName);
    }
    EXPECT_EQ(c.lstUniGalaxy->ListIndex(), 0);
    EXPECT_EQ(c.txtUniGalName->Text(), "Type 0");
    EXPECT_EQ(c.txtUniGalPct->Text(), value);
  }
  Comp(3)._CompGalName = "";
  c.txtResetCompPct->SetText("77");
  c.cmdResetCompPct->PerformClick();
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(Comp(k)._CompGalPct, 77);
    EXPECT_EQ(ListLinePercent(c.lstCompGalaxy->List(k)), "77");
  }
  EXPECT_EQ(ListLineName(c.lstCompGalaxy->List(3)), "< Galaxy Composite 4 >");
  EXPECT_EQ(c.lstCompGalaxy->ListIndex(), 0);
  EXPECT_EQ(c.txtCompGalPct->Text(), "77");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(TypeEditTest, SelectingACompositeShowsItsMembers) {
  PropsControls& c = form->c;
  Comp(2).CompGal_Count = 4;
  Comp(2).CompGal_Type = {};
  Comp(2).CompGal_Type[0] = 5;
  Comp(2).CompGal_Type[1] = 9;
  Comp(2).CompGal_Type[2] = 40;
  Comp(2).CompGal_Type[3] = 20;
  Comp(2)._CompGalPct = 60;
  FillCompositeList(c, false);
  c.lstCompMinor->SetSelected(33, true);
  c.lstCompGalaxy->SetListIndex(2);
  EXPECT_EQ(c.txtCompGalName->Text(), Comp(2)._CompGalName);
  EXPECT_EQ(c.txtCompGalPct->Text(), "60");
  EXPECT_EQ(c.cboCompMajor->ListIndex(), 5);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(c.lstCompMinor->Selected(i), i == 9 || i == 40 || i == 20) << i;

  // A composite without members shows none.
  c.lstCompGalaxy->SetListIndex(0);
  EXPECT_EQ(c.cboCompMajor->ListIndex(), -1);
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(c.lstCompMinor->Selected(i)) << i;
  EXPECT_EQ(c.lstCompMinor->TopIndex(), 0);
}

TEST_F(TypeEditTest, TwoIfsMembersTurnTheNameCyan) {
  PropsControls& c = form->c;
  Type(6).Galaxy_GalStyle = 8;
  Type(11).Galaxy_GalStyle = 2;
  Type(12).Galaxy_GalStyle = 4;
  const uint32_t normal = Background(*c.txtCompGalName);
  c.cboCompMajor->SetListIndex(6);
  EXPECT_EQ(CountCompositeIfsTypes(c), 1);
  c.lstCompMinor->SetSelected(12, true);
  EXPECT_EQ(Background(*c.txtCompGalName), normal);
  c.lstCompMinor->SetSelected(11, true);
  EXPECT_EQ(CountCompositeIfsTypes(c), 2);
  EXPECT_EQ(Background(*c.txtCompGalName), 0x00FFFFu);
  c.lstCompMinor->SetSelected(11, false);
  EXPECT_EQ(Background(*c.txtCompGalName), normal);
  // The major type ticked among the minor ones counts again.
  c.lstCompMinor->SetSelected(6, true);
  EXPECT_EQ(CountCompositeIfsTypes(c), 2);
  EXPECT_EQ(Background(*c.txtCompGalName), 0x00FFFFu);
  c.cboCompMajor->SetListIndex(-1);
  EXPECT_EQ(CountCompositeIfsTypes(c), 0);
  EXPECT_EQ(Background(*c.txtCompGalName), normal);
}

TEST_F(TypeEditTest, CompositeCommitStoresTheMajorTypeOnceAndTheTickedOnes) {
  PropsControls& c = form->c;
  Type(5).Galaxy_GalStyle = 8;
  Comp(1).CompGal_Type.fill(44);
  c.lstCompGalaxy->SetListIndex(1);
  c.cboCompMajor->SetListIndex(5);
  for (int i : {30, 5, 7}) c.lstCompMinor->SetSelected(i, true);
  c.txtCompGalName->SetText(" My [mix] ");
  c.txtCompGalPct->SetText("12345");
  c.cmdCompCommit->PerformClick();
  EXPECT_EQ(Shown(), std::vector<std::string>{"Note:\r\n\r\nTwo or more of the selected Galaxy Types have a Style of "
                                              "IFS.\r\nThis may result in strange looking Galaxies."});
  const model::CompositeRecord& r = Comp(1);
  EXPECT_EQ(r.CompGal_Count, 3);
  EXPECT_EQ(r.CompGal_Type[0], 5);
  EXPECT_EQ(r.CompGal_Type[1], 7);
  EXPECT_EQ(r.CompGal_Type[2], 30);
  EXPECT_EQ(r.CompGal_Type[3], 44);  // slots beyond the count keep their contents
  EXPECT_EQ(r._CompGalName, "My mix");
  EXPECT_EQ(r._CompGalPct, 9999);
  EXPECT_EQ(ListLineName(c.lstCompGalaxy->List(1)), "My mix");
  EXPECT_EQ(ListLinePercent(c.lstCompGalaxy->List(1)), "9999");
  EXPECT_EQ(c.txtCompGalPct->Text(), "9999");

  // An emptied name shows the list's substitute.
  c.txtCompGalName->SetText("  ");
  c.cmdCompCommit->PerformClick();
  Shown();
  EXPECT_EQ(r._CompGalName, "");
  EXPECT_EQ(ListLineName(c.lstCompGalaxy->List(1)), "< Galaxy Composite 2 >");
}

TEST_F(TypeEditTest, CompositeCommitNeedsALineAndAMajorType) {
  PropsControls& c = form->c;
  const model::CompositeRecord kept = Comp(4);
  c.lstCompGalaxy->SetListIndex(4);
  c.cboCompMajor->SetListIndex(-1);
  c.txtCompGalName->SetText("Changed");
  c.cmdCompCommit->PerformClick();
  EXPECT_EQ(Shown(), std::vector<std::string>{"Please select a Major Galaxy Type."});
  EXPECT_EQ(Comp(4)._CompGalName, kept._CompGalName);
  EXPECT_EQ(Comp(4).CompGal_Count, kept.CompGal_Count);

  c.lstCompGalaxy->SetListIndex(-1);
  c.cboCompMajor->SetListIndex(3);
  c.cmdCompCommit->PerformClick();
  EXPECT_EQ(Shown(), std::vector<std::string>{"Please select a Composite Galaxy Type."});
  for (int k = 0; k < 16; ++k) EXPECT_NE(Comp(k)._CompGalName, "Changed");
}

}  // namespace
}  // namespace dialogs
