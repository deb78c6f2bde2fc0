#include "host/caption_channel.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QWidget>
#include <cstring>
#include <filesystem>
#include <memory>

#include "host/qt_test_app.h"
#include "support/test_support.h"

using namespace host;

TEST(CaptionChannel, AnOpenWindowIsFoundByItsCaptionUntilItCloses) {
  testsupport::EnsureQtApplication();
  // A runtime folder of this test's own.
  const std::string runtimeDir = testsupport::MakeTempDir();
  chmod(runtimeDir.c_str(), 0700);
  testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir);
  const std::string caption = "Zorvane channel test " + std::to_string(QCoreApplication::applicationPid());
  EXPECT_FALSE(IsWindowOpen(caption));
  EXPECT_FALSE(BringWindowToFront(caption));
  QWidget window;
  {
    auto channel = std::make_unique<CaptionChannel>(&window, caption);
    ASSERT_TRUE(channel->listening());
    EXPECT_TRUE(IsWindowOpen(caption));
    EXPECT_TRUE(BringWindowToFront(caption));
    EXPECT_FALSE(IsWindowOpen(caption + " other"));
    // A second window of the same caption is refused while the first listens, and going away
    // it leaves the first one findable.
    {
      QWidget second;
      CaptionChannel duplicate(&second, caption);
      EXPECT_FALSE(duplicate.listening());
    }
    EXPECT_TRUE(IsWindowOpen(caption));
  }
  EXPECT_FALSE(IsWindowOpen(caption));
  EXPECT_NE(CaptionChannelName("a"), CaptionChannelName("b"));
  EXPECT_TRUE(CaptionChannelName("a").startsWith(QString::fromStdString(runtimeDir) + "/"));
  std::filesystem::remove_all(runtimeDir);
}

namespace {

constexpr uid_t kOtherUid = 65534;

// A listener of another user at `socketPath`, in a child process. With `lockPath` it also holds
// that lock file, as a window of the caption would. `switchFirst`: the child is the other user
// from the start; otherwise it binds (and locks) as this user and becomes the other user only
// before listening, so its socket answers with the other user's credentials.
class Squatter {
 public:
  Squatter(const std::string& socketPath, const std::string& lockPath, bool switchFirst) {
    int ready[2];
    if (pipe(ready) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      const auto become = [] { return setresgid(kOtherUid, kOtherUid, kOtherUid) == 0 && setresuid(kOtherUid, kOtherUid, kOtherUid) == 0; };
      if (switchFirst && !become()) _exit(1);
      const int s = socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un addr{};
      addr.sun_family = AF_UNIX;
      std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
      if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) _exit(1);
      if (!lockPath.empty()) {
        const int l = open(lockPath.c_str(), O_RDWR | O_CREAT, 0666);
        if (l < 0 || flock(l, LOCK_EX) != 0) _exit(1);
      }
      if (!switchFirst && !become()) _exit(1);
      if (listen(s, 8) != 0) _exit(1);
      const char c = 1;
      if (write(ready[1], &c, 1) != 1) _exit(1);
      for (;;) {
        const int peer = accept(s, nullptr, nullptr);
        if (peer < 0) pause();
      }
    }
    close(ready[1]);
    char c = 0;
    ok_ = pid_ > 0 && read(ready[0], &c, 1) == 1;
    close(ready[0]);
  }
  ~Squatter() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  bool ok() const { return ok_; }

 private:
  pid_t pid_ = -1;
  bool ok_ = false;
};

std::string HashedName(const std::string& caption) {
  const QString path = CaptionChannelName(caption);
  return path.mid(path.lastIndexOf('/') + 1).toStdString();
}

}  // namespace

// Sockets another local user made where the channel used to live, or in folders that are not
// the user's own, are neither found nor obeyed: the caption can be claimed and listened for.
TEST(CaptionChannel, AnotherUsersSocketsAreNotTakenForAnOpenWindow) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  testsupport::EnsureQtApplication();
  const std::string caption = "Zorvane squat test " + std::to_string(QCoreApplication::applicationPid());
  const std::string root = testsupport::MakeTempDir();
  const std::string shared = root + "/shared", priv = root + "/private", open = root + "/open";
  for (const std::string& d : {shared, priv, open}) std::filesystem::create_directory(d);
  chmod(root.c_str(), 0755);
  chmod(shared.c_str(), 01777);
  chmod(priv.c_str(), 0700);
  chmod(open.c_str(), 0777);
  const std::string own = shared + "/zorvane-" + std::to_string(geteuid());
  testsupport::ScopedEnv tmp("TMPDIR", shared);
  std::string name;
  {
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", priv);
    name = HashedName(caption);
  }
  struct Case {
    const char* what;
    std::string runtimeDir;  // XDG_RUNTIME_DIR ("" unset)
    std::string squatFolder;  // where the other user's listener sits
    bool squatterOwnsFolder;  // the other user made the user's own temporary folder first
    bool channelExpected;     // a private folder remains for the channel
  };
  const Case cases[] = {
      {"the old per-user name in the shared temporary folder", priv, shared, false, true},
      {"the user's own temporary folder made by another user", "", own, true, false},
      {"a runtime folder others can write", open, open, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(own);
    if (c.squatterOwnsFolder) {
      std::filesystem::create_directory(own);
      ASSERT_EQ(chown(own.c_str(), kOtherUid, kOtherUid), 0);
      chmod(own.c_str(), 0777);
    }
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", c.runtimeDir);
    // The old name (user id and hash) and the channel's own name, each with its lock.
    Squatter oldName(c.squatFolder + "/zorvane-" + std::to_string(geteuid()) + "-" + name.substr(8), "", true);
    Squatter newName(c.squatFolder + "/" + name, c.squatFolder + "/" + name + ".lock", true);
    ASSERT_TRUE(oldName.ok() && newName.ok());
    EXPECT_FALSE(IsWindowOpen(caption));
    EXPECT_FALSE(BringWindowToFront(caption));
    EXPECT_TRUE(ClaimCaption(caption));
    QWidget window;
    CaptionChannel channel(&window, caption);
    EXPECT_EQ(channel.listening(), c.channelExpected);
    EXPECT_EQ(IsWindowOpen(caption), c.channelExpected);
    EXPECT_EQ(CaptionChannelFolder().isEmpty(), !c.channelExpected);
  }
  ReleaseCaptionClaims();
  std::filesystem::remove_all(root);
}

// A listener in the user's private folder that answers with another user's credentials (it
// switched user after taking the lock) is not taken for the user's window, and the peer check
// reads the user of each end.
TEST(CaptionChannel, APeerOfAnotherUserIsNotBelieved) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  testsupport::EnsureQtApplication();
  const std::string caption = "Zorvane peer test " + std::to_string(QCoreApplication::applicationPid());
  const std::string root = testsupport::MakeTempDir();
  chmod(root.c_str(), 0700);
  testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", root);
  const std::string path = CaptionChannelName(caption).toStdString();
  {
    Squatter other(path, path + ".lock", false);
    ASSERT_TRUE(other.ok());
    EXPECT_FALSE(IsWindowOpen(caption));
    EXPECT_FALSE(BringWindowToFront(caption));
    // The lock is held, but not by a window of this user: this start opens its own window.
    EXPECT_TRUE(ClaimCaption(caption));
    QLocalSocket s;
    s.connectToServer(QString::fromStdString(path));
    ASSERT_TRUE(s.waitForConnected(2000));
    EXPECT_EQ(PeerUid(static_cast<int>(s.socketDescriptor())), static_cast<long>(kOtherUid));
  }
  ReleaseCaptionClaims();
  QWidget window;
  CaptionChannel channel(&window, caption);
  ASSERT_TRUE(channel.listening());
  QLocalSocket s;
  s.connectToServer(QString::fromStdString(path));
  ASSERT_TRUE(s.waitForConnected(2000));
  EXPECT_EQ(PeerUid(static_cast<int>(s.socketDescriptor())), static_cast<long>(geteuid()));
  EXPECT_EQ(PeerUid(-1), -1);
  std::filesystem::remove_all(root);
}
