// A whole-program run under its own X server, with its own settings, data and home folders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "e2e/xvfb_session.h"
#include "platform/registry_store.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace e2e {

class ProgramRun : public ::testing::Test {
 protected:
  ProgramRun() = default;
  // A screen of another size (a window larger than the screen cannot be read whole).
  ProgramRun(int width, int height) : x{width, height} {}

  void SetUp() override {
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    home = testsupport::MakeTempDir();
    // A private temporary and runtime folder: the single-instance channel of the program lives
    // there, so runs of other test programs on the machine cannot be taken for an open window.
    std::filesystem::create_directories(home + "/tmp");
    std::filesystem::create_directories(home + "/runtime");
    std::filesystem::permissions(home + "/runtime", std::filesystem::perms::owner_all);
  }
  void TearDown() override { std::filesystem::remove_all(home); }

  std::vector<std::string> Env() const {
    return {"DISPLAY=" + x.display(), "QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + home + "/config",
            "XDG_DATA_HOME=" + home + "/data", "HOME=" + home, "TMPDIR=" + home + "/tmp",
            "XDG_RUNTIME_DIR=" + home + "/runtime", "ASAN_OPTIONS=detect_leaks=0"};
  }
  std::unique_ptr<Process> Start(const std::vector<std::string>& args) const {
    return std::make_unique<Process>(ZV_ZORVANE_BIN, args, Env());
  }
  // Runs `use` with this run's settings store open in the test process.
  template <typename F>
  auto WithStore(F use) const {
    testsupport::ScopedEnv env("XDG_CONFIG_HOME", home + "/config");
    platform::ResetRegistry();
    auto result = use();
    platform::ResetRegistry();
    return result;
  }
  // Reads a stored setting of this run's user.
  int32_t StoredLong(const char* section, const char* key, int32_t def) const {
    return WithStore([&] { return store::GetSettingLong(section, key, def); });
  }

  XvfbSession x{800, 600};
  std::string home;
};

}  // namespace e2e
