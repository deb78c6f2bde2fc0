#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/editors/advanced_fixture.h"
#include "store/typed_readers.h"

namespace dialogs::testing {
namespace {

// The names of the window's font list, in its order.
std::vector<std::string> ListedFonts(const controls::ComboBox& fonts) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < fonts.ListCount(); ++i) names.push_back(fonts.List(i));
  return names;
}

// The font that the factory face "Arial" selects on this machine: Arial when it is listed,
// else its metric-compatible stand-in when that is, else the first font of the list.
std::string FactoryFont(const std::vector<std::string>& fonts) {
  for (const char* face : {"Arial", "Liberation Sans"})
    if (std::find(fonts.begin(), fonts.end(), face) != fonts.end()) return face;
  return fonts.front();
}

// Every value of the section as the first OK after an opening with an empty section writes it.
const std::vector<std::pair<std::string, std::string>> kFirstOk = {
    {"Adv_TimeDelay", "10"},    {"FocalLength", "1"},        {"Adv_FontSize", "12"},     {"Adv_FontTOff", "2"},
    {"Adv_FontHueV", "180"},    {"Adv_FontHInc", "10"},      {"LockMessage", ""},        {"Adv_CMinutes", "0"},
    {"Adv_TimeText", ""},       {"Adv_ZeroText", ""},        {"Adv_Randomize", "0"},     {"Adv_RandomMag", "5"},
    {"Adv_RandomExp", "2"},     {"Adv_MouseMove", "0"},      {"Adv_ScreenCapt", "0"},    {"Adv_DispTempName", "0"},
    {"Adv_MultiMonitor", "0"},  {"Adv_ImageBufferMax", "100"}, {"Adv_TempDrive", "/"},   {"Adv_TempFileCount", "0"},
    {"Adv_HueWheel0", "100"},   {"Adv_HueWheel1", "150"},    {"Adv_HueWheel2", "180"},   {"Adv_HueWheel3", "255"},
    {"Adv_HueWheel4", "315"},   {"Adv_HWB_Start", "0"},      {"Adv_HWB_Level", "0"},     {"Adv_HWB_BSpan", "0"},
    {"Adv_HWB_Speed", "0"},
};

// An empty section shows every default; OK then writes every value of the section, the font
// and the current folder included, and no template name.
TEST_F(AdvancedTest, EmptySectionShowsTheDefaultsAndOkWritesEveryValue) {
  frmAdvanced& w = Open();
  EXPECT_EQ(w.Caption(), "Advanced Settings");
  ASSERT_GT(w.cboFont->ListCount(), 0);
  EXPECT_EQ(w.cboFont->Text(), FactoryFont(ListedFonts(*w.cboFont)));
  const std::vector<std::pair<controls::TextBox*, std::string>> boxes = {
      {&w.txtAdv[0], "10"},      {&w.txtAdv[1], "1"},       {&w.txtMessage[0], "12"},  {&w.txtMessage[1], "2"},
      {&w.txtMessage[2], "180"}, {&w.txtMessage[3], "10"},  {&w.txtMessage[4], ""},    {&w.txtMessage[5], "0"},
      {&w.txtMessage[6], ""},    {&w.txtMessage[7], ""},    {&w.txtAdv[9], "5"},       {&w.txtAdv[10], "2"},
      {&w.txtAdv[4], "1000"},    {&w.txtAdv[5], "1.0"},     {&w.txtHueWheel[0], "100"}, {&w.txtHueWheel[1], "150"},
      {&w.txtHueWheel[2], "180"}, {&w.txtHueWheel[3], "255"}, {&w.txtHueWheel[4], "315"}, {&w.txtHueWheel[5], "0"},
      {&w.txtHueWheel[6], "0"},  {&w.txtHueWheel[7], "0"},  {&w.txtHueWheel[8], "0"},
  };
  for (const auto& [box, text] : boxes) EXPECT_EQ(box->Text(), text) << box->Name() << "(" << box->Index() << ")";
  for (controls::CheckBox* chk : {w.chkRandom, w.chkMouseM, w.chkScreenCapture, w.chkDispThemeName, w.chkThemes})
    EXPECT_EQ(chk->Value(), 0) << chk->Name();
  EXPECT_EQ(w.cboMultimonitor->Text(), "Display on Each Monitor");
  EXPECT_EQ(w.cboCaptureImageBuffer->Text(), "100");
  EXPECT_FALSE(w.cboCaptureImageBuffer->Enabled());
  EXPECT_FALSE(w.txtScreenCapture->Enabled());
  EXPECT_EQ(w.drvTemplates->Drive(), "/");
  for (int32_t i = 0; i < w.filTemplates->ListCount(); ++i) EXPECT_FALSE(w.filTemplates->Selected(i));
  // The spinners follow their boxes.
  EXPECT_EQ(w.spnAdv[0].Value(), 10);
  EXPECT_EQ(w.spnMessage[2].Value(), 180);
  const std::string folder = w.dirTemplates->Path();
  const std::string font = w.cboFont->Text();

  PressOK();
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_TRUE(messages.messages.empty());
  for (const auto& [name, value] : kFirstOk) EXPECT_EQ(Stored(name), value) << name;
  EXPECT_EQ(Stored("Adv_FontName"), font);
  EXPECT_EQ(Stored("Adv_TempDirectory"), folder);
  EXPECT_EQ(Stored("Adv_TempFile0000"), kMissing);
  EXPECT_NE(store::GetRegSettingRaw("General\\Advanced", "WindowState", kMissing), kMissing);
}

// Stored values that the boxes and lists cannot show as they stand, and what OK writes back.
TEST_F(AdvancedTest, StoredValuesAreWrittenBackAsTheWindowCleansThem) {
  struct Case {
    const char* name;
    const char* stored;
    const char* written;
  };
  const Case cases[] = {
      {"Adv_TimeDelay", "", "0"},                // an empty delay
      {"Adv_TimeDelay", "2000", "999"},
      {"FocalLength", "0", "0.01"},
      {"FocalLength", "12.5", "10"},
      {"FocalLength", "1,5", "1.5"},             // stored with a comma
      {"Adv_FontSize", "99", "80"},
      {"Adv_CMinutes", "75", "60"},
      {"Adv_MouseMove", "2", "1"},               // greyed counts as checked
      {"Adv_ScreenCapt", "2", "1"},
      {"Adv_Randomize", "7", "0"},               // a state a check box cannot take
      {"Adv_MultiMonitor", "5", "-1"},           // outside the list: no selection
      {"Adv_ImageBufferMax", "0", "0"},
      {"Adv_ImageBufferMax", "101", "0"},
      {"Adv_ImageBufferMax", "-2147483648", "0"},
      {"Adv_RandomMag", "500", "500"},           // hidden boxes are not clamped
      {"Adv_HueWheel0", "200", "200"},           // divisions out of order stay as stored
      {"Adv_HWB_Level", "250", "250"},
      {"Adv_TempFileCount", "2147483647", "0"},  // names that do not exist select nothing
      {"Adv_TempDrive", "C:", "/"},              // a drive that does not exist
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " = \"" + c.stored + "\"");
    Store(c.name, c.stored);
    Open();
    PressOK();
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_EQ(Stored(c.name), c.written);
  }
}

// What the load shows of stored values: a comma decimal as ".", a greyed capture option that
// keeps the capture controls disabled, a greyed option check box, texts as stored.
TEST_F(AdvancedTest, LoadShowsCommaDecimalsWithADotAndKeepsGreyedCaptureControlsDisabled) {
  Store("FocalLength", "2,25");
  Store("Adv_ScreenCapt", "2");
  Store("Adv_MouseMove", "2");
  Store("LockMessage", "Back soon");
  Store("Adv_ImageBufferMax", "7");
  frmAdvanced& w = Open();
  EXPECT_EQ(w.txtAdv[1].Text(), "2.25");
  EXPECT_EQ(w.chkScreenCapture->Value(), 2);
  EXPECT_FALSE(w.cboCaptureImageBuffer->Enabled());
  EXPECT_FALSE(w.txtScreenCapture->Enabled());
  EXPECT_EQ(w.chkMouseM->Value(), 2);
  EXPECT_EQ(w.txtMessage[4].Text(), "Back soon");
  EXPECT_EQ(w.cboCaptureImageBuffer->Text(), "7");

  // A stored checked capture option enables them.
  Store("Adv_ScreenCapt", "1");
  frmAdvanced& again = Open();
  EXPECT_TRUE(again.cboCaptureImageBuffer->Enabled());
  EXPECT_TRUE(again.txtScreenCapture->Enabled());
}

// A message with blanks around it is stored without them.
TEST_F(AdvancedTest, OkTrimsTheMessages) {
  frmAdvanced& w = Open();
  w.txtMessage[4].SetText("  Class will resume  ");
  w.txtMessage[6].SetText(" in X ");
  w.txtMessage[7].SetText("   ");
  PressOK();
  EXPECT_EQ(Stored("LockMessage"), "Class will resume");
  EXPECT_EQ(Stored("Adv_TimeText"), "in X");
  EXPECT_EQ(Stored("Adv_ZeroText"), "");
}

// The font a stored name selects in the list, shown in the message and stored by OK: the name
// itself when it is listed; a Windows face that is not, its metric-compatible stand-in when that
// is listed; any other name that is not listed, the first font of the list. Defaults selects
// "Arial" the same way.
TEST_F(AdvancedTest, StoredFontIsSelectedInTheListAndOkStoresIt) {
  const std::vector<std::string> fonts = ListedFonts(*Open().cboFont);
  ASSERT_FALSE(fonts.empty());
  auto listed = [&fonts](const std::string& name) {
    return std::find(fonts.begin(), fonts.end(), name) != fonts.end();
  };
  auto faceOrStandIn = [&](const std::string& face, const std::string& standIn) {
    return listed(face) ? face : listed(standIn) ? standIn : fonts.front();
  };
  const std::string missing = "Zorvane Test Face Not Installed";
  ASSERT_FALSE(listed(missing));
  struct Case {
    const char* what;
    std::string stored, selected;
  } cases[] = {
      {"a listed font, not the first", fonts.back(), fonts.back()},
      {"the factory face", "Arial", faceOrStandIn("Arial", "Liberation Sans")},
      {"the list's fixed-pitch face", "Courier New", faceOrStandIn("Courier New", "Liberation Mono")},
      {"a font that is not installed", missing, fonts.front()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store("Adv_FontName", c.stored);
    frmAdvanced& w = Open();
    ASSERT_EQ(ListedFonts(*w.cboFont), fonts);
    EXPECT_EQ(w.cboFont->Text(), c.selected);
    EXPECT_EQ(w.txtMessage[4].font().family().toStdString(), c.selected);
    PressOK();
    ASSERT_FALSE(w.IsLoaded());
    EXPECT_EQ(Stored("Adv_FontName"), c.selected);
  }

  // Defaults after a font that is not installed.
  Store("Adv_FontName", missing);
  frmAdvanced& w = Open();
  w.cmdDefaults->PerformClick();
  EXPECT_EQ(w.cboFont->Text(), faceOrStandIn("Arial", "Liberation Sans"));
  PressOK();
  EXPECT_EQ(Stored("Adv_FontName"), faceOrStandIn("Arial", "Liberation Sans"));
}

// Cancel and the close box after edits store nothing of the section; only the window's
// position is kept.
TEST_F(AdvancedTest, CancelAndTheCloseBoxStoreNothingButThePosition) {
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    testsupport::TempConfig fresh;
    frmAdvanced& w = OpenShown();
    w.txtAdv[0].SetText("55");
    w.chkMouseM->SetValue(1);
    w.cmdDefaults->PerformClick();
    if (closeBox)
      w.close();
    else
      w.cmdDismiss->PerformClick();
    EXPECT_FALSE(w.IsLoaded());
    for (const auto& [name, value] : kFirstOk) EXPECT_EQ(Stored(name), kMissing) << name;
    EXPECT_NE(store::GetRegSettingRaw("General\\Advanced", "WindowSize", kMissing), kMissing);
  }
}

// The window is the engine's source of hue wheel settings while it is open, and stops being
// it however it closes.
TEST_F(AdvancedTest, IsTheHueSourceOnlyWhileOpen) {
  enum class Close { Ok, Cancel, CloseBox, Escape, Destroyed };
  for (Close how : {Close::Ok, Close::Cancel, Close::CloseBox, Close::Escape, Close::Destroyed}) {
    SCOPED_TRACE(static_cast<int>(how));
    frmAdvanced& w = OpenShown();
    EXPECT_EQ(model::AdvancedHueWheelFields(), &w);
    EXPECT_EQ(w.HueWheelText(4), "315");
    switch (how) {
      case Close::Ok: w.cmdOK->PerformClick(); break;
      case Close::Cancel: w.cmdDismiss->PerformClick(); break;
      case Close::CloseBox: w.close(); break;
      case Close::Escape: QTest::keyClick(&w.txtAdv[0], Qt::Key_Escape); break;
      case Close::Destroyed: window.reset(); break;
    }
    EXPECT_EQ(model::AdvancedHueWheelFields(), nullptr);
  }
}

// Stored hue boxes become the engine's hue wheel at once (a division of 0 at the ramp's start).
TEST_F(AdvancedTest, LoadSetsTheEngineHueWheelFromTheBoxes) {
  Store("Adv_HueWheel0", "0");
  Store("Adv_HWB_Level", "50");
  frmAdvanced& w = Open();
  EXPECT_EQ(model::hueWheelState().HueWheelDiv[0], 0);
  EXPECT_FLOAT_EQ(model::hueWheelState().HwbLevel, 0.5f);
  EXPECT_FALSE(w.imgHueWheel->Picture().isNull());
}

// Template files: the list shows the folder's templates in any letter case; OK stores the
// selected names in list order and their count; a shorter selection later rewrites the count and
// leaves the older names; the next opening selects the stored names, exact letter case only.
TEST_F(AdvancedTest, TemplateSelectionIsWrittenAndReadBack) {
  const std::string dir = testsupport::MakeTempDir();
  for (const char* f : {"alpha.glx", "Beta.GLX", "gamma.Glx", "notes.txt"}) testsupport::WriteFile(dir + "/" + f, "x");
  Store("Adv_TempDrive", "/");
  Store("Adv_TempDirectory", dir);
  frmAdvanced& w = Open();
  EXPECT_EQ(w.dirTemplates->Path(), dir);
  ASSERT_EQ(w.filTemplates->ListCount(), 3);
  for (int32_t i = 0; i < 3; ++i) w.filTemplates->SetSelected(i, true);
  const std::vector<std::string> names = {w.filTemplates->List(0), w.filTemplates->List(1), w.filTemplates->List(2)};
  PressOK();
  EXPECT_EQ(Stored("Adv_TempFileCount"), "3");
  EXPECT_EQ(Stored("Adv_TempFile0000"), names[0]);
  EXPECT_EQ(Stored("Adv_TempFile0001"), names[1]);
  EXPECT_EQ(Stored("Adv_TempFile0002"), names[2]);
  EXPECT_EQ(Stored("Adv_TempDirectory"), dir);

  frmAdvanced& again = Open();
  for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(again.filTemplates->Selected(i));
  again.filTemplates->SetSelected(0, false);
  again.filTemplates->SetSelected(2, false);
  PressOK();
  EXPECT_EQ(Stored("Adv_TempFileCount"), "1");
  EXPECT_EQ(Stored("Adv_TempFile0000"), names[1]);
  EXPECT_EQ(Stored("Adv_TempFile0001"), names[1]);
  EXPECT_EQ(Stored("Adv_TempFile0002"), names[2]);

  frmAdvanced& third = Open();
  int selected = 0;
  for (int32_t i = 0; i < third.filTemplates->ListCount(); ++i) selected += third.filTemplates->Selected(i) ? 1 : 0;
  EXPECT_EQ(selected, 1);

  // A name that differs only in letter case selects nothing.
  Store("Adv_TempFile0000", "ALPHA.GLX");
  frmAdvanced& fourth = Open();
  for (int32_t i = 0; i < fourth.filTemplates->ListCount(); ++i) EXPECT_FALSE(fourth.filTemplates->Selected(i));
}

// OK first probes the store: a store that cannot be written, or that refuses any value, keeps
// the window open with the edits, tells the user, and stores nothing of the section.
TEST_F(AdvancedTest, AFailedWriteKeepsTheWindowOpenAndStoresNothing) {
  for (const char* refused : {"TestRegWrite", "Adv_FontName", "Adv_HWB_Speed"}) {
    SCOPED_TRACE(refused);
    testsupport::TempConfig fresh;
    ASSERT_TRUE(store::SaveRegSetting("General", "Touch", 1));  // opens the fresh store
    testsupport::FailRegistryWritesOf(refused);
    messages.messages.clear();
    frmAdvanced& w = Open();
    w.txtAdv[0].SetText("42");
    PressOK();
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(w.txtAdv[0].Text(), "42");
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(Stored("Adv_TimeDelay"), kMissing);
    EXPECT_EQ(model::AdvancedHueWheelFields(), &w);
  }
}

}  // namespace
}  // namespace dialogs::testing
