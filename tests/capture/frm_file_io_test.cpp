// The template dialog and the File menu, driven through their controls inside real
// Properties windows: a set saved and opened again, the names the dialog refuses, a save that
// fails, a template that cannot be read.
#include "capture/frm_file_io.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QApplication>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/file_menu.h"
#include "capture/modal_driver.h"
#include "dialogs/properties/props_fixture.h"
#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FolderNames(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class TemplateDialogTest : public dialogs::testing::PropsTest {
 protected:
  void SetUp() override {
    PropsTest::SetUp();
    presentation::render().WindowSizeList = {{640, 480}, {800, 600}};
    dir = testsupport::MakeTempDir();
    // The dialog makes the user's templates folder: this run's own, not the tester's.
    dataDir = testsupport::MakeTempDir();
    dataHome.emplace("XDG_DATA_HOME", dataDir);
  }
  void TearDown() override {
    PropsTest::TearDown();
    store::templateState() = {};
    dataHome.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::remove_all(dataDir, ec);
  }

  // Runs `drive` on the template dialog from inside its modal showing, then closes it with
  // Cancel should it still be open.
  static void WhenDialogShows(std::function<void(frmFileIO&)> drive) {
    testsupport::WhenModalShows<frmFileIO>([drive](frmFileIO& w) {
      drive(w);
      if (w.IsLoaded()) w.cmdDismiss->PerformClick();
    });
  }
  // Opens the folder in the dialog, types the name and presses Enter.
  static void TypeAndEnter(frmFileIO& w, const std::string& folder, const std::string& name) {
    ASSERT_TRUE(w.dirTemp->SetPath(folder));
    w.txtFile->SetText("");
    QTest::keyClicks(w.txtFile, QString::fromStdString(name));
    QTest::keyClick(w.txtFile, Qt::Key_Return);
  }

  std::string dir;
  std::string dataDir;
  std::optional<testsupport::ScopedEnv> dataHome;
};

TEST_F(TemplateDialogTest, SetSavedAsThenOpenedIntoAFreshDialogComesBackWhole) {
  dialogs::frmProps& first = Open();
  first.c.txtUni[0].SetText("4321");
  first.c.txtColorProps[0].SetText("55");
  first.c.chkRotCamera->SetValue(1);
  model::records().GalaxyTypes[7].Galaxy_Radius = 2345;
  model::records().CompositeGalaxies[4]._CompGalName = "Fourth";
  store::SaveRegSetting("Advanced", "LockMessage", "a=b c");

  std::vector<std::string> shown;
  WhenDialogShows([&](frmFileIO& w) {
    shown = {w.Caption(), w.cboTypes->List(0), w.cboTypes->List(1), w.filTemp->Pattern()};
    TypeAndEnter(w, dir, "set one");
  });
  FileMenuAction(first, 3);
  const std::string saved = dir + "/set one.GLX";
  EXPECT_EQ(shown, (std::vector<std::string>{"Enter or Select Template to Save", "Zorvane Templates (*.glx)",
                                             "All Files (*.*)", "*.glx"}));
  ASSERT_TRUE(fs::is_regular_file(saved));
  EXPECT_EQ(store::templateState().TemplatePath, saved);
  EXPECT_EQ(store::GetSettingString("Template", "Path_Dir", ""), dir);
  EXPECT_EQ(store::GetSettingString("Template", "Path_Drive", ""), "/");

  // A fresh dialog in a new run: the stored set, other Advanced values.
  first.cmdDismiss_Click();
  RunDeferredDeletes();
  store::templateState() = {};
  model::ResetGalaxyRecords();
  store::SaveRegSetting("Advanced", "LockMessage", "other");
  dialogs::frmProps& second = Open();
  ASSERT_NE(second.c.txtUni[0].Text(), "4321");

  std::string startedIn;
  WhenDialogShows([&](frmFileIO& w) {
    startedIn = w.dirTemp->Path();
    // The saved file is listed whatever the case of its extension; a double click opens it.
    ASSERT_EQ(w.filTemp->ListCount(), 1);
    const QRect line = w.filTemp->visualItemRect(w.filTemp->item(0));
    QTest::mouseClick(w.filTemp->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(w.filTemp->viewport(), Qt::LeftButton, {}, line.center());
  });
  FileMenuAction(second, 0);
  EXPECT_EQ(startedIn, dir);
  EXPECT_EQ(store::templateState().TemplatePath, saved);
  EXPECT_EQ(second.c.txtUni[0].Text(), "4321");
  EXPECT_EQ(second.c.txtColorProps[0].Text(), "55");
  EXPECT_EQ(second.c.chkRotCamera->Value(), 1);
  EXPECT_EQ(model::records().GalaxyTypes[7].Galaxy_Radius, 2345);
  EXPECT_EQ(model::records().CompositeGalaxies[4]._CompGalName, "Fourth");
  EXPECT_EQ(store::GetSettingString("Advanced", "LockMessage", ""), "a=b c");

  // Saved again from the fresh dialog, the set gives the same file: every field, record and
  // Advanced value came back.
  WhenDialogShows([&](frmFileIO& w) { TypeAndEnter(w, dir, "set two.glx"); });
  FileMenuAction(second, 3);
  EXPECT_EQ(testsupport::ReadFile(dir + "/set two.glx"), testsupport::ReadFile(saved));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TemplateDialogTest, SaveWritesTheCurrentTemplateOrAsksForOne) {
  dialogs::frmProps& d = Open();
  // No current template: the save dialog; cancelled, nothing changes.
  std::string caption;
  WhenDialogShows([&](frmFileIO& w) { caption = w.Caption(); });
  FileMenuAction(d, 2);
  EXPECT_EQ(caption, kSaveTemplateTitle);
  EXPECT_TRUE(store::templateState().TemplatePath.empty());
  EXPECT_TRUE(FolderNames(dir).empty());
  EXPECT_EQ(store::GetSettingString("Template", "Path_Dir", "<none>"), "<none>");

  // A current template is written over at once, with no window.
  store::templateState().TemplatePath = dir + "/current.glx";
  testsupport::WriteFile(dir + "/current.glx", "old");
  d.c.txtUni[0].SetText("1234");
  FileMenuAction(d, 2);
  EXPECT_NE(testsupport::ReadFile(dir + "/current.glx").find("Universe_Stars=1234"), std::string::npos);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // Exit unloads the Properties window; other positions do nothing.
  FileMenuAction(d, 1);
  FileMenuAction(d, 4);
  EXPECT_TRUE(d.IsLoaded());
  FileMenuAction(d, 5);
  EXPECT_FALSE(d.IsLoaded());
}

TEST_F(TemplateDialogTest, NamesTheDialogRefuses) {
  fs::create_directory(dir + "/sub");
  fs::create_directory(dir + "/box.GLX");
  testsupport::WriteFile(dir + "/there.glx", "x");
  ASSERT_EQ(mkfifo((dir + "/pipe.glx").c_str(), 0600), 0);
  const std::string unreadable = "The template file could not be read.";
  struct Case {
    bool open;
    std::string typed;
    std::string message;
  } cases[] = {
      {true, "", "Please select an existing file."},
      {true, "   ", "Please select an existing file."},
      {true, "missing.glx", "Please select an existing file."},
      {true, "*.glx", "Please select an existing file."},
      {true, "ther?.glx", "Please select an existing file."},
      {true, "gone/there.glx", "Please select an existing file."},
      // There, but no file a template can be read from.
      {true, "sub", unreadable},
      {true, "pipe.glx", unreadable},
      {true, "/dev/null", unreadable},
      {false, "", "Please enter a file name."},
      {false, "  ", "Please enter a file name."},
      {false, "a*.glx", "Please enter a valid path and file."},
      {false, "none/a.glx", "Please enter a valid path and file."},
      {false, "sub", "Please enter a valid path and file."},
      {false, "sub/", "Please enter a valid path and file."},
      {false, "box", "Please enter a valid path and file."},  // box.GLX is a folder
  };
  store::templateState().TemplatePath = "/kept.glx";
  for (const Case& c : cases) {
    SCOPED_TRACE((c.open ? "open '" : "save '") + c.typed + "'");
    frmFileIO w;
    w.FormLet(c.open, false, "T", "Zorvane Templates (*.glx)|*.glx|", "GLX");
    w.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.dirTemp->SetPath(dir));
    w.txtFile->SetText(c.typed);
    w.cmdOK->SetFocus();
    messages.messages.clear();
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, c.message);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_FALSE(w.Accepted());
    EXPECT_EQ(w.FullFileName(), "");
    EXPECT_EQ(w.ActiveControl(), w.txtFile);
    EXPECT_EQ(store::templateState().TemplatePath, "/kept.glx");
    EXPECT_EQ(store::GetSettingString("Template", "Path_Dir", "<none>"), "<none>");
    w.Unload();
  }
  EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"box.GLX", "pipe.glx", "sub", "there.glx"}));
}

TEST_F(TemplateDialogTest, AcceptedNamesAndTheExtension) {
  fs::create_directory(dir + "/my.dir");
  // A file that bears the probe's name is left alone.
  testsupport::WriteFile(dir + "/t0", "keep");
  struct Case {
    std::string folder, typed, accepted;
  } cases[] = {
      {dir, "t", dir + "/t.GLX"},
      {dir, "abc.txt", dir + "/abc.txt"},
      {dir + "/my.dir", "abc", dir + "/my.dir/abc.GLX"},
      {dir, "my.dir/abc", dir + "/my.dir/abc.GLX"},
      {dir + "/my.dir", dir + "/x", dir + "/x.GLX"},
      {dir, "  spaced.glx  ", dir + "/spaced.glx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    frmFileIO w;
    w.FormLet(false, false, "T", "Zorvane Templates (*.glx)|*.glx|", "GLX");
    w.Show();
    ASSERT_TRUE(w.dirTemp->SetPath(c.folder));
    w.txtFile->SetText(c.typed);
    w.cmdOK->PerformClick();
    EXPECT_TRUE(w.Accepted());
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(w.FullFileName(), c.accepted);
    EXPECT_EQ(store::templateState().TemplatePath, c.accepted);
    EXPECT_EQ(store::GetSettingString("Template", "Path_Dir", ""), c.folder);
  }
  // Nothing was written without ApplyNow, and no probe was left behind.
  EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"my.dir", "t0"}));
  EXPECT_TRUE(fs::is_empty(dir + "/my.dir"));
  EXPECT_EQ(testsupport::ReadFile(dir + "/t0"), "keep");
  EXPECT_EQ(TemplatePathIn("/", "x.glx"), "/x.glx");
  EXPECT_EQ(TemplatePathIn("/srv", "x.glx"), "/srv/x.glx");
}

TEST_F(TemplateDialogTest, SaveThatFailsKeepsTheDialogOpenAndTheOldFile) {
  dialogs::frmProps& d = Open();
  const std::string target = dir + "/t.glx";
  testsupport::WriteFile(target, "old");
  store::templateState().TemplatePath = dir + "/current.glx";
  bool stayedOpen = false;
  std::string pathWhileOpen;
  WhenDialogShows([&](frmFileIO& w) {
    // A file size limit makes the writes fail, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    TypeAndEnter(w, dir, "t.glx");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    stayedOpen = w.IsLoaded() && !w.Accepted() && w.FullFileName().empty();
    pathWhileOpen = store::templateState().TemplatePath;
  });
  FileMenuAction(d, 3);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(pathWhileOpen, dir + "/current.glx");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "There was an error writing the file.");
  EXPECT_EQ(testsupport::ReadFile(target), "old");
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"t.glx"});
  EXPECT_EQ(store::templateState().TemplatePath, dir + "/current.glx");
  EXPECT_EQ(store::GetSettingString("Template", "Path_Dir", "<none>"), "<none>");
}

TEST_F(TemplateDialogTest, TemplateThatCannotBeReadIsRefusedAndChangesNothing) {
  dialogs::frmProps& d = Open();
  d.c.txtUni[0].SetText("4321");
  testsupport::WriteFile(dir + "/bad.glx", "FocalLength=3\r\n");
  std::string returned = "<not run>";
  bool stayedOpen = false;
  WhenDialogShows([&](frmFileIO& w) {
    TypeAndEnter(w, dir, "bad.glx");
    stayedOpen = w.IsLoaded() && !w.Accepted();
  });
  returned = ShowFileIODialog(true, true, kOpenTemplateTitle, "Zorvane Templates (*.glx)|*.glx|", "GLX", &d.c);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(returned, "");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "The template file could not be read.");
  EXPECT_EQ(d.c.txtUni[0].Text(), "4321");
  EXPECT_TRUE(store::templateState().TemplatePath.empty());
}

// Without a remembered folder the dialog starts in the user's templates folder (made for it),
// not in the folder the program was started in; a remembered folder wins while it exists.
TEST_F(TemplateDialogTest, StartsInTheTemplatesFolderUnlessAFolderIsRemembered) {
  const std::string templates = dataDir + "/zorvane/templates";
  fs::create_directories(dir + "/kept");
  struct Case {
    const char* remembered;  // nullptr: none
    std::string startsIn;
  } cases[] = {
      {nullptr, templates},
      {"/kept", dir + "/kept"},
      {"/gone", templates},
  };
  dialogs::frmProps& d = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.remembered ? c.remembered : "none");
    if (c.remembered) store::SaveRegSetting("Template", "Path_Dir", dir + c.remembered);
    std::string startedIn;
    WhenDialogShows([&](frmFileIO& w) { startedIn = w.dirTemp->Path(); });
    ShowFileIODialog(false, false, kSaveTemplateTitle, "Zorvane Templates (*.glx)|*.glx|", "GLX", &d.c);
    EXPECT_EQ(startedIn, c.startsIn);
  }
  EXPECT_TRUE(fs::is_directory(templates));
  EXPECT_TRUE(messages.messages.empty());
}

// A templates folder that cannot be made (the data folder is a file): the home folder.
TEST(TemplatesFolder, HomeWhenItCannotBeMade) {
  const std::string dir = testsupport::MakeTempDir();
  testsupport::WriteFile(dir + "/file", "");
  const testsupport::ScopedEnv home("HOME", dir + "/home");
  {
    const testsupport::ScopedEnv data("XDG_DATA_HOME", dir + "/file");
    EXPECT_EQ(TemplatesFolder(), dir + "/home");
  }
  const testsupport::ScopedEnv data("XDG_DATA_HOME", dir + "/data");
  EXPECT_EQ(TemplatesFolder(), dir + "/data/zorvane/templates");
  EXPECT_TRUE(fs::is_directory(dir + "/data/zorvane/templates"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace capture
