#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/help_folder.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The help folder beside the executable (the build tree) comes first; an installed program finds
// it under share/zorvane/help of its prefix.
TEST(HelpFolder, BesideTheProgramThenUnderTheInstalledShareFolder) {
  const std::string root = testsupport::MakeTempDir();
  ASSERT_FALSE(root.empty());
  fs::create_directories(root + "/build/src/help");
  fs::create_directories(root + "/prefix/bin");
  fs::create_directories(root + "/prefix/share/zorvane/help");
  fs::create_directories(root + "/bare/bin");
  // A file named help is not the help folder.
  testsupport::WriteFile(root + "/prefix/bin/help", "");
  const struct {
    std::string program, help;
  } cases[] = {
      {root + "/build/src", root + "/build/src/help"},
      {root + "/build/src/", root + "/build/src/help"},
      {root + "/prefix/bin", root + "/prefix/share/zorvane/help"},
      {root + "/prefix/bin/", root + "/prefix/share/zorvane/help"},
      {root + "/bare/bin", root + "/bare/bin/help"},  // neither: where the viewer reports it missing
  };
  for (const auto& c : cases) EXPECT_EQ(fs::path(host::HelpFolderOf(c.program)).lexically_normal(), fs::path(c.help)) << c.program;
}

}  // namespace
