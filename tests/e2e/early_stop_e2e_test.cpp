// Stop requests that come before a run has started: they are held and end that run as it would
// start, from the program's first moments on.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class EarlyStopRun : public e2e::ProgramRun {
 protected:
  std::string StorePath() const { return home + "/config/zorvane/registry.sqlite3"; }

  // Waits up to 45 s for the end, noting whether a window of `caption` was ever shown meanwhile.
  bool EndsWithout(e2e::Process& p, const std::string& caption, bool& shown) const {
    shown = false;
    for (int i = 0; i < 150; ++i) {
      if (p.WaitFor(300)) return true;
      shown = shown || Shown(caption);
    }
    return false;
  }
};

// Whether the process has its SIGTERM handler in place (the caught-signals mask of /proc).
bool CatchesSigterm(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
    return (mask >> (SIGTERM - 1)) & 1u;
  }
  return false;
}

}  // namespace

// A template that cannot be read shows its message; a stop signal then answers the box, and the
// saver does not start: the program ends with status 0.
TEST_F(EarlyStopRun, AStopDuringTheTemplatesMessageEndsTheRunBeforeTheSaverStarts) {
  const std::string missing = home + "/missing.glx";
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(sig);
    auto run = Start({missing});
    ASSERT_NE(WaitForWindow("Zorvane"), 0u) << "the template's message did not show";
    e2e::SleepMs(500);
    ASSERT_TRUE(run->Signal(sig));
    bool saverShown = false;
    ASSERT_TRUE(EndsWithout(*run, "ZIDI:Zorvane 6.0", saverShown)) << "the saver ran after the stop";
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_FALSE(saverShown);
  }
}

// A first run's welcome window: a stop signal closes it as its OK does and the Properties window
// is never shown; what is stored is what OK followed by Cancel stores.
TEST_F(EarlyStopRun, AStopDuringTheWelcomeWindowEndsTheDialogAsCancelDoes) {
  // What the user's OK and then Cancel store.
  auto answered = Start({"/C"});
  ASSERT_NE(WaitForWindow("Welcome to Zorvane"), 0u);
  ASSERT_TRUE(Focus("Welcome to Zorvane")) << "the welcome window did not take the keyboard";
  ASSERT_TRUE(Keys("Return"));
  ASSERT_NE(WaitForWindow("Zorvane Properties"), 0u) << "OK did not lead to the Properties window";
  e2e::SleepMs(1000);
  ASSERT_TRUE(answered->Signal(SIGTERM));  // closes the window as Cancel does (tested elsewhere)
  ASSERT_TRUE(answered->WaitFor(45000));
  const std::vector<std::string> cancelled = e2e::StoredValues(StorePath());
  ASSERT_FALSE(cancelled.empty());

  for (int sig : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(sig);
    std::filesystem::remove_all(home + "/config");
    auto run = Start({"/C"});
    ASSERT_NE(WaitForWindow("Welcome to Zorvane"), 0u);
    e2e::SleepMs(500);
    ASSERT_TRUE(run->Signal(sig));
    bool dialogShown = false;
    ASSERT_TRUE(EndsWithout(*run, "Zorvane Properties", dialogShown)) << "the stop was not carried out";
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_FALSE(dialogShown) << "the Properties window was shown after the stop";
    EXPECT_EQ(e2e::StoredValues(StorePath()), cancelled);
  }
}

// A stop signal as soon as the program's handlers are in place, before its windows exist: the
// saver never starts, the dialog never shows, and the end is the stop's (status 0), not the
// signal's.
TEST_F(EarlyStopRun, AStopInTheProgramsFirstMomentsIsHeld) {
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  struct Case {
    std::vector<std::string> args;
    const char* caption;
  };
  for (const Case& c : {Case{{"/S"}, "ZIDI:Zorvane 6.0"}, Case{{"/C"}, "Zorvane Properties"}}) {
    SCOPED_TRACE(c.caption);
    auto run = Start(c.args);
    bool caught = false;
    // As soon as the handler is there: the program has not got far into its start by then.
    for (int i = 0; i < 200000 && !caught; ++i) caught = CatchesSigterm(run->pid());
    ASSERT_TRUE(caught) << "the program never caught SIGTERM";
    ASSERT_TRUE(run->Signal(SIGTERM));
    bool shown = false;
    ASSERT_TRUE(EndsWithout(*run, c.caption, shown));
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_FALSE(shown);
  }
}
