// The program as `cmake --install` puts it in place: its help is under share/zorvane/help of the
// prefix, not beside it, and F1 and the Help menu open the topics from there.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

// The names of the files opened in one folder, as the kernel reports them.
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
  // The files opened since the last call.
  std::set<std::string> Take() {
    std::set<std::string> names;
    alignas(inotify_event) char buf[8192];
    for (;;) {
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
        if (e->len > 0) names.insert(e->name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    return names;
  }

 private:
  int fd_ = -1;
  int watch_ = -1;
};

bool HasTopic(const std::set<std::string>& names) {
  for (const std::string& n : names)
    if (n.size() > 5 && n.compare(n.size() - 5, 5, ".html") == 0) return true;
  return false;
}

class InstalledRun : public e2e::ProgramRun {};

}  // namespace

TEST_F(InstalledRun, F1AndTheHelpMenuOpenTheInstalledHelp) {
  const std::string prefix = home + "/prefix";
  ASSERT_EQ(std::system(("cmake --install '" ZV_BUILD_DIR "' --component zorvane --prefix '" + prefix + "' >/dev/null").c_str()), 0);
  const std::string help = prefix + "/share/zorvane/help";
  ASSERT_TRUE(std::filesystem::is_regular_file(help + "/index.tsv"));
  ASSERT_FALSE(std::filesystem::exists(prefix + "/bin/help"));
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));

  OpenedFiles opened(help);
  ASSERT_TRUE(opened.ok());
  // Started from another folder, so nothing of the build tree is near it.
  auto run = std::make_unique<e2e::Process>(prefix + "/bin/zorvane", std::vector<std::string>{"/C"}, Env());
  ASSERT_NE(WaitForWindow("Zorvane Properties"), 0u);
  e2e::SleepMs(1000);
  opened.Take();

  // F1 in the window: the viewer reads the index and the topic from the installed folder.
  Focus("Zorvane Properties");
  ASSERT_TRUE(Keys("F1"));
  ASSERT_NE(WaitForWindow("Zorvane Help"), 0u) << "F1 did not open the help";
  e2e::SleepMs(500);
  std::set<std::string> names = opened.Take();
  EXPECT_TRUE(names.count("index.tsv")) << "the viewer did not read the installed index";
  EXPECT_TRUE(HasTopic(names)) << "the viewer did not open a topic of the installed folder";

  // Help > Contents from the window: the contents page, from the same folder.
  Focus("Zorvane Help");
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Zorvane Help"));
  Focus("Zorvane Properties");
  ASSERT_TRUE(Choose("alt+h", "c", "Zorvane Help"));
  e2e::SleepMs(500);
  EXPECT_TRUE(HasTopic(opened.Take())) << "Help > Contents did not open the installed contents page";

  ASSERT_TRUE(run->Signal(SIGTERM));
  EXPECT_TRUE(run->WaitFor(45000));
}
