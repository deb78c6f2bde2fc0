// Galaxy edit mode of the Properties window: entering and leaving it, the window's state in
// each mode, and the editors opened from the galaxy page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/properties/props_fixture.h"
#include "model/galaxy_types.h"
#include "runtime/numbers.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace dialogs::testing {
namespace {

using model::GalaxyTypeProps;

GalaxyTypeProps& Record(int n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }

class GalaxyEditModeTest : public PropsTest {
 protected:
  // A loaded window, shown and holding the keyboard.
  frmProps& OpenActive() {
    frmProps& d = Open();
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    return d;
  }
  static void Edit(frmProps& d, int n) {
    d.c.lstUniGalaxy->SetListIndex(n);
    d.c.cmdGalProps->PerformClick();
  }
  static std::string Flag(bool b) { return b ? "yes" : "no"; }
};

TEST_F(GalaxyEditModeTest, EditingATypeSwitchesTheWindowsStateAndReturningSwitchesItBack) {
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  const struct {
    const char* what;
    std::function<std::string()> read;
    std::string universe, editing;
  } rows[] = {
      {"accept caption", [&] { return c.cmdAccept->Caption(); }, "&Accept Settings", "&Return to Universe Settings"},
      {"accept width", [&] { return std::to_string(c.cmdAccept->minimumWidth()); },
       std::to_string(controls::TwipsToPixelsX(1572)), std::to_string(controls::TwipsToPixelsX(2640))},
      {"accept pressed by Esc", [&] { return Flag(c.cmdAccept->IsCancel()); }, "no", "yes"},
      {"accept pressed by Enter", [&] { return Flag(c.cmdAccept->IsDefault()); }, "yes", "yes"},
      {"cancel enabled", [&] { return Flag(c.cmdDismiss->Enabled()); }, "yes", "no"},
      {"cancel pressed by Esc", [&] { return Flag(c.cmdDismiss->IsCancel()); }, "yes", "no"},
      {"preview frame enabled", [&] { return Flag(c.fraPreview->Enabled()); }, "yes", "no"},
      {"galaxy page caption bold", [&] { return Flag(c.fraAni[0].FontBold()); }, "no", "yes"},
      {"galaxy page text colour",
       [&] { return c.fraAni[0].palette().color(QPalette::WindowText).name().toStdString(); }, "#000000", "#0000ff"},
      // Only the page's caption: its fields keep the window's type, so the page stays as wide.
      {"galaxy page field captions bold", [&] { return Flag(c.lblGalaxy[0].font().bold() || c.lblPColor->font().bold()); },
       "no", "no"},
      {"galaxy page field caption colour",
       [&] { return c.lblGalaxy[93].palette().color(QPalette::WindowText).name().toStdString(); },
       d.palette().color(QPalette::WindowText).name().toStdString(),
       d.palette().color(QPalette::WindowText).name().toStdString()},
      {"galaxy page width", [&] { return std::to_string(c.fraAni[0].sizeHint().width()); },
       std::to_string(c.fraAni[0].sizeHint().width()), std::to_string(c.fraAni[0].sizeHint().width())},
      {"galaxy page shown", [&] { return Flag(c.fraAni[0].Visible()); }, "no", "yes"},
      {"universe page shown", [&] { return Flag(c.fraAni[1].Visible()); }, "yes", "no"},
      {"File menu", [&] { return Flag(c.mnuFile->Enabled()); }, "yes", "no"},
      {"Edit menu", [&] { return Flag(c.mnuEdit->Enabled()); }, "yes", "no"},
      {"edit mode", [&] { return Flag(d.GalaxyEditMode); }, "no", "yes"},
  };
  const std::string caption = "Galaxy:  " + runtime::TrimBlanks(Record(3)._UniGalName);

  Edit(d, 3);
  for (const auto& r : rows) EXPECT_EQ(r.read(), r.editing) << r.what;
  EXPECT_EQ(c.fraAni[0].Caption(), caption);
  EXPECT_EQ(d.EditedGalaxyType(), 3);

  c.cmdAcceptGalProps->PerformClick();
  for (const auto& r : rows) EXPECT_EQ(r.read(), r.universe) << r.what;
  // The hidden page keeps its caption until the next type is opened.
  EXPECT_EQ(c.fraAni[0].Caption(), caption);
  EXPECT_EQ(d.EditedGalaxyType(), -1);
  EXPECT_TRUE(c.lstUniGalaxy->hasFocus());

  // The main accept button returns the same way, and the window stays open.
  Edit(d, 3);
  c.cmdAccept->PerformClick();
  for (const auto& r : rows) EXPECT_EQ(r.read(), r.universe) << r.what;
  EXPECT_TRUE(d.IsLoaded());
}

TEST_F(GalaxyEditModeTest, ShowPropsWithoutASelectedTypeAsksForOneADoubleClickDoesNothing) {
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  c.lstUniGalaxy->SetListIndex(-1);
  c.cmdGalProps->PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Please select a Galaxy Profile.");
  EXPECT_EQ(messages.messages[0].title, "Zorvane");
  EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
  EXPECT_EQ(messages.messages[0].buttons, platform::MsgButtons::Ok);
  EXPECT_TRUE(c.lstUniGalaxy->hasFocus());
  c.lstUniGalaxy->DblClick();
  EXPECT_FALSE(d.GalaxyEditMode);
  EXPECT_TRUE(c.fraAni[1].Visible());
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(GalaxyEditModeTest, EscAndEnterReturnFromTheTypeStoringThePageEscOnTheUniversePageCancels) {
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  controls::ListBox& list = *c.lstUniGalaxy;
  const QPoint line3 = list.visualItemRect(list.item(3)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, line3);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, line3);
  ASSERT_TRUE(d.GalaxyEditMode);
  EXPECT_EQ(d.EditedGalaxyType(), 3);
  c.txtGalaxy[0].SetText("1234");
  c.txtGalaxy[0].SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(d.GalaxyEditMode);
  EXPECT_EQ(Record(3).Galaxy_Radius, 1234);

  Edit(d, 3);
  c.txtGalaxy[2].SetText("77");
  c.txtGalaxy[2].SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(d.GalaxyEditMode);
  EXPECT_EQ(Record(3).Galaxy_Distance, 77);
  EXPECT_TRUE(d.IsLoaded());

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(d.IsLoaded());
}

TEST_F(GalaxyEditModeTest, AReturnedEditReachesTheStoreOnlyWithTheWindowsAccept) {
  const struct {
    const char* closeWith;
    bool stored;
  } cases[] = {{"Cancel", false}, {"&Accept Settings", true}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.closeWith);
    frmProps& d = OpenActive();
    const int32_t before = store::GetSettingLong("Universe\\Galaxy3", "Galaxy_Radius", -1);
    ASSERT_NE(before, 1234);
    Edit(d, 3);
    d.c.txtGalaxy[0].SetText("1234");
    d.c.cmdAcceptGalProps->PerformClick();
    EXPECT_EQ(Record(3).Galaxy_Radius, 1234);
    (k.stored ? d.c.cmdAccept : d.c.cmdDismiss)->PerformClick();
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_EQ(store::GetSettingLong("Universe\\Galaxy3", "Galaxy_Radius", -1), k.stored ? 1234 : before);
  }
}

TEST_F(GalaxyEditModeTest, TheEditedTypeIsFixedWhenEditingBegins) {
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  const int32_t fifth = Record(5).Galaxy_Radius;
  Edit(d, 3);
  c.lstUniGalaxy->SetListIndex(5);
  c.txtGalaxy[0].SetText("999");
  c.cmdAcceptGalProps->PerformClick();
  EXPECT_EQ(Record(3).Galaxy_Radius, 999);
  EXPECT_EQ(Record(5).Galaxy_Radius, fifth);
}

TEST_F(GalaxyEditModeTest, ANebulaOpensOnAPageLaidOutForItsStyle) {
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  Record(3).Galaxy_GalStyle = 0;
  Record(5).Galaxy_GalStyle = 4;
  Record(5).Galaxy_CP_Steps = 5000;
  Edit(d, 3);
  c.cmdAcceptGalProps->PerformClick();
  Edit(d, 5);
  EXPECT_EQ(c.txtGalaxy[4].Text(), "5000");
  EXPECT_EQ(c.txtGalaxy[4].MaxLength(), 4);
  EXPECT_EQ(c.spnGalaxy[4].Value(), 5000);
  EXPECT_TRUE(c.chkCP_Closed->Visible());
}

TEST_F(GalaxyEditModeTest, EditorButtonsStoreThePageThenOpenTheEditorOfTheStyle) {
  struct Call {
    GalaxyEditorKind kind;
    int32_t n;
    int32_t radius, style;
  };
  std::vector<Call> calls;
  SetGalaxyEditorOpener([&](PropsFields& fields, GalaxyEditorKind kind, int32_t n) {
    calls.push_back({kind, n, Record(n).Galaxy_Radius, Record(n).Galaxy_GalStyle});
    fields.SetGalaxyText(1, "4321");  // as an editor's OK writes back
  });
  frmProps& d = OpenActive();
  PropsControls& c = d.c;
  Edit(d, 3);
  const struct {
    controls::CommandButton* button;
    int32_t style;
    GalaxyEditorKind kind;
  } cases[] = {
      {c.cmdGalLevels, 0, GalaxyEditorKind::Levels},
      {c.cmdIFS_Chem, 8, GalaxyEditorKind::UserDefIFS},
      {c.cmdIFS_Chem, 9, GalaxyEditorKind::Molecule},
      {c.cmdIFS_Chem, 3, GalaxyEditorKind::Molecule},
  };
  int32_t radius = 700;
  for (const auto& k : cases) {
    SCOPED_TRACE(k.button->Name() + " style " + std::to_string(k.style));
    calls.clear();
    c.cboGalStyle->SetListIndex(k.style);
    c.txtGalaxy[0].SetText(std::to_string(++radius));
    c.txtGalaxy[1].SetText("0");
    k.button->PerformClick();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, k.kind);
    EXPECT_EQ(calls[0].n, 3);
    EXPECT_EQ(calls[0].radius, radius);
    EXPECT_EQ(calls[0].style, k.style);
    EXPECT_EQ(c.txtGalaxy[1].Text(), "4321");
    EXPECT_TRUE(d.GalaxyEditMode);
  }

  // Without an editor the button only stores the page.
  ResetPropsOpeners();
  calls.clear();
  c.txtGalaxy[0].SetText("555");
  c.cmdGalLevels->PerformClick();
  EXPECT_EQ(Record(3).Galaxy_Radius, 555);
  EXPECT_TRUE(calls.empty());
  // With no type edited nothing is stored or opened.
  c.cmdAcceptGalProps->PerformClick();
  SetGalaxyEditorOpener([&](PropsFields&, GalaxyEditorKind kind, int32_t n) { calls.push_back({kind, n, 0, 0}); });
  c.cmdIFS_Chem->PerformClick();
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace dialogs::testing
