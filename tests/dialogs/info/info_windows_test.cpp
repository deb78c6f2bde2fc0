// The diagnostics window, the welcome window and the Help menu, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dialogs/info/backgrounds.h"
#include "dialogs/info/frm_system_diag.h"
#include "dialogs/info/frm_welcome.h"
#include "dialogs/info/help_menu.h"
#include "dialogs/info/mail_links.h"
#include "dialogs/info/product_info.h"
#include "dialogs/properties/frm_props.h"
#include "host/qt_test_app.h"
#include "platform/help/help_viewer.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace {

std::vector<std::string> opened;
void Record(std::string_view address) { opened.emplace_back(address); }

dialogs::DiagnosticsSources TestSources() {
  dialogs::DiagnosticsSources s;
  s.twipsWidth = 19200;
  s.twipsHeight = 0;  // shows as a problem
  s.twipsPerPixel = 15;
  s.pixelWidth = 1280;
  s.pixelHeight = 1024;
  s.depth = 32;
  s.sysname = "Linux";
  s.release = "6.1.0";
  s.machine = "x86_64";
  s.osRelease = "PRETTY_NAME=\"Test OS 1\"\n";
  s.cpuinfo = "model name\t: Test CPU\n";
  s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
  return s;
}

class InfoWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    opened.clear();
    dialogs::SetLinkOpener(&Record);
    dialogs::diagnosticsServices().sources = [] { return TestSources(); };
    platform::SetHelpFolder(ZV_HELP_SOURCE);
  }
  void TearDown() override {
    dialogs::SetLinkOpener(nullptr);
    dialogs::diagnosticsServices() = {};
    dialogs::SetAboutOpener(nullptr);
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    platform::SetHelpFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
};

TEST_F(InfoWindows, DiagnosticsWindowShowsTheFieldsAndFitsItsFrames) {
  auto* w = new dialogs::frmSystemDiag;
  w->EnsureLoaded();
  EXPECT_EQ(w->Caption(), "System Diagnostics");
  EXPECT_EQ(w->FieldText(0), "19200");
  EXPECT_EQ(w->FieldText(1), "???");
  EXPECT_EQ(w->txtDiagnostics[1].palette().color(QPalette::Base), QColor(255, 0, 0));
  EXPECT_NE(w->txtDiagnostics[0].palette().color(QPalette::Base), QColor(255, 0, 0));
  EXPECT_EQ(w->FieldText(3), "2,147,483,648");
  EXPECT_EQ(w->FieldText(30), "Linux:  6.1   Test OS 1");
  EXPECT_EQ(w->FieldText(31), "Test CPU\r\n\r\n");
  EXPECT_EQ(w->FieldText(32), "Primary Monitor:        Width=1280  Height=1024\r\n");
  EXPECT_EQ(w->FieldText(33), "No DirectX in use.");
  EXPECT_FALSE(w->txtDiagnosticsLines[33].Visible());
  EXPECT_EQ(w->FieldText(40), "English_United_States (Western Europe / US)");
  EXPECT_EQ(w->FieldText(41), "1.25");
  EXPECT_EQ(w->FieldText(42), "1.25");
  EXPECT_EQ(w->FieldText(50), "OK");
  EXPECT_EQ(w->lblRegInfo->Caption(), dialogs::RegistryInfoText());
  EXPECT_EQ(w->fraOpsys->Caption(), "OS / Hardware / Monitors");

  w->Show();  // the client area takes its size once the window is shown
  QCoreApplication::processEvents();
  const int32_t px = presentation::render().TwipsPerPixelY;
  EXPECT_EQ(w->fraOpsys->Height(), w->txtDiagnosticsLines[33].Top() + 2 * px);
  EXPECT_EQ(w->fraRegional->Top(), w->fraOpsys->Top() + w->fraOpsys->Height() + 5 * px);
  EXPECT_EQ(w->fraRegistry->Top(), w->fraRegional->Top() + w->fraRegional->Height() + 5 * px);
  EXPECT_EQ(w->ScaleHeight(), w->fraRegistry->Top() + w->fraRegistry->Height() + 5 * px);
  // The explanation's lines stand whole below the frame's caption and above the test row.
  const QLabel& info = *w->lblRegInfo;
  EXPECT_GE(info.y(), w->fraRegistry->contentsRect().top());
  EXPECT_GE(info.height(), info.heightForWidth(info.width()));
  EXPECT_GE(w->txtDiagnostics[50].y(), info.y() + info.height());
  EXPECT_LE(w->txtDiagnostics[50].y() + w->txtDiagnostics[50].height(), w->fraRegistry->contentsRect().bottom());

  w->cmdSendEmail->PerformClick();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], dialogs::DiagnosticsMailLink(dialogs::DiagnosticsReport(w->Fields())));

  w->cmdHelp->PerformClick();
  ASSERT_NE(platform::OpenHelpViewer(), nullptr);
  EXPECT_EQ(std::filesystem::path(platform::OpenHelpViewer()->CurrentFile()).filename(), "diagnostics.html");

  EXPECT_EQ(w->DefaultButton(), w->cmdDismiss);
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  w->cmdDismiss->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  EXPECT_EQ(store::GetSettingString("General\\SystemDiag", "WindowState", ""), "0");
  w->Release();
}

TEST_F(InfoWindows, SystemInformationToolFromTheStoreOrThePath) {
  const std::string folder = testsupport::MakeTempDir();
  testsupport::WriteFile(folder + "/MSINFO32.EXE", "tool");
  struct Case {
    const char* pathValue;      // SOFTWARE\Microsoft\Shared Tools\MSINFO "PATH"
    std::string locationValue;  // SOFTWARE\Microsoft\Shared Tools Location "MSINFO"
    const char* onPath;         // what the PATH search finds
    bool starts;                // whether starting succeeds
    const char* started;        // the program started, or nullptr for the message
  } cases[] = {
      {"/opt/info/msinfo", "", "", true, "/opt/info/msinfo"},
      {nullptr, folder, "", true, nullptr},  // set below
      {nullptr, "/nonexistent", "/usr/bin/hardinfo", true, "/usr/bin/hardinfo"},
      {nullptr, "", "", true, nullptr},
      {nullptr, "", "/usr/bin/hardinfo", false, nullptr},
  };
  const std::string located = folder + "/MSINFO32.EXE";
  cases[1].started = located.c_str();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.started ? c.started : "message");
    testsupport::TempConfig fresh;
    testsupport::MessageRecorder recorder;
    auto& reg = platform::Registry();
    if (c.pathValue) {
      reg.createKey(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
      reg.setValue(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", {platform::ValueType::Text, c.pathValue});
    }
    if (!c.locationValue.empty()) {
      reg.createKey(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location");
      reg.setValue(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", {platform::ValueType::Text, c.locationValue});
    }
    std::vector<std::string> started;
    dialogs::diagnosticsServices().findProgram = [&](const std::string& name) {
      return name == "hardinfo" ? std::string(c.onPath) : std::string();
    };
    dialogs::diagnosticsServices().startProgram = [&](const std::string& p) {
      started.push_back(p);
      return c.starts;
    };
    dialogs::ShowSystemInfo();
    if (c.started != nullptr) {
      EXPECT_EQ(started, std::vector<std::string>{c.started});
      EXPECT_TRUE(recorder.messages.empty());
    } else {
      ASSERT_EQ(recorder.messages.size(), 1u);
      EXPECT_EQ(recorder.messages[0].text, "System Information Is Unavailable.");
      EXPECT_EQ(recorder.messages[0].title, "Zorvane");
    }
  }
  std::filesystem::remove_all(folder);
}

TEST_F(InfoWindows, DiagnosticsOpensAFreshWindowEachTime) {
  std::vector<std::string> fields;
  for (int round = 0; round < 2; ++round) {
    QTimer::singleShot(0, [&] {
      auto* w = dynamic_cast<dialogs::frmSystemDiag*>(QApplication::activeModalWidget());
      ASSERT_NE(w, nullptr);
      fields.push_back(w->FieldText(0));
      w->cmdDismiss->PerformClick();
    });
    dialogs::HelpMenuAction(*new QWidget, 3);
  }
  EXPECT_EQ(fields, (std::vector<std::string>{"19200", "19200"}));
}

int aboutOpened = 0;
void CountAbout() { ++aboutOpened; }

TEST_F(InfoWindows, HelpMenuItems) {
  QWidget owner;
  dialogs::SetAboutOpener(&CountAbout);
  aboutOpened = 0;
  for (int16_t separator : {2, 4, 5, 6, 10, 12, -1}) dialogs::HelpMenuAction(owner, separator);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(platform::OpenHelpViewer(), nullptr);
  EXPECT_EQ(aboutOpened, 0);

  dialogs::HelpMenuAction(owner, 0);
  ASSERT_NE(platform::OpenHelpViewer(), nullptr);
  EXPECT_EQ(std::filesystem::path(platform::OpenHelpViewer()->CurrentFile()).filename(), "contents.html");
  dialogs::HelpMenuAction(owner, 1);
  EXPECT_TRUE(platform::OpenHelpViewer()->searchBox()->hasFocus() || platform::OpenHelpViewer()->isVisible());

  dialogs::HelpMenuAction(owner, 7);
  dialogs::HelpMenuAction(owner, 8);
  dialogs::HelpMenuAction(owner, 9);
  EXPECT_EQ(opened, (std::vector<std::string>{std::string("mailto:") + dialogs::kFeedbackAddress +
                                                  "?Subject=Zorvane%20Feedback%20&Body=",
                                              dialogs::kHomePage, dialogs::kFaqPage}));
  dialogs::HelpMenuAction(owner, 11);
  EXPECT_EQ(aboutOpened, 1);
}

// Each item of the Properties dialog's Help menu reaches the action of its caption.
TEST_F(InfoWindows, PropertiesHelpMenuPlacesReachTheirItems) {
  const std::map<int16_t, std::string> captions = {
      {0, "&Contents..."},      {1, "&Search..."},         {2, "-"},
      {3, "&Diagnostics..."},   {4, "-"},                  {6, "-"},
      {7, "ZORV &Feedback..."}, {8, "&ZORV Home Page..."}, {9, "ZORV &Frequently Asked Questions (FAQ)..."},
      {10, "-"},                {11, "&About Zorvane..."}};
  testsupport::MessageRecorder messages{platform::MsgResult::Cancel};
  dialogs::frmProps* props = dialogs::frmProps::Create();
  int places = 0;
  for (auto [position, item] : props->c.mnuHelpArray) {
    const int16_t index = dialogs::HelpMenuIndexOfPosition(static_cast<int16_t>(position));
    ASSERT_EQ(captions.count(index), 1u) << position;
    EXPECT_EQ(item->Caption(), captions.at(index)) << position;
    ++places;
  }
  EXPECT_EQ(places, 10);
  for (int16_t outside : {-1, 10, 12}) EXPECT_EQ(dialogs::HelpMenuIndexOfPosition(outside), -1);
  props->Unload();
  props->Release();
}

TEST_F(InfoWindows, WelcomeTexts) {
  EXPECT_EQ(dialogs::WelcomeTitle(), std::string("Welcome to Zorvane ") + dialogs::kVersionText + ".");
  const std::string v = dialogs::kVersionText;
  const std::string expected =
      "Thank you for installing Zorvane " + v + ".  "
      "You can use this product to simulate a Universe populated by several user-defined Galaxies.  "
      "Watch as the camera tours the Universe, visiting the Galaxies based on a trajectory that you provide. \r\n\r\n"
      "Please consider the following:\r\n"
      "*   The Product has been modified to work on Windows Vista.\r\n"
      "*   The Factory settings have been optimized for a 1.7 GHz CPU.\r\n"
      "*   Disable mouse-move sensitivity from menu:  Edit-> Advanced Settings.\r\n"
      "\r\n"
      "*   Features in Zorvane " + v + ":\r\n"
      "      -  Capture Video Files from Animation.\r\n"
      "      -  Set Custom Color Filtering Effects.\r\n"
      "      -  Blend Animation with Windows Desktop\r\n"
      "      -  Select from various display resolutions.\r\n"
      "      -  Works on Microsoft Windows 98 / 2000 / ME / XP / Vista.\r\n"
      "      -  Specify Hue Cone properties including colors and intensity.\r\n"
      "      -  Capture images to Windows Clipboard and Image Files.\r\n"
      "      -  Set Windows Desktop Wallpaper to displayed graphic effects.\r\n"
      "      -  Cycle through Template / Themes in a Windows Directory.\r\n"
      "      -  Major Performance Enhancement in True Color - 32 bpp Mode.\r\n"
      "      -  International / Regional Settings supported.\r\n"
      "      -  Define Pulsars as a new type of star.\r\n"
      "      -  Set Galaxy randomization values.\r\n"
      "\r\n"
      "*   Contact the author with comments, questions or suggestions:\r\n"
      "      -   email:        " + std::string(dialogs::kFeedbackAddress) + "\r\n"
      "      -   Home:       " + dialogs::kHomePage + "\r\n"
      "      -   FAQ:          " + dialogs::kFaqPage + "\r\n"
      "      This information can be found in the About Box from the Help menu.\r\n"
      "\r\n"
      "Cheers.";
  EXPECT_EQ(dialogs::WelcomeText(), expected);
}

TEST_F(InfoWindows, WelcomeWindowLayoutAndBackgroundOnTheFirstActivationOnly) {
  auto* w = new dialogs::frmWelcome;
  w->EnsureLoaded();
  EXPECT_EQ(w->Caption(), "Welcome to Zorvane");
  for (int i : {0, 1}) {
    EXPECT_EQ(w->lblSmall[i].Caption(), dialogs::WelcomeText());
    EXPECT_EQ(w->lblProduct[i].Caption(), dialogs::WelcomeTitle());
  }
  EXPECT_EQ(w->cmdDismiss->Caption(), "OK");
  EXPECT_EQ(w->DefaultButton(), w->cmdDismiss);
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  const int32_t px = presentation::render().TwipsPerPixelX, py = presentation::render().TwipsPerPixelY;
  EXPECT_EQ(w->lblProduct[1].Left(), w->lblProduct[0].Left() + 2 * px);
  EXPECT_EQ(w->lblProduct[1].Top(), w->lblProduct[0].Top() + 2 * py);
  EXPECT_EQ(w->lblSmall[1].Left(), w->lblSmall[0].Left() + px);
  EXPECT_EQ(w->lblSmall[1].Top(), w->lblSmall[0].Top() + py);
  EXPECT_GT(w->cmdDismiss->Top(), w->lblSmall[0].Top() + w->lblSmall[0].Height());
  EXPECT_FALSE(w->BackgroundDrawn());
  w->Show();
  QCoreApplication::processEvents();
  EXPECT_GT(w->ScaleHeight(), w->cmdDismiss->Top() + w->cmdDismiss->Height());
  EXPECT_GT(w->lblSmall[0].Height(), 20 * py);  // the text's own height, not a fixed one

  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(w, &activate);
  ASSERT_TRUE(w->BackgroundDrawn());
  const QImage& img = w->picBack->image();
  EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(255, 60, 160));  // the border's top bar
  // Just inside the border at the corner farthest from the centre: the first colour.
  const int x = img.width() - 7, y = img.height() - 7;
  EXPECT_EQ(QColor(img.pixel(x, y)), QColor(32, 16, 64));
  // A second activation draws nothing again.
  w->picBack->PSet(x, y, 0x010203);
  QApplication::sendEvent(w, &activate);
  EXPECT_EQ(QColor(w->picBack->image().pixel(x, y)), QColor(1, 2, 3));

  w->cmdDismiss->PerformClick();
  EXPECT_FALSE(w->isVisible());
  w->Release();
}

}  // namespace
