// A program that the Properties window starts (here the desktop's opener of a web page) gets the
// signal dispositions the system gives, not the program's own: nothing it ignores or blocks is
// inherited.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

// The "SigIgn:" or "SigBlk:" mask of a /proc status text; all bits set when it is missing.
unsigned long long Mask(const std::string& status, const std::string& field) {
  const size_t at = status.find(field + ":");
  if (at == std::string::npos) return ~0ULL;
  return std::stoull(status.substr(at + field.size() + 1), nullptr, 16);
}

bool Has(unsigned long long mask, int sig) { return (mask >> (sig - 1)) & 1u; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StartedProgramRun : public e2e::ProgramRun {};

}  // namespace

TEST_F(StartedProgramRun, TheDesktopsOpenerGetsTheSystemsSignalDispositions) {
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  // The opener on the program's PATH is a program that notes its own signal masks as it starts,
  // before it could start anything that changes them.
  const std::string bin = home + "/bin";
  std::filesystem::create_directories(bin);
  std::filesystem::create_symlink(ZV_STATUS_NOTER_BIN, bin + "/xdg-open");
  const std::string noted = home + "/opener-status";
  const char* path = std::getenv("PATH");
  std::vector<std::string> env = Env();
  env.push_back("PATH=" + bin + ":" + (path ? path : "/usr/bin:/bin"));
  env.push_back("ZV_NOTED_STATUS=" + noted);
  e2e::Process run(ZV_ZORVANE_BIN, {"/C"}, env);

  const xcb_window_t window = WaitForWindow("Zorvane Properties");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitForFocus(window)) << "the Properties window did not take the keyboard";
  ASSERT_TRUE(OpenPopup("alt+h")) << "the Help menu did not open";
  ASSERT_TRUE(Keys("z"));  // ZORV Home Page
  for (int i = 0; i < 600 && !std::filesystem::exists(noted); ++i) e2e::SleepMs(100);
  const std::string status = ReadAll(noted);
  ASSERT_FALSE(status.empty()) << "the opener was not started";
  ASSERT_NE(status.find("SigBlk:"), std::string::npos) << status;
  ASSERT_NE(status.find("SigIgn:"), std::string::npos) << status;

  // What this test program ignores itself reaches the program it starts, and so the opener:
  // only what the program adds is the program's.
  const std::string own = ReadAll("/proc/self/status");
  const unsigned long long ignored = Mask(status, "SigIgn"), blocked = Mask(status, "SigBlk");
  for (int sig : {SIGXFSZ, SIGPIPE, SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(sig);
    if (!Has(Mask(own, "SigIgn"), sig)) {
      EXPECT_FALSE(Has(ignored, sig)) << "ignored in the started program";
    }
    if (!Has(Mask(own, "SigBlk"), sig)) {
      EXPECT_FALSE(Has(blocked, sig)) << "blocked in the started program";
    }
  }
  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_TRUE(run.WaitFor(45000));
}
