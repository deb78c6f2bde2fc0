// The drive, folder and file lists on a small folder tree of their own.
#include "platform/controls/file_lists.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/qt_test_app.h"
#include "platform/controls/controls.h"
#include "support/test_support.h"

namespace controls {
namespace {

namespace fs = std::filesystem;

class FileListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    root = testsupport::MakeTempDir();
    for (const char* d : {"b", "A", ".hidden", "c.glx"}) fs::create_directory(root + "/" + d);
    for (const char* f : {"x.glx", "Y.GLX", "z.Glx", "w.txt", "noext", ".h.glx", "x.glx.bak"})
      testsupport::WriteFile(root + "/" + f, "1");
    window = std::make_unique<Form>(nullptr, "frmFiles");
    window->resize(400, 300);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  static std::vector<std::string> Lines(const ListControl& list) {
    std::vector<std::string> v;
    for (int32_t i = 0; i < list.ListCount(); ++i) v.push_back(list.List(i));
    return v;
  }

  std::string root;
  std::unique_ptr<Form> window;
};

TEST(FileNameMatchesTest, PatternsMatchWithoutRegardToLetterCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"a.glx", "*.glx", true},        {"A.GLX", "*.glx", true},   {"a.Glx", "*.GLX", true},
      {"a.glx.bak", "*.glx", false},   {"aglx", "*.glx", false},   {"noext", "*.*", true},
      {"w.txt", "*.glx;*.txt", true},  {"w.txt", "*.glx; *.TXT", true},
      {"ab.glx", "?.glx", false},      {"a.glx", "?.glx", true},   {"anything", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameMatches(c.name, c.pattern), c.matches) << c.name << " / " << c.pattern;
  }
}

TEST_F(FileListsTest, DriveListHoldsTheOneRoot) {
  auto* drives = new DriveListBox(window.get(), "drvTemp");
  int changes = 0;
  drives->Change = [&] { ++changes; };
  EXPECT_EQ(Lines(*drives), std::vector<std::string>{"/"});
  EXPECT_EQ(drives->Drive(), "/");
  EXPECT_TRUE(drives->SetDrive("/"));
  EXPECT_FALSE(drives->SetDrive("C:"));
  EXPECT_EQ(drives->Drive(), "/");
  EXPECT_EQ(changes, 0);
}

TEST_F(FileListsTest, FolderListShowsTheWayDownAndTheSubfolders) {
  auto* dirs = new DirListBox(window.get(), "dirTemp");
  EXPECT_EQ(dirs->Path(), NormalFolderPath(fs::current_path().string()));
  int changes = 0;
  dirs->Change = [&] { ++changes; };
  ASSERT_TRUE(dirs->SetPath(root + "/"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dirs->Path(), root);
  // The root, each folder down to this one, then its visible subfolders in name order.
  std::vector<std::string> paths;
  for (int32_t i = 0; i < dirs->ListCount(); ++i) paths.push_back(dirs->PathOf(i));
  std::vector<std::string> expected{"/"};
  std::string walk;
  for (const fs::path& part : fs::path(root).relative_path()) expected.push_back(walk += "/" + part.string());
  const size_t current = expected.size() - 1;
  for (const char* sub : {"A", "b", "c.glx"}) expected.push_back(root + "/" + sub);
  EXPECT_EQ(paths, expected);
  EXPECT_EQ(dirs->ListIndex(), static_cast<int32_t>(current));
  EXPECT_EQ(dirs->List(static_cast<int32_t>(current) + 1), std::string((current + 1) * 2, ' ') + "A");

  struct Case {
    std::string path;
    bool taken;
    std::string after;
    int changes;
  } cases[] = {
      {root, true, root, 1},                            // the same folder: read again, no Change
      {root + "/b/../A", true, root + "/A", 2},         // made normal
      {root + "/missing", false, root + "/A", 2},       // refused, nothing changes
      {root + "/x.glx", false, root + "/A", 2},         // a file is no folder
      {"", false, root + "/A", 2},
      {"/", true, "/", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(dirs->SetPath(c.path), c.taken);
    EXPECT_EQ(dirs->Path(), c.after);
    EXPECT_EQ(changes, c.changes);
  }
}

TEST_F(FileListsTest, FolderListFindsAFolderByItsTypedNameAndShowsEvenLines) {
  fs::create_directory(root + "/Bx");
  auto* dirs = new DirListBox(window.get(), "dirTemp");
  ASSERT_TRUE(dirs->SetPath(root));
  window->show();
  const int32_t current = dirs->ListIndex();
  // The root's line and the subfolders' lines have different icons but one height.
  const int rowHeight = dirs->visualItemRect(dirs->item(0)).height();
  for (int32_t i = 1; i < dirs->ListCount(); ++i) EXPECT_EQ(dirs->visualItemRect(dirs->item(i)).height(), rowHeight);

  const int interval = QApplication::keyboardInputInterval();
  struct Case {
    const char* typed;  // in quick succession, after a pause
    const char* found;  // "" the current folder's line
  } cases[] = {
      {"c", "c.glx"},  // the blanks of the indent do not count
      {"a", "A"},      // without regard to letter case
      {"b", "b"},      {"bb", "Bx"}, {"bbb", "b"},  // the same letter steps on, round the list
      {"c.", "c.glx"},  // letters typed together make one name
      {"bx", "Bx"},
      {"zz", ""},  // no such name: the line stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dirs->SetListIndex(current);
    QApplication::setKeyboardInputInterval(0);
    QTest::qWait(2);  // a pause: the first letter starts a new name
    QTest::keyClick(dirs, c.typed[0]);
    QApplication::setKeyboardInputInterval(60000);
    QTest::keyClicks(dirs, c.typed + 1);
    EXPECT_EQ(dirs->PathOf(dirs->ListIndex()), *c.found == 0 ? root : root + "/" + c.found);
    EXPECT_EQ(dirs->Path(), root);  // finding a line opens nothing
  }
  QApplication::setKeyboardInputInterval(interval);
}

TEST_F(FileListsTest, FolderListOpensAFolderByDoubleClickOrEnter) {
  auto* dirs = new DirListBox(window.get(), "dirTemp");
  auto* ok = new CommandButton(window.get(), "cmdOK");
  int oks = 0;
  ok->Click = [&] { ++oks; };
  window->SetDefaultButton(ok);
  ASSERT_TRUE(dirs->SetPath(root));
  window->show();
  const int32_t current = dirs->ListIndex();

  // Enter on a subfolder's line opens it and stays in the list.
  dirs->SetListIndex(current + 2);
  QTest::keyClick(dirs, Qt::Key_Return);
  EXPECT_EQ(dirs->Path(), root + "/b");
  EXPECT_EQ(oks, 0);
  // Enter on the current folder's line goes on to the window's default button.
  QTest::keyClick(dirs, Qt::Key_Return);
  EXPECT_EQ(dirs->Path(), root + "/b");
  EXPECT_EQ(oks, 1);
  // A double click on the parent's line opens the parent.
  const int32_t parent = dirs->ListIndex() - 1;
  const QRect rect = dirs->visualItemRect(dirs->item(parent));
  QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(dirs->Path(), root);
}

TEST_F(FileListsTest, FileListShowsMatchingFilesOnly) {
  auto* files = new FileListBox(window.get(), "filTemp");
  ASSERT_TRUE(files->SetPath(root));
  EXPECT_EQ(files->Pattern(), "*.*");
  EXPECT_EQ(Lines(*files), (std::vector<std::string>{"noext", "w.txt", "x.glx", "x.glx.bak", "Y.GLX", "z.Glx"}));
  files->SetPattern("*.glx");
  // Any letter case; folders and hidden files are left out.
  EXPECT_EQ(Lines(*files), (std::vector<std::string>{"x.glx", "Y.GLX", "z.Glx"}));
  EXPECT_EQ(files->FileName(), "");
  files->SetListIndex(1);
  EXPECT_EQ(files->FileName(), "Y.GLX");
  testsupport::WriteFile(root + "/new.GLX", "1");
  files->Refresh();
  EXPECT_EQ(Lines(*files), (std::vector<std::string>{"new.GLX", "x.glx", "Y.GLX", "z.Glx"}));
  EXPECT_FALSE(files->SetPath(root + "/none"));
  EXPECT_EQ(files->Path(), root);
  ASSERT_TRUE(files->SetPath(root + "/A"));
  EXPECT_EQ(files->ListCount(), 0);
}

TEST_F(FileListsTest, FirstArrowKeyInTheFileListSelectsTheFirstFile) {
  auto* before = new TextBox(window.get(), "txtBefore");
  auto* files = new FileListBox(window.get(), "filTemp");
  int clicks = 0;
  files->Click = [&] { ++clicks; };
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  struct Case {
    const char* pattern;
    Qt::Key key;
    const char* selected;
  } cases[] = {
      {"x.glx", Qt::Key_Down, "x.glx"},  // a folder with one file
      {"*.glx", Qt::Key_Down, "x.glx"},  // with several the first key takes the first, too
      {"*.glx", Qt::Key_Up, "x.glx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + (c.key == Qt::Key_Down ? " down" : " up"));
    before->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(files->SetPath(root));
    files->SetPattern(c.pattern);
    clicks = 0;
    files->setFocus(Qt::TabFocusReason);  // entered by Tab: nothing is selected yet
    EXPECT_EQ(files->ListIndex(), -1);
    QTest::keyClick(files, c.key);
    EXPECT_EQ(files->FileName(), c.selected);
    EXPECT_EQ(clicks, 1);
  }
}

}  // namespace
}  // namespace controls
