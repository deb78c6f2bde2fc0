// A whole-program run under its own X server, with its own settings, data and home folders.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "e2e/xvfb_session.h"
#include "platform/registry_store.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace e2e {

// Every value of a settings store, one "hive|key|name=data" line each, in a fixed order.
inline std::vector<std::string> StoredValues(const std::string& db) {
  std::vector<std::string> rows;
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(h, 5000);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, "SELECT hive || '|' || path || '|' || name || '=' || data FROM reg_values ORDER BY 1", -1,
                           &st, nullptr) == SQLITE_OK) {
      while (sqlite3_step(st) == SQLITE_ROW) rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(h);
  return rows;
}

class ProgramRun : public ::testing::Test {
 protected:
  ProgramRun() = default;
  // A screen of another size (a window larger than the screen cannot be read whole).
  ProgramRun(int width, int height) : x{width, height} {}
  // A server of this kind (Bare: one that has no client of the test's own).
  explicit ProgramRun(XvfbSession::Kind kind) : x{800, 600, kind} {}

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
  // The program with its standard error into a file of the run (ErrorOutput), and the X errors
  // on its connection in it.
  std::unique_ptr<Process> StartLogged(const std::vector<std::string>& args) const {
    std::string command = "exec '" + std::string(ZV_ZORVANE_BIN) + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " 2>'" + home + "/stderr.txt'";
    // Qt reports X errors on its connection only in its xcb debug output.
    std::vector<std::string> env = Env();
    env.push_back("QT_LOGGING_RULES=qt.qpa.xcb.debug=true");
    return std::make_unique<Process>("/bin/sh", std::vector<std::string>{"-c", command}, env);
  }
  std::string ErrorOutput() const { return testsupport::ReadFile(home + "/stderr.txt"); }
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

  // The shown windows of exactly this caption; `wait`: up to 90 s for
  // the first one.
  std::vector<xcb_window_t> WindowsNamed(const std::string& caption, bool wait = false) const {
    std::vector<xcb_window_t> found = x.ShownWindowsNamed(caption);
    for (int i = 0; wait && found.empty() && i < 900; ++i) {
      SleepMs(100);
      found = x.ShownWindowsNamed(caption);
    }
    return found;
  }
  // The first shown window of this caption, waiting for it; 0 when none came.
  xcb_window_t WaitForWindow(const std::string& caption) const {
    const std::vector<xcb_window_t> found = WindowsNamed(caption, true);
    return found.empty() ? 0 : found.front();
  }
  bool Shown(const std::string& caption) const { return !WindowsNamed(caption).empty(); }
  // Whether every shown window of this caption is gone within 30 s.
  bool WaitUntilGone(const std::string& caption) const {
    for (int i = 0; i < 300; ++i) {
      if (!Shown(caption)) return true;
      SleepMs(100);
    }
    return false;
  }
  bool Keys(const std::string& keys) const { return RunCommand(x.display(), "xdotool key " + keys) == 0; }
  // Whether the window has the keyboard within 60 s (keys sent after that reach it).
  bool WaitForFocus(xcb_window_t w) const {
    for (int i = 0; i < 600; ++i) {
      if (x.InputFocus() == w) return true;
      SleepMs(100);
    }
    return false;
  }
  // The first shown window of this caption once it has the keyboard (the program's windows take
  // it themselves as they show); 0 when none came or it did not get the keyboard.
  // A window that is replaced by a new native window while it shows counts under its caption.
  xcb_window_t WaitForKeyboard(const std::string& caption) const {
    if (WaitForWindow(caption) == 0) return 0;
    for (int i = 0; i < 600; ++i) {
      const xcb_window_t focus = x.InputFocus();
      for (xcb_window_t w : WindowsNamed(caption))
        if (w == focus) return w;
      SleepMs(100);
    }
    return 0;
  }
  // Presses `keys` that open a pop-up (a menu) and waits up to 60 s until a new one is shown.
  bool OpenPopup(const std::string& keys) {
    const std::vector<xcb_window_t> before = x.Popups();
    if (!Keys(keys)) return false;
    for (int i = 0; i < 600; ++i) {
      for (xcb_window_t w : x.Popups())
        if (std::find(before.begin(), before.end(), w) == before.end()) return true;
      SleepMs(100);
    }
    return false;
  }
  // Opens a menu by its Alt key, picks an item by its letter and waits for the window it opens.
  bool Choose(const std::string& menu, const std::string& item, const std::string& caption) {
    return OpenPopup(menu) && Keys(item) && WaitForWindow(caption) != 0;
  }
  // The text of a selection ("CLIPBOARD", "PRIMARY") once it is `want`, waiting up to 60 s;
  // else the last text seen.
  std::string WaitForSelection(const std::string& selection, const std::string& want) {
    std::string text;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((text = x.SelectionText(selection)) != want && std::chrono::steady_clock::now() < until) SleepMs(200);
    return text;
  }
  // Gives a window the keyboard (no window manager does it here, e.g. after a modal window);
  // true once it has it.
  bool Focus(xcb_window_t w) const {
    RunCommand(x.display(), "xdotool windowfocus " + std::to_string(w));
    return WaitForFocus(w);
  }
  bool Focus(const std::string& caption) const {
    const std::vector<xcb_window_t> found = WindowsNamed(caption);
    return !found.empty() && Focus(found.front());
  }

  XvfbSession x{800, 600};
  std::string home;
};

}  // namespace e2e
