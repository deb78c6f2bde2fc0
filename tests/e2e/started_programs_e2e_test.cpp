// A program that the Properties window starts (here the desktop's opener of a web page) gets the
// signal dispositions the system gives, not the program's own: nothing it ignores or blocks is
// inherited.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

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
  // An opener of our own on the program's PATH notes its own signal masks.
  const std::string bin = home + "/bin";
  std::filesystem::create_directories(bin);
  const std::string noted = home + "/opener-status";
  {
    std::ofstream opener(bin + "/xdg-open");
    opener << "#!/bin/sh\ncat /proc/$$/status > '" << noted << ".part' && mv '" << noted << ".part' '" << noted
           << "'\n";
  }
  std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
  const char* path = std::getenv("PATH");
  std::vector<std::string> env = Env();
  env.push_back("PATH=" + bin + ":" + (path ? path : "/usr/bin:/bin"));
  e2e::Process run(ZV_ZORVANE_BIN, {"/C"}, env);

  ASSERT_NE(WaitForWindow("Zorvane Properties"), 0u);
  e2e::SleepMs(1000);
  Focus("Zorvane Properties");
  ASSERT_TRUE(Keys("alt+h"));
  e2e::SleepMs(300);
  ASSERT_TRUE(Keys("z"));  // ZORV Home Page
  for (int i = 0; i < 150 && !std::filesystem::exists(noted); ++i) e2e::SleepMs(100);
  const std::string status = ReadAll(noted);
  ASSERT_FALSE(status.empty()) << "the opener was not started";

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
