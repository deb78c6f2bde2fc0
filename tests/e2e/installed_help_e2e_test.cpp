// The program as `cmake --install` puts it in place: its help is under share/zorvane/help of the
// prefix, not beside it, and F1 and the Help menu open the topics from there.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

// The names of the files opened in one folder, in the order the kernel reports them.
class OpenedFiles {
 public:
  explicit OpenedFiles(const std::string& folder) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0) watch_ = inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
  }
  ~OpenedFiles() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return fd_ >= 0 && watch_ >= 0; }
  // The files opened since the last call, added to `names`.
  void TakeInto(std::vector<std::string>& names) {
    alignas(inotify_event) char buf[8192];
    for (;;) {
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
        if (e->len > 0) names.emplace_back(e->name);  // the name is padded with NULs
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }
  std::vector<std::string> Take() {
    std::vector<std::string> names;
    TakeInto(names);
    return names;
  }

 private:
  int fd_ = -1;
  int watch_ = -1;
};

bool IsPage(const std::string& name) { return name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0; }

// The page opened last among `names`, or empty.
std::string LastPage(const std::vector<std::string>& names) {
  const auto page = std::find_if(names.rbegin(), names.rend(), IsPage);
  return page == names.rend() ? std::string() : *page;
}

class InstalledRun : public e2e::ProgramRun {
 protected:
  // A low screen makes a low viewer (it fits the screen), whose page can scroll the topic's anchor
  // to the top even when the rest of the page after it is short.
  InstalledRun() : ProgramRun(800, 360) {}

  // The viewer reads its page in the same turn as it shows its window, so the page's opening may
  // still be on its way when the window is found: the opens are gathered until `page` is the
  // last page opened (up to 30 s), and then they are returned.
  std::vector<std::string> OpensUntilShown(OpenedFiles& opened, const std::string& page) {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
      opened.TakeInto(names);
      if (LastPage(names) == page) break;
      e2e::SleepMs(100);
    }
    return names;
  }

  // The line at the top of the viewer's page, once it is `want` (up to 60 s): three clicks there,
  // at the top right of the window where the page is, select that line, and the selection is
  // read back. A page opened at an anchor is scrolled to put the anchor's line at the top. On a
  // busy machine the clicks can reach the viewer too far apart to count as one triple click (a
  // double click selects only a word), so the three clicks are made again, after a pause longer
  // than the double-click time, until the line is read or the time is up.
  std::string TopLineOfPage(xcb_window_t viewer, const std::string& want) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(x.conn(), xcb_get_geometry(x.conn(), viewer), nullptr);
    if (g == nullptr) return {};
    const int width = g->width;
    std::free(g);
    const std::string click = "xdotool mousemove --window " + std::to_string(viewer) + " " +
                              std::to_string(width - 60) + " 20 click --repeat 3 --delay 100 1";
    std::string line;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < until) {
      e2e::RunCommand(x.display(), click);
      const auto settled = std::chrono::steady_clock::now() + std::chrono::seconds(3);
      do {
        line = x.SelectionText("PRIMARY");
        if (!line.empty() && line.back() == '\n') line.pop_back();  // the selected line's end
        if (line == want) return line;
        e2e::SleepMs(200);
      } while (std::chrono::steady_clock::now() < settled);
      e2e::SleepMs(1000);  // longer than any double-click time, so the next clicks start afresh
    }
    return line;
  }
};

}  // namespace

TEST_F(InstalledRun, F1AndTheHelpMenuOpenTheInstalledHelp) {
  const std::string prefix = home + "/prefix";
  ASSERT_EQ(std::system(("cmake --install '" ZV_BUILD_DIR "' --component zorvane --prefix '" + prefix + "' >/dev/null").c_str()), 0);
  const std::string help = prefix + "/share/zorvane/help";
  ASSERT_TRUE(std::filesystem::is_regular_file(help + "/index.tsv"));
  ASSERT_TRUE(std::filesystem::is_regular_file(help + "/hue_cone.html"));
  ASSERT_TRUE(std::filesystem::is_regular_file(help + "/contents.html"));
  ASSERT_FALSE(std::filesystem::exists(prefix + "/bin/help"));
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));

  OpenedFiles opened(help);
  ASSERT_TRUE(opened.ok());
  // Started from another folder, so nothing of the build tree is near it.
  auto run = std::make_unique<e2e::Process>(prefix + "/bin/zorvane", std::vector<std::string>{"/C"}, Env());
  const xcb_window_t properties = WaitForWindow("Zorvane Properties");
  ASSERT_NE(properties, 0u);
  ASSERT_TRUE(WaitForFocus(properties)) << "the Properties window did not take the keyboard";
  opened.Take();

  // F1 in the hue cone brightness field (focused as the window opens): the viewer reads the
  // installed index, which opens every page for its title, and then shows the field's topic,
  // hue_cone.html#brightness, from the installed folder.
  ASSERT_TRUE(Keys("F1"));
  xcb_window_t viewer = WaitForWindow("Zorvane Help");
  ASSERT_NE(viewer, 0u) << "F1 did not open the help";
  std::vector<std::string> names = OpensUntilShown(opened, "hue_cone.html");
  ASSERT_NE(std::find(names.begin(), names.end(), "index.tsv"), names.end())
      << "the viewer did not read the installed index";
  EXPECT_EQ(LastPage(names), "hue_cone.html") << "F1 did not show the field's page of the installed folder";
  EXPECT_EQ(TopLineOfPage(viewer, "Hue Cone Brightness"), "Hue Cone Brightness")
      << "the page was not shown at the field's anchor";

  // Help > Contents from the window: the contents page, from the same folder, from its top.
  EXPECT_TRUE(Focus("Zorvane Help")) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Zorvane Help"));
  EXPECT_TRUE(Focus(properties)) << "the window did not take the keyboard";
  ASSERT_TRUE(WaitForFocus(properties)) << "the Properties window did not take the keyboard back";
  ASSERT_TRUE(Choose("alt+h", "c", "Zorvane Help"));
  viewer = WaitForWindow("Zorvane Help");
  ASSERT_NE(viewer, 0u);
  names = OpensUntilShown(opened, "contents.html");
  EXPECT_EQ(LastPage(names), "contents.html") << "Help > Contents did not show the installed contents page";
  EXPECT_EQ(TopLineOfPage(viewer, "Zorvane Help"), "Zorvane Help") << "the contents page was not shown from its top";

  ASSERT_TRUE(run->Signal(SIGTERM));
  EXPECT_TRUE(run->WaitFor(45000));
}
