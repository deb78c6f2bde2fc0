#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>

#include <vector>

#include "dialogs/editors/advanced_fixture.h"
#include "model/colors.h"
#include "platform/help/help_viewer.h"

namespace dialogs::testing {
namespace {

controls::TextBox& BoxOf(frmAdvanced& w, char array, int index) {
  return array == 'a' ? w.txtAdv[index] : w.txtMessage[index];
}

// Up and Down step the numeric boxes, limited on the side of the move only; a number beyond
// 16 bits takes the bound. The spinner follows where the number lies in its range.
TEST_F(AdvancedTest, ArrowKeysStepWithinTheBoundOfTheirDirection) {
  struct Case {
    char array;  // 'a' txtAdv, 'm' txtMessage
    int index;
    const char* start;
    Qt::Key key;
    const char* result;
  };
  const Case cases[] = {
      {'a', 0, "995", Qt::Key_Up, "999"},    {'a', 0, "5", Qt::Key_Down, "0"},
      {'a', 0, "2000", Qt::Key_Up, "999"},   {'a', 0, "2000", Qt::Key_Down, "1990"},
      {'a', 0, "99999", Qt::Key_Up, "999"},  {'a', 0, "99999", Qt::Key_Down, "32767"},
      {'a', 0, "-5", Qt::Key_Up, "5"},       {'a', 0, "12.5", Qt::Key_Up, "22"},
      {'m', 0, "8", Qt::Key_Down, "8"},      {'m', 0, "80", Qt::Key_Up, "80"},
      {'m', 0, "3", Qt::Key_Up, "4"},        {'m', 2, "359", Qt::Key_Up, "359"},
      {'m', 1, "98", Qt::Key_Up, "99"},      {'m', 3, "0", Qt::Key_Down, "0"},
      {'m', 5, "60", Qt::Key_Up, "60"},      {'m', 5, "10", Qt::Key_Down, "9"},
      // No arrow steps: the focal length and the message texts.
      {'a', 1, "1.5", Qt::Key_Up, "1.5"},    {'m', 4, "7", Qt::Key_Up, "7"},
  };
  frmAdvanced& w = OpenShown();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.array) + std::to_string(c.index) + " " + c.start);
    controls::TextBox& box = BoxOf(w, c.array, c.index);
    box.SetFocus();
    box.SetText(c.start);
    QTest::keyClick(&box, c.key);
    EXPECT_EQ(box.Text(), c.result);
  }
  // The spinner took the last number of its range.
  w.txtAdv[0].SetText("990");
  QTest::keyClick(&w.txtAdv[0], Qt::Key_Up);
  EXPECT_EQ(w.spnAdv[0].Value(), 999);
}

// Leaving a visible numeric box clamps it silently; the message texts are left as typed.
TEST_F(AdvancedTest, LeavingABoxClampsItToItsRange) {
  struct Case {
    char array;
    int index;
    const char* text;
    const char* result;
  };
  const Case cases[] = {
      {'m', 5, "75", "60"},     {'m', 0, "", "8"},        {'a', 0, "12.5", "12"},  {'a', 0, "13.5", "14"},
      {'a', 0, "2000", "999"},  {'a', 0, "99999999999", "999"}, {'a', 1, "0", "0.01"}, {'a', 1, "12.5", "10"},
      {'a', 1, "1.25", "1.25"}, {'m', 2, "400", "359"},   {'m', 1, "abc", "0"},    {'m', 3, "100", "99"},
      {'m', 4, " 75 ", " 75 "}, {'m', 6, "x", "x"},
  };
  frmAdvanced& w = OpenShown();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.array) + std::to_string(c.index) + " \"" + c.text + "\"");
    controls::TextBox& box = BoxOf(w, c.array, c.index);
    box.SetText(c.text);
    EnterAndLeave(box);
    EXPECT_EQ(box.Text(), c.result);
  }
  EXPECT_EQ(beeps, 0);
}

// OK while the delay box holds 2000 and has the focus: the box is clamped first and 999 stored.
TEST_F(AdvancedTest, OkClampsTheFocusedBoxBeforeTheSave) {
  frmAdvanced& w = OpenShown();
  w.txtAdv[0].SetFocus();
  w.txtAdv[0].SetText("2000");
  QTest::keyClick(&w.txtAdv[0], Qt::Key_Return);  // Enter reaches the default button
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(Stored("Adv_TimeDelay"), "999");
}

// Key filters: digits only in the whole-number boxes, digits and one "." in the focal length,
// every key in the message texts. A refused key beeps and leaves the text as it was.
TEST_F(AdvancedTest, KeyFiltersPassOnlyWhatTheBoxTakes) {
  struct Case {
    char array;
    int index;
    const char* start;
    int selStart, selLength;
    const char* typed;
    const char* result;
    int beeps;
  };
  const Case cases[] = {
      {'m', 0, "12", 2, 0, "a", "12", 1},       {'m', 0, "1", 1, 0, "4", "14", 0},       {'m', 0, "12", 2, 0, "4", "12", 0},
      {'a', 0, "10", 2, 0, "-", "10", 1},       {'a', 0, "10", 2, 0, ".", "10", 1},
      {'a', 1, "1", 1, 0, ",", "1", 1},         {'a', 1, "1.5", 3, 0, ".", "1.5", 1},
      {'a', 1, "1.5", 1, 1, ".", "1.5", 0},     {'a', 1, "1", 1, 0, ".5", "1.5", 0},
      {'m', 4, "", 0, 0, "Hi, 5.", "Hi, 5.", 0}, {'m', 6, "", 0, 0, "in X", "in X", 0},
      {'m', 7, "", 0, 0, "Now!", "Now!", 0},    {'m', 5, "1", 1, 0, "x", "1", 1},
  };
  frmAdvanced& w = OpenShown();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.array) + std::to_string(c.index) + " typing " + c.typed);
    controls::TextBox& box = BoxOf(w, c.array, c.index);
    box.SetFocus();
    box.SetText(c.start);
    box.SetSelStart(c.selStart);
    box.SetSelLength(c.selLength);
    beeps = 0;
    QTest::keyClicks(&box, QString::fromUtf8(c.typed));
    EXPECT_EQ(box.Text(), c.result);
    EXPECT_EQ(beeps, c.beeps);
  }
}

// The window opens with the frame delay focused and its text selected; Enter and Escape reach
// OK and Cancel from any box, the filtered ones included.
TEST_F(AdvancedTest, EnterAndEscapeReachOkAndCancelFromAnyBox) {
  struct Where {
    char array;
    int index;
  };
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    for (Where where : {Where{'a', 0}, Where{'a', 1}, Where{'m', 0}, Where{'m', 4}, Where{'m', 7}}) {
      SCOPED_TRACE(std::string(key == Qt::Key_Return ? "Enter in " : "Escape in ") + where.array +
                   std::to_string(where.index));
      testsupport::TempConfig fresh;
      frmAdvanced& w = OpenShown();
      EXPECT_TRUE(w.txtAdv[0].hasFocus());
      EXPECT_EQ(w.txtAdv[0].SelText(), "10");
      controls::TextBox& box = BoxOf(w, where.array, where.index);
      box.SetFocus();
      w.txtMessage[6].SetText("edited");
      beeps = 0;
      QTest::keyClick(&box, key);
      EXPECT_FALSE(w.IsLoaded());
      EXPECT_EQ(beeps, 0);
      EXPECT_EQ(Stored("Adv_TimeText"), key == Qt::Key_Return ? "edited" : kMissing);
    }
  }
}

// The message preview: the font list restyles the message and the zero text; only the message
// takes the size; the starting hue recolours both; the hue increment changes neither.
TEST_F(AdvancedTest, MessagePreviewFollowsFontSizeAndStartingHue) {
  frmAdvanced& w = Open();
  ASSERT_GE(w.cboFont->ListCount(), 2);
  const int zeroSize = w.txtMessage[7].font().pointSize();
  const int32_t other = w.cboFont->ListIndex() == 0 ? 1 : 0;
  w.cboFont->SetListIndex(other);
  for (int i : {4, 7}) EXPECT_EQ(w.txtMessage[i].font().family().toStdString(), w.cboFont->List(other));
  w.txtMessage[0].SetText("20");
  EXPECT_EQ(w.txtMessage[4].font().pointSize(), 20);
  EXPECT_EQ(w.txtMessage[7].font().pointSize(), zeroSize);
  EXPECT_EQ(w.spnMessage[0].Value(), 20);
  w.txtMessage[0].SetText("big");  // not a number: the size stays
  EXPECT_EQ(w.txtMessage[4].font().pointSize(), 20);

  auto textColour = [&w](int i) {
    return static_cast<int32_t>(w.txtMessage[i].palette().color(QPalette::Text).rgb() & 0xFFFFFF);
  };
  w.txtMessage[2].SetText("0");
  const int32_t red = model::ToDisplayColorOrder(model::HueToColor(0));
  EXPECT_EQ(textColour(4), red);
  EXPECT_EQ(textColour(7), red);
  w.spnMessage[2].SetValue(240);
  EXPECT_EQ(w.txtMessage[2].Text(), "240");
  const int32_t blue = model::ToDisplayColorOrder(model::HueToColor(240));
  EXPECT_EQ(textColour(4), blue);
  w.txtMessage[3].SetText("50");
  EXPECT_EQ(textColour(4), blue);
  EXPECT_EQ(textColour(7), blue);
}

// Defaults puts the default values into the controls (ten capture files, not a hundred), keeps
// the capture option and the template selection, disables the randomize controls it unchecks,
// resets the engine's hue wheel at once, and stores nothing until OK.
TEST_F(AdvancedTest, DefaultsResetsTheControlsAndStoresNothing) {
  Store("Adv_ScreenCapt", "1");
  Store("Adv_Randomize", "1");
  Store("Adv_HueWheel0", "0");
  Store("Adv_FontSize", "30");
  Store("Adv_ImageBufferMax", "50");
  Store("Adv_MultiMonitor", "2");
  Store("Adv_DispTempName", "1");
  Store("LockMessage", "Old");
  frmAdvanced& w = Open();
  EXPECT_TRUE(w.txtAdv[9].Enabled());
  EXPECT_EQ(model::hueWheelState().HueWheelDiv[0], 0);
  w.txtAdv[0].SetText("77");
  w.txtAdv[1].SetText("3");
  w.chkMouseM->SetValue(1);
  w.cmdDefaults->PerformClick();

  const std::vector<std::pair<controls::TextBox*, std::string>> boxes = {
      {&w.txtAdv[0], "10"},  {&w.txtAdv[1], "1"},      {&w.txtMessage[0], "12"}, {&w.txtMessage[1], "2"},
      {&w.txtMessage[2], "180"}, {&w.txtMessage[3], "10"}, {&w.txtMessage[4], ""}, {&w.txtMessage[5], "0"},
      {&w.txtAdv[9], "5"},   {&w.txtAdv[10], "2"},     {&w.txtHueWheel[0], "100"}, {&w.txtHueWheel[4], "315"},
      {&w.txtHueWheel[8], "0"},
  };
  for (const auto& [box, text] : boxes) EXPECT_EQ(box->Text(), text) << box->Name() << "(" << box->Index() << ")";
  EXPECT_EQ(w.spnMessage[0].Value(), 12);
  EXPECT_EQ(w.txtMessage[4].font().pointSize(), 12);
  EXPECT_EQ(w.cboCaptureImageBuffer->Text(), "10");
  EXPECT_EQ(w.cboMultimonitor->ListIndex(), 0);
  EXPECT_EQ(w.chkDispThemeName->Value(), 0);
  EXPECT_EQ(w.chkMouseM->Value(), 0);
  EXPECT_EQ(w.chkRandom->Value(), 0);
  EXPECT_FALSE(w.txtAdv[9].Enabled());
  EXPECT_FALSE(w.spnAdv[10].Enabled());
  EXPECT_EQ(w.chkScreenCapture->Value(), 1);
  EXPECT_TRUE(w.cboCaptureImageBuffer->Enabled());
  EXPECT_EQ(model::hueWheelState().HueWheelDiv[0], runtime::ToLongOr(100 * static_cast<double>(model::kDegreesToRampSteps), 0));
  EXPECT_EQ(Stored("Adv_FontSize"), "30");
  EXPECT_EQ(Stored("LockMessage"), "Old");

  w.cmdDismiss->PerformClick();
  EXPECT_EQ(Stored("Adv_ImageBufferMax"), "50");
  EXPECT_EQ(Stored("Adv_HueWheel0"), "0");
}

// The blending reset writes "0" into both universe blend boxes of the Properties dialog and sets
// every galaxy type's blend to 0 there, asking nothing; Cancel here neither stores nor undoes it.
TEST_F(AdvancedTest, BlendingResetWritesTheDialogsFieldsOnly) {
  props.uni[2] = "35";
  props.uni[3] = "60";
  frmAdvanced& w = Open();
  w.cmdSetGalaxyBlend0->PerformClick();
  const std::vector<std::pair<int, std::string>> uniWrites = {{2, "0"}, {3, "0"}};
  EXPECT_EQ(props.uniWrites, uniWrites);
  ASSERT_EQ(props.copies.size(), 1u);
  EXPECT_EQ(props.copies[0].first, 4);
  EXPECT_EQ(props.copies[0].second, 0.0f);
  EXPECT_TRUE(messages.messages.empty());
  w.cmdDismiss->PerformClick();
  EXPECT_EQ(props.UniText(2), "0");
  EXPECT_EQ(props.UniText(3), "0");
  EXPECT_EQ(props.uniWrites.size(), 2u);
  EXPECT_EQ(Stored("Adv_TimeDelay"), kMissing);
}

// The hidden hue boxes keep the five divisions in ascending order around the one left, and the
// bubble values within their ranges; the engine takes them at once.
TEST_F(AdvancedTest, HueBoxesStayAscendingWhenOneIsLeft) {
  frmAdvanced& w = OpenShown();
  w.fraHueWheel->SetVisible(true);
  w.txtHueWheel[2].SetText("400");
  EnterAndLeave(w.txtHueWheel[2]);
  EXPECT_EQ(w.txtHueWheel[2].Text(), "360");
  EXPECT_EQ(w.txtHueWheel[3].Text(), "360");
  EXPECT_EQ(w.txtHueWheel[4].Text(), "360");
  w.txtHueWheel[1].SetText("10");
  w.txtHueWheel[0].SetText("90");
  EnterAndLeave(w.txtHueWheel[1]);
  EXPECT_EQ(w.txtHueWheel[0].Text(), "10");
  w.txtHueWheel[6].SetText("500");
  EnterAndLeave(w.txtHueWheel[6]);
  EXPECT_EQ(w.txtHueWheel[6].Text(), "100");
  EXPECT_FLOAT_EQ(model::hueWheelState().HwbLevel, 1.0f);
}

// Help opens the window's topic.
TEST_F(AdvancedTest, HelpOpensTheAdvancedSettingsTopic) {
  platform::SetHelpFolder(ZV_HELP_SOURCE);
  frmAdvanced& w = OpenShown();
  w.cmdHelp->PerformClick();
  platform::HelpViewer* viewer = platform::OpenHelpViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_NE(viewer->CurrentFile().find("advanced.html"), std::string::npos);
  platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  platform::SetHelpFolder("");
}

// F1 in every control of the window, hidden frames included, opens the window's topic at the
// section of its setting (or of its frame), and that section exists in the page. A control that
// joins the window without a section here fails the walk.
TEST_F(AdvancedTest, F1InEveryControlOpensTheSectionOfItsSetting) {
  platform::SetHelpFolder(ZV_HELP_SOURCE);
  platform::InstallHelpKeys();
  struct Section {
    const char* control;
    int index;  // -1: every index (or no control array)
    const char* anchor;
  };
  const Section sections[] = {
      {"fraDelay", -1, "operation"},
      {"lblAdv", 0, "delay"},
      {"txtAdv", 0, "delay"},
      {"spnAdv", 0, "delay"},
      {"lblAdv", 1, "focal-length"},
      {"txtAdv", 1, "focal-length"},
      {"chkMouseM", -1, "mouse"},
      {"chkScreenCapture", -1, "screen-capture"},
      {"fraScreenCapture", -1, "screen-capture"},
      {"txtScreenCapture", -1, "screen-capture"},
      {"cboCaptureImageBuffer", -1, "capture-files"},
      {"fraGalaxyProps", -1, "blending"},
      {"lblGalaxyBlend", -1, "blending"},
      {"cmdSetGalaxyBlend0", -1, "blending"},
      {"fraMessage", -1, "message"},
      {"lblMessage", 0, "font"},
      {"cboFont", -1, "font"},
      {"lblMessage", 1, "font-size"},
      {"txtMessage", 0, "font-size"},
      {"spnMessage", 0, "font-size"},
      {"lblMessage", 2, "offset"},
      {"txtMessage", 1, "offset"},
      {"spnMessage", 1, "offset"},
      {"lblMessage", 3, "hue"},
      {"txtMessage", 2, "hue"},
      {"spnMessage", 2, "hue"},
      {"txtMessage", 3, "hue-increment"},
      {"spnMessage", 3, "hue-increment"},
      {"lblMessage", 4, "message-text"},
      {"txtMessage", 4, "message-text"},
      {"lblMessage", 5, "countdown"},
      {"txtMessage", 5, "countdown"},
      {"spnMessage", 5, "countdown"},
      {"txtMessage", 6, "countdown-text"},
      {"lblMsgSubText", -1, "countdown-text"},
      {"txtMessage", 7, "zero-text"},
      {"cmdDefaults", -1, "defaults"},
      {"cmdOK", -1, "buttons"},
      {"cmdDismiss", -1, "buttons"},
      {"cmdHelp", -1, "buttons"},
      {"chkRandom", -1, "randomize"},
      {"fraExtraGalaxies", -1, "randomize"},
      {"lblAdv", 9, "random-magnitude"},
      {"txtAdv", 9, "random-magnitude"},
      {"spnAdv", 9, "random-magnitude"},
      {"lblAdv", 10, "random-exponent"},
      {"txtAdv", 10, "random-exponent"},
      {"spnAdv", 10, "random-exponent"},
      {"chkThemes", -1, "cycling"},
      {"fraExtraCycleThemes", -1, "cycling"},
      {"cboCycleStyle", -1, "cycling"},
      {"cmdToggleThemeView", -1, "cycling"},
      {"lstThemes", -1, "cycling"},
      {"lblAdv", 4, "frames-per-theme"},
      {"txtAdv", 4, "frames-per-theme"},
      {"spnAdv", 4, "frames-per-theme"},
      {"lblAdv", 5, "performance-multiplier"},
      {"txtAdv", 5, "performance-multiplier"},
      {"cboMultimonitor", -1, "multi-monitor"},
      {"chkDispThemeName", -1, "theme-name"},
      {"drvTemplates", -1, "templates"},
      {"dirTemplates", -1, "templates"},
      {"filTemplates", -1, "templates"},
      {"fraHueWheel", -1, "hue-wheel"},
      {"picHueWheel", -1, "hue-wheel"},
      {"imgHueWheel", -1, "hue-wheel"},
      {"txtHueWheel", 0, "hue-wheel"},
      {"txtHueWheel", 1, "hue-wheel"},
      {"txtHueWheel", 2, "hue-wheel"},
      {"txtHueWheel", 3, "hue-wheel"},
      {"txtHueWheel", 4, "hue-wheel"},
      {"txtHueWheel", 5, "bubble-start"},
      {"txtHueWheel", 6, "bubble-level"},
      {"txtHueWheel", 7, "bubble-span"},
      {"txtHueWheel", 8, "bubble-speed"},
  };
  QFile page(QStringLiteral(ZV_HELP_SOURCE "/advanced.html"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QByteArray html = page.readAll();
  const std::string file = QFileInfo(page).canonicalFilePath().toStdString();

  frmAdvanced& w = OpenShown();
  int walked = 0;
  for (controls::Control* c : w.Controls()) {
    const std::string name = c->Name() + "(" + std::to_string(c->Index()) + ")";
    SCOPED_TRACE(name);
    const Section* section = nullptr;
    for (const Section& s : sections)
      if (c->Name() == s.control && (s.index < 0 || s.index == c->Index())) section = &s;
    ASSERT_NE(section, nullptr) << "no section for " << name;
    EXPECT_TRUE(html.contains((std::string("name=\"") + section->anchor + "\"").c_str()));
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &f1);
    const platform::HelpViewer* viewer = platform::OpenHelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->CurrentFile(), file);
    EXPECT_EQ(viewer->CurrentAnchor(), section->anchor);
    ++walked;
  }
  EXPECT_GT(walked, 70);

  // F1 in the font list while it is open: the font's section, and the list closes.
  platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  w.cboFont->setFocus();
  w.cboFont->showPopup();
  QWidget* list = w.cboFont->view();
  ASSERT_TRUE(list->isVisible());
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  ASSERT_EQ(focused->window(), list->window());
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(focused, &f1);
  const platform::HelpViewer* viewer = platform::OpenHelpViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->CurrentFile(), file);
  EXPECT_EQ(viewer->CurrentAnchor(), "font");
  EXPECT_FALSE(list->isVisible());

  platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  platform::SetHelpFolder("");
}

// The theme view button swaps the theme list for the template lists.
TEST_F(AdvancedTest, ThemeViewButtonSwapsTheListsAndItsCaption) {
  frmAdvanced& w = Open();
  EXPECT_FALSE(w.ThemeView());
  w.cmdToggleThemeView->PerformClick();
  EXPECT_TRUE(w.ThemeView());
  EXPECT_TRUE(w.filTemplates->Visible());
  EXPECT_FALSE(w.lstThemes->Visible());
  EXPECT_EQ(w.cmdToggleThemeView->Caption(), "Select Templates for Cycling:");
  w.cmdToggleThemeView->PerformClick();
  EXPECT_EQ(w.cmdToggleThemeView->Caption(), "Select Themes for Cycling:");
  EXPECT_TRUE(w.lstThemes->Visible());
}

}  // namespace
}  // namespace dialogs::testing
