#include "dialogs/properties/frm_props.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/properties/props_fixture.h"
#include "dialogs/properties/props_lists.h"
#include "host/window_state.h"
#include "settings/factory_galaxies.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/file_rights.h"

namespace dialogs::testing {
namespace {

using FrmPropsTest = PropsTest;

TEST_F(FrmPropsTest, FirstRunShowsTheWelcomeThenTheFactorySetOnTheUniversePage) {
  presentation::render().WindowSizeList = {{640, 480}, {800, 600}};
  int welcomed = 0;
  SetWelcomeWindowOpener([&] { ++welcomed; });
  frmProps& d = Open();
  PropsControls& c = d.c;
  EXPECT_EQ(welcomed, 1);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.Caption(), "Zorvane Properties");
  EXPECT_FALSE(d.GalaxyEditMode);
  EXPECT_TRUE(c.fraAni[1].Visible());
  EXPECT_FALSE(c.fraAni[0].Visible());
  ASSERT_EQ(c.cboResolution->ListCount(), 2);
  EXPECT_EQ(c.cboResolution->List(0), "640 * 480");
  EXPECT_EQ(c.cboResolution->List(1), "800 * 600");
  for (controls::ComboBox* first : {c.cboGalTheme, c.cboGalPlane, c.cboGalaxExtras, c.cboUniExtras})
    EXPECT_EQ(first->ListIndex(), 0) << first->Name();
  // The factory set: universe theme 1, the factory galaxy types listed, nothing of it stored
  // but the first-run mark.
  EXPECT_EQ(c.cboUniTheme->ListIndex(), 1);
  EXPECT_EQ(c.cboTourGalaxies->ListIndex(), -1);
  EXPECT_EQ(c.lstUniGalaxy->ListCount(), 50);
  ASSERT_EQ(c.cboUniProfile->ListCount(), 52);
  EXPECT_EQ(c.cboUniProfile->List(0), settings::factoryGalaxies().GalaxyStyleNames.at(0));
  EXPECT_EQ(c.cboFilterEffect->ListCount(), 16);
  EXPECT_EQ(c.txtColorProps[0].Text(), "100");
  EXPECT_EQ(store::GetSettingLong("General", "ResetSettings", -1), 1);
  EXPECT_EQ(store::GetSettingLong("Universe", "Universe_Stars", -1), -1);
  EXPECT_EQ(c.lblGravityWarning->Caption(), GravityWarningText());
  EXPECT_EQ(engine::hueConeDialog(), &d);

  // Each spinner pair: the spinner's range and step, the box's length.
  struct Range {
    controls::TextBox* box;
    controls::Spinner* spinner;
    int lower, upper, length, step;
  } ranges[] = {
      {&c.txtGalaxy[0], &c.spnGalaxy[0], 1, 30000, 5, 50},  {&c.txtGalaxy[1], &c.spnGalaxy[1], 0, 30000, 5, 50},
      {&c.txtGalaxy[95], &c.spnGalaxy[95], 0, 359, 3, 5},   {&c.txtUni[0], &c.spnUni[0], 1, 9999, 5, 50},
      {&c.txtUni[1], &c.spnUni[1], 1, 999, 3, 10},          {&c.txtUni[3], &c.spnUni[3], 0, 100, 3, 1},
      {&c.txtUni[17], &c.spnUni[17], 0, 999, 3, 10},        {c.txtUniGalPct, c.spnUniGalPct, 0, 9999, 4, 50},
      {c.txtCompGalPct, c.spnCompGalPct, 0, 9999, 4, 50},   {&c.txtPixHue[4], &c.spnPixHue[4], 0, 100, 3, 1},
      {&c.txtColorProps[3], &c.spnHue[3], -999, 999, 4, 5},
  };
  for (const Range& r : ranges) {
    SCOPED_TRACE(r.box->Name() + "(" + std::to_string(r.box->Index()) + ")");
    EXPECT_EQ(r.spinner->Min(), r.lower);
    EXPECT_EQ(r.spinner->Max(), r.upper);
    EXPECT_EQ(r.spinner->SmallChange(), r.step);
    EXPECT_EQ(r.box->MaxLength(), r.length);
  }
}

TEST_F(FrmPropsTest, AcceptStoresTheSetAndCloses) {
  QPointer<frmProps> d = &Open();
  d->c.txtColorProps[0].SetText("55");
  d->c.txtUni[1].SetText("321");
  d->c.cmdAccept->PerformClick();
  EXPECT_FALSE(d->IsLoaded());
  EXPECT_EQ(store::GetSettingLong("GenColor", "HWC_ConeBright", -1), 55);
  EXPECT_EQ(store::GetSettingLong("Universe", "Universe_Galaxy", -1), 321);
  EXPECT_EQ(store::GetSettingLong("General", "AnimationType", -1), 0);
  RunDeferredDeletes();
  // The next opening shows what was accepted.
  frmProps& again = Open();
  EXPECT_EQ(again.c.txtColorProps[0].Text(), "55");
  EXPECT_EQ(again.c.txtUni[1].Text(), "321");
}

TEST_F(FrmPropsTest, AcceptOnAStoreThatFailsTellsOnceWritesNothingAndStaysOpen) {
  frmProps& d = Open();
  d.c.txtColorProps[0].SetText("55");
  testsupport::FailRegistryWritesOf("Universe_Galaxy");
  messages.messages.clear();
  d.c.cmdAccept->PerformClick();
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_EQ(store::GetSettingLong("GenColor", "HWC_ConeBright", -1), -1);
  EXPECT_EQ(store::GetSettingLong("General", "AnimationType", -1), -1);
}

// A store the user can read but not write: the window shows the stored set, tells once that
// changes cannot be saved, runs no first run; Accept says the store is read-only, stores
// nothing and leaves the window open.
TEST_F(FrmPropsTest, StoreThatCannotBeWrittenOpensAsStored) {
  {
    frmProps& first = Open();
    first.c.txtColorProps[0].SetText("55");
    first.c.txtUni[1].SetText("321");
    first.c.cmdAccept->PerformClick();
    ASSERT_FALSE(first.IsLoaded());
    RunDeferredDeletes();
  }
  platform::ResetRegistry();
  const std::string path = platform::DefaultRegistryPath();
  const std::string stored = testsupport::ReadFile(path);
  int welcomed = 0;
  SetWelcomeWindowOpener([&] { ++welcomed; });
  messages.messages.clear();
  {
    testsupport::ScopedMode readOnly(std::filesystem::path(path).parent_path().string(), 0555);
    testsupport::NoFileOverride asAnyUser;
    frmProps& d = Open();
    EXPECT_EQ(welcomed, 0);
    EXPECT_EQ(d.c.txtColorProps[0].Text(), "55");
    EXPECT_EQ(d.c.txtUni[1].Text(), "321");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("The stored settings can be read but not changed.", 0), 0u);

    d.c.txtUni[1].SetText("322");
    d.c.cmdAccept->PerformClick();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text.rfind("The Registry is read-only.", 0), 0u);
    EXPECT_TRUE(d.IsLoaded());
    d.Unload();
    RunDeferredDeletes();
    platform::ResetRegistry();
  }
  EXPECT_EQ(testsupport::ReadFile(path), stored);
  EXPECT_EQ(store::GetSettingLong("Universe", "Universe_Galaxy", -1), 321);
}

TEST_F(FrmPropsTest, OpensWithTheHueConeBrightnessFocusedAndSelected) {
  frmProps& d = Open();
  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  controls::TextBox& first = d.c.txtColorProps[0];
  EXPECT_EQ(QApplication::focusWidget(), &first);
  EXPECT_FALSE(first.Text().empty());
  EXPECT_EQ(first.SelText(), first.Text());
}

TEST_F(FrmPropsTest, ItemsAndButtonsWithoutTheirWindowsAreDisabled) {
  frmProps& d = Open();
  PropsControls& c = d.c;
  for (int i : {0, 2, 3}) EXPECT_FALSE(c.mnuFileArray[i].Enabled()) << i;
  EXPECT_TRUE(c.mnuFileArray[5].Enabled());
  for (int i : {0, 1, 3, 5, 6, 7, 9}) EXPECT_FALSE(c.mnuHelpArray[i].Enabled()) << i;
  EXPECT_TRUE(c.mnuEditArray[0].Enabled());
  EXPECT_FALSE(c.mnuEditArray[2].Enabled());
  EXPECT_FALSE(c.cmdSetThemes->Enabled());
  EXPECT_FALSE(c.cmdGalLevels->Enabled());
}

TEST_F(FrmPropsTest, RegisteredWindowsOpenFromTheirItemsWithTheItemsPosition) {
  std::vector<std::string> calls;
  SetFileMenuAction([&](frmProps&, int16_t i) { calls.push_back("file " + std::to_string(i)); });
  SetHelpMenuAction([&](frmProps&, int16_t i) { calls.push_back("help " + std::to_string(i)); });
  SetAdvancedWindowOpener([&](PropsFields&) { calls.push_back("advanced"); });
  frmProps& d = Open();
  PropsControls& c = d.c;
  for (int i : {0, 2, 3}) EXPECT_TRUE(c.mnuFileArray[i].Enabled()) << i;
  EXPECT_TRUE(c.mnuHelpArray[9].Enabled());
  EXPECT_TRUE(c.cmdSetThemes->Enabled());
  c.mnuFileArray[3].PerformClick();
  c.mnuHelpArray[7].PerformClick();
  c.mnuEditArray[2].PerformClick();
  c.cmdSetThemes->PerformClick();
  EXPECT_EQ(calls, (std::vector<std::string>{"file 3", "help 7", "advanced", "advanced"}));
  EXPECT_TRUE(d.IsLoaded());
}

TEST_F(FrmPropsTest, ClosingTheWindowStopsARunningPreviewClosingByCodeDoesNot) {
  int helpClosed = 0;
  SetHelpCloser([&] { ++helpClosed; });
  struct Case {
    const char* how;
    bool stopsPreview;
  } cases[] = {{"close box", true}, {"Cancel", false}, {"File > Exit", false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.how);
    presentation::pacing().G_bCancel = false;
    QPointer<frmProps> d = &Open();
    d->show();
    if (std::string(k.how) == "close box") d->close();
    if (std::string(k.how) == "Cancel") d->c.cmdDismiss->PerformClick();
    if (std::string(k.how) == "File > Exit") d->c.mnuFileArray[5].PerformClick();
    EXPECT_EQ(presentation::pacing().G_bCancel, k.stopsPreview);
    EXPECT_FALSE(d->IsLoaded());
    EXPECT_FALSE(d->isVisible());
    // The window goes away once no handler of it runs, and the engine forgets it.
    RunDeferredDeletes();
    EXPECT_TRUE(d.isNull());
    EXPECT_EQ(engine::hueConeDialog(), nullptr);
  }
  EXPECT_EQ(helpClosed, 3);
  EXPECT_EQ(store::GetSettingLong("General\\Main", "WindowState", -1), 0);
  EXPECT_EQ(store::GetSettingString("General\\Main", "WindowSize", "").size(), 20u);
}

TEST_F(FrmPropsTest, AcceptWhileAGalaxyTypeIsEditedReturnsToTheUniversePageAndStaysOpen) {
  frmProps& d = Open();
  d.show();
  d.SetGalaxyEditMode(true);
  EXPECT_TRUE(d.c.fraAni[0].Visible());
  EXPECT_FALSE(d.c.fraAni[1].Visible());
  d.c.cmdAccept->PerformClick();
  EXPECT_FALSE(d.GalaxyEditMode);
  EXPECT_TRUE(d.c.fraAni[1].Visible());
  EXPECT_FALSE(d.c.fraAni[0].Visible());
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_EQ(store::GetSettingLong("General", "AnimationType", -1), -1);
}

TEST_F(FrmPropsTest, ResetAnsweredCancelChangesNothingAndKeepsTheTemplatePath) {
  store::templateState().TemplatePath = "/somewhere/mine.glx";
  frmProps& d = Open();
  const std::string before = d.c.txtColorProps[0].Text();
  messages.messages.clear();
  d.c.mnuEditArray[0].PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  const testsupport::RecordedMessage& m = messages.messages[0];
  EXPECT_EQ(m.title, "Zorvane");
  EXPECT_EQ(m.icon, platform::MsgIcon::Question);
  EXPECT_EQ(m.buttons, platform::MsgButtons::YesNoCancel);
  EXPECT_EQ(m.text.rfind("Do you really want to reset the Properties to the factory settings?\r\n\r\nYes      - Save", 0), 0u);
  EXPECT_EQ(store::templateState().TemplatePath, "/somewhere/mine.glx");
  EXPECT_EQ(d.c.txtColorProps[0].Text(), before);
}

}  // namespace
}  // namespace dialogs::testing

namespace dialogs::testing {
namespace {

TEST_F(FrmPropsTest, TheWindowOutlivesEveryHandlerThatClosesIt) {
  bool aliveAfterUnload = false;
  SetFileMenuAction([&](frmProps& d, int16_t) {
    QPointer<frmProps> self = &d;
    d.Unload();
    // Deletions that run while the handler is still on the stack leave the window alone.
    RunDeferredDeletes();
    aliveAfterUnload = !self.isNull() && self->c.txtColorProps[0].Text() == "100";
  });
  QPointer<frmProps> d = &Open();
  d->c.mnuFileArray[0].PerformClick();
  EXPECT_TRUE(aliveAfterUnload);
  RunDeferredDeletes();
  EXPECT_TRUE(d.isNull());
}

TEST_F(FrmPropsTest, ReopensWhereItWasNeverSmallerThanItsMinimum) {
  QSize minimum;
  {
    frmProps& d = Open();
    d.show();
    minimum = d.minimumSize();
    d.move(40, 30);
    d.resize(minimum.width() + 60, minimum.height() + 40);
    QCoreApplication::processEvents();
    d.c.cmdDismiss->PerformClick();
  }
  frmProps& again = Open();
  again.show();
  QCoreApplication::processEvents();
  // A size larger than the screen is first brought onto it.
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  EXPECT_EQ(again.size(), QSize(minimum.width() + 60, minimum.height() + 40).boundedTo(screen).expandedTo(minimum));
  again.c.cmdDismiss->PerformClick();
  // A stored size below the minimum opens at the minimum.
  ASSERT_TRUE(store::SaveRegSetting("General\\Main", "WindowSize", "00100001000015000150"));
  frmProps& small = Open();
  small.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(small.size(), minimum);
}

}  // namespace
}  // namespace dialogs::testing

namespace dialogs::testing {
namespace {

TEST_F(FrmPropsTest, FirstOpensAtItsSmallestSizeCentredOnTheScreen) {
  frmProps& d = Open();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(d.size(), d.minimumSizeHint());
  // Whole on a 1024 x 768 screen, with room for a window frame and a panel.
  EXPECT_LE(d.width(), 1000);
  EXPECT_LE(d.height(), 720);
  EXPECT_NEAR(d.y(), screen.y() + (screen.height() - d.height()) / 2, 1);
}

}  // namespace
}  // namespace dialogs::testing

namespace dialogs::testing {
namespace {

// While a preview runs only its button, the capture buttons and the menu items stay usable;
// afterwards every control is as it was, the tour fields disabled by the tour rules included.
TEST_F(FrmPropsTest, APreviewLocksTheWindowAndGivesBackEachControlsState) {
  frmProps& d = Open();
  PropsControls& c = d.c;
  c.chkUniTour->SetValue(0);  // the tour rules disable the tour fields
  controls::UpdateFormMenus(d, true, "cmdPreviewUni");
  EXPECT_TRUE(c.cmdPreviewUni->Enabled());
  EXPECT_TRUE(c.cmdCaptureImage[1].Enabled());
  EXPECT_TRUE(c.fraUniverseProps->Enabled());
  EXPECT_TRUE(c.mnuFileArray[5].Enabled());
  EXPECT_FALSE(c.mnuFileArray[0].Enabled());  // it was disabled before (no open dialog)
  for (controls::Control* locked : std::initializer_list<controls::Control*>{
           c.cmdAccept, c.cmdDismiss, &c.txtColorProps[0], c.lstUniGalaxy, c.cboUniExtras, c.mnuEdit})
    EXPECT_FALSE(locked->Enabled()) << locked->Name();
  controls::UpdateFormMenus(d, false, "cmdPreviewUni");
  EXPECT_TRUE(c.cmdAccept->Enabled());
  EXPECT_TRUE(c.txtColorProps[0].Enabled());
  EXPECT_TRUE(c.mnuEdit->Enabled());
  EXPECT_FALSE(c.txtUni[30].Enabled());
  EXPECT_FALSE(c.chkVisitSeq->Enabled());
  EXPECT_FALSE(c.cmdSetThemes->Enabled());
}

}  // namespace
}  // namespace dialogs::testing

namespace dialogs::testing {
namespace {

// Edit > Reset by its answer: Yes backs the set up to propsave.glx in the user's data folder
// first and resets only when the backup was written; No resets at once; the current template
// is the same afterwards.
TEST_F(FrmPropsTest, ResetBacksUpToPropsaveOnYesAndResetsOnlyWhenItWasWritten) {
  const std::string data = testsupport::MakeTempDir();
  testsupport::ScopedEnv env("XDG_DATA_HOME", data);
  const std::string backup = data + "/zorvane/propsave.glx";
  struct Case {
    platform::MsgResult answer;
    bool backupBlocked;
    bool reset;
    bool backedUp;
    bool folderBlocked = false;  // a file stands where the user's folder should be made
  } cases[] = {{platform::MsgResult::Yes, false, true, true},
               {platform::MsgResult::No, false, true, false},
               {platform::MsgResult::Yes, true, false, false},
               {platform::MsgResult::Yes, false, false, false, true},
               {platform::MsgResult::No, false, true, false, true}};
  const std::string tmp = testsupport::MakeTempDir();
  testsupport::ScopedEnv tmpEnv("TMPDIR", tmp);
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(k.answer)) + (k.backupBlocked ? " blocked" : "") +
                 (k.folderBlocked ? " no folder" : ""));
    std::filesystem::remove_all(data + "/zorvane");
    if (k.folderBlocked)
      testsupport::WriteFile(data + "/zorvane", "");
    else
      std::filesystem::create_directories(data + "/zorvane");
    // A folder in the file's place cannot be replaced by the backup.
    if (k.backupBlocked) std::filesystem::create_directories(backup);
    store::templateState().TemplatePath = "/somewhere/mine.glx";
    testsupport::MessageRecorder answers(k.answer);
    frmProps& d = Open();
    d.c.txtColorProps[0].SetText("55");
    d.c.mnuEditArray[0].PerformClick();
    // The question offers Yes, No and Cancel with No as the default, so Enter saves nothing.
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages.front().buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(answers.messages.front().defaultButton, 1);
    EXPECT_EQ(d.c.txtColorProps[0].Text(), k.reset ? "100" : "55");
    EXPECT_EQ(std::filesystem::is_regular_file(backup), k.backedUp);
    if (k.backedUp) {
      EXPECT_NE(testsupport::ReadFile(backup).find("HWC_ConeBright=55"), std::string::npos);
    }
    EXPECT_EQ(store::templateState().TemplatePath, "/somewhere/mine.glx");
    if (k.folderBlocked) {
      // Said so when the backup was asked for; nothing written in the temporary folder instead.
      const bool told = answers.messages.size() == 2 &&
                        answers.messages[1].text.rfind(host::DataFolderFailureText(), 0) == 0;
      EXPECT_EQ(told, k.answer == platform::MsgResult::Yes);
      EXPECT_TRUE(std::filesystem::is_empty(tmp));
    }
    d.c.cmdDismiss->PerformClick();
  }
  std::filesystem::remove_all(data);
  std::filesystem::remove_all(tmp);
}

}  // namespace
}  // namespace dialogs::testing
