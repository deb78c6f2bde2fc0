// Whole-program runs whose display is lost after the program's own check: the toolkit is refused,
// its connection is cut while it starts, or the X server ends while a window is shown. Every run
// ends with the one line of a missing display and status 1. And a display that answers is never
// lost by the start itself: an X server with no other client resets whenever its last client
// leaves, and drops the connections made while it resets.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/program_run.h"

namespace {

using Clock = std::chrono::steady_clock;

// A stand-in X server on a loopback TCP port (display 127.0.0.1:N). It passes the first `passed`
// connections on to a real X server (its unix socket) and closes every later one as soon as it
// comes. With `cutAfter` >= 0, the last passed connection is cut (both ways) once the real server
// has sent that many bytes through it. With `slowToSeeLeave`, it stands for a server slow to see
// a client leave: the real server sees a passed connection end only when the next connection
// comes, at the same moment. Everything ends within two minutes, or when it is destroyed.
class StandInServer {
 public:
  StandInServer(const std::string& realDisplay, int passed, long cutAfter = -1, bool slowToSeeLeave = false)
      : socketPath_("/tmp/.X11-unix/X" + realDisplay.substr(realDisplay.find(':') + 1)),
        passed_(passed),
        cutAfter_(cutAfter),
        slowToSeeLeave_(slowToSeeLeave),
        deadline_(Clock::now() + std::chrono::minutes(2)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) return;
    // A display number whose port nobody listens on.
    for (int n = 150 + static_cast<int>(getpid() % 300); n < 1000 && display_.empty(); ++n) {
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_port = htons(static_cast<uint16_t>(6000 + n));
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      if (bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) display_ = "127.0.0.1:" + std::to_string(n);
    }
    if (display_.empty() || listen(listener_, 8) != 0) {
      display_.clear();
      return;
    }
    acceptor_ = std::thread([this] { Accept(); });
  }
  ~StandInServer() {
    stop_ = true;
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& t : pumps_) t.join();
    for (int fd : sockets_) close(fd);
    if (listener_ >= 0) close(listener_);
  }
  bool ok() const { return !display_.empty(); }
  const std::string& display() const { return display_; }
  // The connections that came, passed or closed.
  int connections() const { return connections_; }

 private:
  bool Over() const { return stop_ || Clock::now() > deadline_; }

  void Accept() {
    while (!Over()) {
      pollfd p{listener_, POLLIN, 0};
      if (poll(&p, 1, 100) != 1) continue;
      const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      const int n = ++connections_;
      if (n > passed_) {
        close(client);
        continue;
      }
      const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_un a{};
      a.sun_family = AF_UNIX;
      socketPath_.copy(a.sun_path, sizeof a.sun_path - 1);
      if (server < 0 || connect(server, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(client);
        if (server >= 0) close(server);
        continue;
      }
      sockets_.push_back(client);
      sockets_.push_back(server);
      // The real server sees the connections that ended before this one end now, before this
      // one has said a word.
      ReleaseHeld();
      const long cut = n == passed_ ? cutAfter_ : -1;
      pumps_.emplace_back([this, client, server] { Pass(client, server, -1, server); });
      pumps_.emplace_back([this, client, server, cut] { Pass(server, client, cut, server); });
    }
  }

  // Copies from `from` to `to` until either side ends, at most `limit` bytes (when >= 0); then
  // shuts both down, so the other direction ends as well; a server slow to see a client leave
  // keeps its side (`server`) until the next connection comes.
  void Pass(int from, int to, long limit, int server) {
    long total = 0;
    char buffer[65536];
    bool open = true;
    while (open && !Over() && (limit < 0 || total < limit)) {
      pollfd p{from, POLLIN, 0};
      if (poll(&p, 1, 100) != 1) continue;
      size_t want = sizeof buffer;
      if (limit >= 0) want = std::min(want, static_cast<size_t>(limit - total));
      const ssize_t got = recv(from, buffer, want, 0);
      open = got > 0 && SendAll(to, buffer, static_cast<size_t>(got));
      if (open) total += got;
    }
    if (slowToSeeLeave_) {
      shutdown(from == server ? to : from, SHUT_RDWR);
      Hold(server);
      return;
    }
    shutdown(from, SHUT_RDWR);
    shutdown(to, SHUT_RDWR);
  }
  void Hold(int server) {
    const std::lock_guard<std::mutex> lock(heldMutex_);
    if (std::find(heldOnce_.begin(), heldOnce_.end(), server) != heldOnce_.end()) return;
    heldOnce_.push_back(server);
    held_.push_back(server);
  }
  void ReleaseHeld() {
    const std::lock_guard<std::mutex> lock(heldMutex_);
    for (int fd : held_) shutdown(fd, SHUT_RDWR);
    held_.clear();
  }
  static bool SendAll(int fd, const char* data, size_t size) {
    for (size_t sent = 0; sent < size;) {
      const ssize_t n = send(fd, data + sent, size - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<size_t>(n);
    }
    return true;
  }

  std::string socketPath_;
  int passed_;
  long cutAfter_;
  bool slowToSeeLeave_;
  Clock::time_point deadline_;
  int listener_ = -1;
  std::string display_;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::vector<int> sockets_;
  std::mutex heldMutex_;
  std::vector<int> held_;      // the server's sides of ended connections it has not seen end
  std::vector<int> heldOnce_;  // every side ever held, so that none is held twice
  std::thread acceptor_;
  std::vector<std::thread> pumps_;  // added by the acceptor only, joined after it has ended
};

class DisplayLoss : public e2e::ProgramRun {
 protected:
  DisplayLoss() = default;
  explicit DisplayLoss(e2e::XvfbSession::Kind kind) : ProgramRun(kind) {}
  struct Result {
    int status = -1;  // the exit status; -1 when the program did not exit by itself
    std::string err;  // what it wrote to standard error
  };
  // Runs the program on `display` to its end (at most two minutes), its standard error kept.
  Result Run(const std::string& display, const std::string& args) const {
    const std::string errFile = home + "/stderr.txt";
    std::string command = "env";
    for (const std::string& kv : Env()) command += " '" + (kv.rfind("DISPLAY=", 0) == 0 ? "DISPLAY=" + display : kv) + "'";
    command += std::string(" timeout 120 ") + ZV_ZORVANE_BIN + " " + args + " 2>" + errFile + " >/dev/null";
    const int status = std::system(command.c_str());
    Result r;
    if (WIFEXITED(status) && WEXITSTATUS(status) != 124) r.status = WEXITSTATUS(status);
    r.err = testsupport::ReadFile(errFile);
    return r;
  }
  static std::string Line(const std::string& display) {
    return "zorvane: no X display is available: cannot open DISPLAY " + display + "\n";
  }
};

}  // namespace

// An X server that lets the program's own check in and refuses the toolkit's connection.
TEST_F(DisplayLoss, TheToolkitRefusedAfterTheCheckEndsInOneLine) {
  for (const char* args : {"/S", "/C"}) {
    StandInServer server(x.display(), 1);
    ASSERT_TRUE(server.ok()) << "no free loopback port";
    const Result r = Run(server.display(), args);
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_EQ(r.err, Line(server.display())) << args;
    EXPECT_GE(server.connections(), 2) << args << ": the toolkit did not try to connect";
  }
}

// The toolkit's connection cut at points of its start: in the middle of the server's greeting,
// while Xlib opens the display, and while Qt sets up its screens, keyboard and windows. Qt
// refuses to start, crashes on a reply it never got or says its connection broke, depending on
// the point; every time the program ends in the one line.
TEST_F(DisplayLoss, AConnectionCutWhileStartingEndsInOneLine) {
  for (const char* args : {"/S", "/C"}) {
    for (long cut : {0L, 100L, 9600L, 12000L, 15000L, 25000L, 34000L}) {
      StandInServer server(x.display(), 2, cut);
      ASSERT_TRUE(server.ok()) << "no free loopback port";
      const Result r = Run(server.display(), args);
      EXPECT_EQ(r.status, 1) << args << " cut after " << cut;
      EXPECT_EQ(r.err, Line(server.display())) << args << " cut after " << cut;
    }
  }
}

// The X server ends while the saver or the Properties window is shown.
TEST_F(DisplayLoss, AServerThatEndsWhileAWindowIsShownEndsInOneLine) {
  for (const char* args : {"/S", "/C"}) {
    auto doomed = std::make_unique<e2e::XvfbSession>(800, 600);
    ASSERT_TRUE(doomed->ok());
    const std::string display = doomed->display();
    std::optional<Result> r;
    std::thread run([&] { r = Run(display, args); });
    const bool shown =
        e2e::RunCommand(display, "timeout 90 xdotool search --sync --onlyvisible --name 'Zorvane'") == 0;
    doomed.reset();  // ends the server
    run.join();
    EXPECT_TRUE(shown) << args << ": no window came";
    EXPECT_EQ(r->status, 1) << args;
    EXPECT_EQ(r->err, Line(display)) << args;
  }
}

// An X server with no client of the test's own, as in a bare xinit session or a kiosk.
class BareServerStart : public DisplayLoss {
 protected:
  BareServerStart() : DisplayLoss(e2e::XvfbSession::Kind::Bare) {}
  // The preview of a host window that no client owns: the program connects, finds no host and
  // ends at once with status 0.
  static constexpr const char* kNoHost = "/p 536870911";
};

// Started many times with nothing else connected, the server resetting after every run.
TEST_F(BareServerStart, EveryStartWithNoOtherClientSucceeds) {
  for (int start = 0; start < 30; ++start) {
    const Result r = Run(x.display(), kNoHost);
    EXPECT_EQ(r.status, 0) << "start " << start << ": " << r.err;
    ASSERT_EQ(r.err, "") << "start " << start;
  }
}

// A server that sees a client leave only when the next one connects (as a loaded server can):
// a start that let its check's connection go before the toolkit's was made would meet the
// server's reset, and the toolkit would lose its connection.
TEST_F(BareServerStart, AServerSlowToSeeAClientLeaveKeepsTheToolkitsConnection) {
  for (int start = 0; start < 3; ++start) {
    StandInServer server(x.display(), 100, -1, true);
    ASSERT_TRUE(server.ok()) << "no free loopback port";
    const Result r = Run(server.display(), kNoHost);
    EXPECT_EQ(r.status, 0) << "start " << start << ": " << r.err;
    EXPECT_EQ(r.err, "") << "start " << start;
    EXPECT_GE(server.connections(), 2) << "the toolkit did not connect";
  }
}
