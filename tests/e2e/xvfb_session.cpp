#include "e2e/xvfb_session.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace e2e {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  std::vector<char*> a, e;
  for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  a.push_back(nullptr);
  for (const auto& s : env) e.push_back(const_cast<char*>(s.c_str()));
  e.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, a[0], nullptr, nullptr, a.data(), e.data()) != 0) return -1;
  return pid;
}

std::vector<std::string> CurrentEnv() {
  std::vector<std::string> env;
  for (char** p = environ; *p; ++p) env.emplace_back(*p);
  return env;
}

}  // namespace

XvfbSession::XvfbSession(int width, int height) {
  // A display number that no server uses yet.
  for (int n = 90 + static_cast<int>(getpid() % 50); n < 400; ++n) {
    if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) ||
        std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
      continue;
    display_ = ":" + std::to_string(n);
    break;
  }
  if (display_.empty()) return;
  xvfb_ = Spawn({"Xvfb", display_, "-screen", "0", std::to_string(width) + "x" + std::to_string(height) + "x24",
                 "-nolisten", "tcp", "-noreset"},
                CurrentEnv());
  if (xvfb_ <= 0) return;
  for (int i = 0; i < 100 && !conn_; ++i) {
    SleepMs(50);
    xcb_connection_t* c = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
      xcb_disconnect(c);
      continue;
    }
    conn_ = c;
  }
  if (conn_) root_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
}

XvfbSession::~XvfbSession() {
  if (conn_) xcb_disconnect(conn_);
  if (xvfb_ > 0) {
    kill(xvfb_, SIGTERM);
    int st = 0;
    waitpid(xvfb_, &st, 0);
  }
}

std::vector<uint32_t> XvfbSession::Grab(xcb_window_t w, int x, int y, int width, int height) {
  std::vector<uint32_t> out;
  xcb_get_image_reply_t* img = xcb_get_image_reply(
      conn_,
      xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, w, static_cast<int16_t>(x), static_cast<int16_t>(y),
                    static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
      nullptr);
  if (!img) return out;
  const int len = xcb_get_image_data_length(img);
  const uint8_t* data = xcb_get_image_data(img);
  if (img->depth >= 24 && len >= width * height * 4) {
    out.resize(static_cast<size_t>(width) * height);
    std::memcpy(out.data(), data, out.size() * 4);
    for (auto& p : out) p &= 0xFFFFFF;
  }
  std::free(img);
  return out;
}

xcb_window_t XvfbSession::CreateWindow(int width, int height) {
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
  xcb_window_t w = xcb_generate_id(conn_);
  const uint32_t values[] = {screen->white_pixel};
  xcb_create_window(conn_, XCB_COPY_FROM_PARENT, w, root_, 10, 10, static_cast<uint16_t>(width),
                    static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL, values);
  xcb_map_window(conn_, w);
  xcb_flush(conn_);
  return w;
}

void XvfbSession::DestroyWindow(xcb_window_t w) {
  xcb_destroy_window(conn_, w);
  xcb_flush(conn_);
}

std::vector<xcb_window_t> XvfbSession::Children(xcb_window_t w) {
  std::vector<xcb_window_t> out;
  xcb_query_tree_reply_t* t = xcb_query_tree_reply(conn_, xcb_query_tree(conn_, w), nullptr);
  if (!t) return out;
  const xcb_window_t* c = xcb_query_tree_children(t);
  out.assign(c, c + xcb_query_tree_children_length(t));
  std::free(t);
  return out;
}

Process::Process(const std::string& exe, const std::vector<std::string>& args, const std::vector<std::string>& env) {
  std::vector<std::string> argv{exe};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> full = CurrentEnv();
  for (const auto& kv : env) {
    const std::string key = kv.substr(0, kv.find('=') + 1);
    std::erase_if(full, [&](const std::string& e) { return e.rfind(key, 0) == 0; });
    full.push_back(kv);
  }
  pid_ = Spawn(argv, full);
}

Process::~Process() {
  if (pid_ > 0 && !done_) {
    kill(pid_, SIGKILL);
    int st = 0;
    waitpid(pid_, &st, 0);
  }
}

bool Process::WaitFor(int ms) {
  if (done_) return true;
  if (pid_ <= 0) return false;
  for (int waited = 0;; waited += 20) {
    int st = 0;
    pid_t r = waitpid(pid_, &st, WNOHANG);
    if (r == pid_) {
      done_ = true;
      exitCode_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + (WIFSIGNALED(st) ? WTERMSIG(st) : 0);
      return true;
    }
    // A look without waiting (running(), Signal()) returns at once.
    if (waited >= ms) return false;
    SleepMs(20);
  }
}

bool Process::running() { return !WaitFor(0); }

bool Process::Signal(int sig) { return running() && kill(pid_, sig) == 0; }

int RunCommand(const std::string& display, const std::string& command) {
  const std::string full = "DISPLAY=" + display + " " + command + " >/dev/null 2>&1";
  return std::system(full.c_str());
}

}  // namespace e2e
