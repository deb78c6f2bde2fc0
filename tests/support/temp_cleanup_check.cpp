// Run by temp_cleanup_check.sh, never on its own: one test fails on purpose, and the script checks
// that the run leaves none of the folders it made behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string firstTestsFolder;

TEST(TempFolders, AFailingTestMakesAFolder) {
  firstTestsFolder = testsupport::MakeTempDir();
  ASSERT_FALSE(firstTestsFolder.empty());
  fs::create_directories(firstTestsFolder + "/nested");
  testsupport::WriteFile(firstTestsFolder + "/nested/file", "bytes");
  ADD_FAILURE() << "fails on purpose";
}

TEST(TempFolders, TheFolderIsGoneWhenTheNextTestStarts) {
  ASSERT_FALSE(firstTestsFolder.empty());
  EXPECT_FALSE(fs::exists(firstTestsFolder));
}

// A folder of the suite's set-up lives until the program ends.
class SuiteFolder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { folder = testsupport::MakeTempDir(); }
  static inline std::string folder;
};

TEST_F(SuiteFolder, StaysForTheFirstTest) { EXPECT_TRUE(fs::is_directory(folder)); }
TEST_F(SuiteFolder, StaysForTheNextTest) { EXPECT_TRUE(fs::is_directory(folder)); }

}  // namespace
