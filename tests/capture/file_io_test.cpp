#include "capture/file_io.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "platform/file_dialog.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/file_dialog_double.h"
#include "support/test_support.h"

namespace {

using capture::clsFileIO;
using platform::FileDialogKind;

const std::string kNul(1, '\0');

class FileIOTest : public ::testing::Test {
 protected:
  testsupport::TempConfig config;
  testsupport::FileDialogDouble dialogs;
};

TEST_F(FileIOTest, CreationDefaultsAndStoredFolder) {
  {
    clsFileIO io;
    EXPECT_TRUE(io.FileMustExist());
    EXPECT_FALSE(io.MultiSelect());
    EXPECT_FALSE(io.ReadOnly());
    EXPECT_TRUE(io.HideReadOnly());
    EXPECT_TRUE(io.OverwritePrompt());
    EXPECT_EQ(io.OwnerHwnd(), -1);
    EXPECT_EQ(io.FilterIndex(), 0);
    EXPECT_EQ(io.Flags(), 0);
    EXPECT_EQ(io.InitDirectory(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
  }
  store::SaveRegSetting("Video", "DefaultDirectory", "/srv/clips/");
  clsFileIO io;
  EXPECT_EQ(io.InitDirectory(), "/srv/clips/");
  io.InitDirectorySpecial(capture::kFolderVideos);
  EXPECT_EQ(io.InitDirectory(), QStandardPaths::writableLocation(QStandardPaths::MoviesLocation).toStdString());
  EXPECT_EQ(clsFileIO::GetSpecialFolderLocation(12345), "");
}

TEST_F(FileIOTest, FlagsPassedToTheDialogs) {
  struct Case {
    bool save, mustExist, multi, hideRO, overwrite;
    int32_t flags, expected;
  };
  for (const Case& c : {
           Case{false, true, false, true, true, 0, 4096 | 4},
           Case{false, false, true, false, true, 32 | 64 | 8, 512 | 8},
           Case{false, true, true, true, false, 4096, 4096 | 512 | 4},
           Case{true, true, true, false, true, 32 | 0x80000, 2 | 4 | 0x80000},
           Case{true, true, false, true, false, 0, 4},
       }) {
    clsFileIO io;
    io.FileMustExist(c.mustExist);
    io.MultiSelect(c.multi);
    io.HideReadOnly(c.hideRO);
    io.OverwritePrompt(c.overwrite);
    io.Flags(c.flags);
    std::string name = "x";
    if (c.save) {
      io.VBGetSaveFileName(name);
    } else {
      io.VBGetOpenFileName(name);
    }
    ASSERT_FALSE(dialogs.requests.empty());
    EXPECT_EQ(dialogs.requests.back().flags, c.expected);
    EXPECT_EQ(dialogs.requests.back().kind, c.save ? FileDialogKind::Save : FileDialogKind::Open);
    EXPECT_EQ(dialogs.requests.back().owner, 0);  // OwnerHwnd -1: no owner
  }
}

TEST_F(FileIOTest, FilterPairsAndTheChosenPair) {
  EXPECT_EQ(clsFileIO::GetPadFilter("AVI Files|*.avi"), "AVI Files" + kNul + "*.avi");
  EXPECT_EQ(clsFileIO::GetPadFilter("a:b|c"), "a" + kNul + "b" + kNul + "c");

  clsFileIO io;
  io.Filter("AVI Files|*.avi");
  io.DefaultExt("AVI");
  io.DlgTitle("Choose a filename to save AVI to...");
  io.OwnerHwnd(77);
  dialogs.Accept("/tmp/videos/clip.avi", 1);
  std::string name = "/old/name.avi";
  ASSERT_TRUE(io.VBGetSaveFileName(name));
  const auto& req = dialogs.requests.back();
  ASSERT_EQ(req.filters.size(), 1u);
  EXPECT_EQ(req.filters[0].first, "AVI Files");
  EXPECT_EQ(req.filters[0].second, "*.avi");
  EXPECT_EQ(req.filterIndex, 0);
  EXPECT_EQ(req.defaultExtension, "AVI");
  EXPECT_EQ(req.title, "Choose a filename to save AVI to...");
  EXPECT_EQ(req.fileName, "/old/name.avi");
  EXPECT_EQ(req.owner, 77);
  EXPECT_EQ(name, "/tmp/videos/clip.avi");
  EXPECT_EQ(io.FilterIndex(), 1);
  EXPECT_EQ(io.Filter(), "AVI Files" + kNul + "*.avi");

  // Several types, the second chosen; a description with ":" is split at it.
  io.Filter("Templates (*.glx)|*.glx|All Files (*.*)|*.*|");
  io.FilterIndex(2);
  dialogs.Accept("/tmp/a.txt", 2);
  ASSERT_TRUE(io.VBGetOpenFileName(name));
  EXPECT_EQ(dialogs.requests.back().filters.size(), 2u);
  EXPECT_EQ(dialogs.requests.back().filterIndex, 2);
  EXPECT_EQ(io.Filter(), "All Files (*.*)" + kNul + "*.*");
  io.Filter("Video: AVI|*.avi");
  dialogs.Accept("/tmp/b.avi", 2);
  ASSERT_TRUE(io.VBGetOpenFileName(name));
  const auto& split = dialogs.requests.back().filters;
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0], std::make_pair(std::string("Video"), std::string(" AVI")));
  EXPECT_EQ(io.Filter(), "");  // the pattern alone is no pair
  io.Filter("AVI Files|*.avi");
  dialogs.Accept("/tmp/c.avi", 3);  // past the last pair
  ASSERT_TRUE(io.VBGetOpenFileName(name));
  EXPECT_EQ(io.Filter(), "");
}

TEST_F(FileIOTest, SaveStoresTheFolderAndTheNextDialogStartsThere) {
  clsFileIO io;
  dialogs.Accept("/home/u/Videos/clip.avi");
  std::string name;
  ASSERT_TRUE(io.VBGetSaveFileName(name));
  EXPECT_EQ(io.InitDirectory(), "/home/u/Videos/");
  EXPECT_EQ(store::GetSettingString("Video", "DefaultDirectory", ""), "/home/u/Videos/");
  io.VBGetSaveFileName(name);
  EXPECT_EQ(dialogs.requests.back().initialDirectory, "/home/u/Videos/");

  // The open dialog moves the folder too, but stores nothing.
  dialogs.Accept("/data/other/x.avi", 1, platform::kOfnReadOnly);
  ASSERT_TRUE(io.VBGetOpenFileName(name));
  EXPECT_EQ(io.InitDirectory(), "/data/other/");
  EXPECT_TRUE(io.ReadOnly());
  EXPECT_EQ(io.Flags(), platform::kOfnReadOnly);
  EXPECT_EQ(store::GetSettingString("Video", "DefaultDirectory", ""), "/home/u/Videos/");
}

TEST_F(FileIOTest, CancelLeavesTheFileNameAsItWas) {
  clsFileIO io;
  io.Filter("AVI Files|*.avi");
  io.Flags(8);
  io.FilterIndex(1);
  std::string name = "/keep/this.avi";
  EXPECT_FALSE(io.VBGetSaveFileName(name));
  EXPECT_EQ(name, "/keep/this.avi");
  EXPECT_EQ(io.FilterIndex(), 0);
  EXPECT_EQ(io.Flags(), 0);
  EXPECT_EQ(io.Filter(), kNul);
  EXPECT_EQ(store::GetSettingString("Video", "DefaultDirectory", "none"), "none");

  io.Filter("AVI Files|*.avi");
  EXPECT_FALSE(io.VBGetOpenFileNamePreview(name));
  EXPECT_EQ(dialogs.requests.back().kind, FileDialogKind::OpenPreview);
  EXPECT_EQ(name, "/keep/this.avi");
  EXPECT_EQ(io.FilterIndex(), -1);

  // Names too long for the dialog are refused like a cancel, without showing it.
  const size_t shown = dialogs.requests.size();
  std::string longName(1025, 'a');
  EXPECT_FALSE(io.VBGetOpenFileName(longName));
  EXPECT_FALSE(io.VBGetSaveFileName(name, std::string(513, 't')));
  EXPECT_EQ(dialogs.requests.size(), shown);
}

TEST(FileIO, FileTitle) {
  EXPECT_EQ(clsFileIO::VBGetFileTitle("/home/u/clip.avi"), "clip.avi");
  EXPECT_EQ(clsFileIO::VBGetFileTitle("clip.avi"), "clip.avi");
  EXPECT_EQ(clsFileIO::VBGetFileTitle("/home/u/"), "");
  EXPECT_EQ(clsFileIO::VBGetFileTitle(""), "");
}

}  // namespace
