#include "e2e/xvfb_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace e2e {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const posix_spawn_file_actions_t* actions = nullptr) {
  std::vector<char*> a, e;
  for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  a.push_back(nullptr);
  for (const auto& s : env) e.push_back(const_cast<char*>(s.c_str()));
  e.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, a[0], actions, nullptr, a.data(), e.data()) != 0) return -1;
  return pid;
}

// Reads one line (without its end) from `fd`, waiting up to `ms` in all; empty when none came.
std::string ReadLine(int fd, int ms) {
  std::string line;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return {};
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return {};
    char c = 0;
    const ssize_t n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {};  // the server ended before it named its display
    if (c == '\n') return line;
    line += c;
  }
}

std::vector<std::string> CurrentEnv() {
  std::vector<std::string> env;
  for (char** p = environ; *p; ++p) env.emplace_back(*p);
  return env;
}

}  // namespace

XvfbSession::XvfbSession(int width, int height, Kind kind) : kind_(kind) {
  // The server finds a free display itself: it takes the display's lock file exclusively and
  // writes the display number to the pipe once it accepts connections, so test programs started
  // at the same time never share a server.
  int ends[2] = {-1, -1};
  if (pipe2(ends, O_CLOEXEC) != 0) return;
  const int serverFd = ends[1] == 3 ? 4 : 3;  // the pipe's end as the server sees it
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], serverFd);
  std::vector<std::string> argv = {"Xvfb", "-displayfd", std::to_string(serverFd), "-screen", "0",
                                   std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp"};
  if (kind == Kind::Held) argv.push_back("-noreset");
  xvfb_ = Spawn(argv, CurrentEnv(), &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  // A loaded machine may take long to start the server.
  const std::string number = xvfb_ > 0 ? ReadLine(ends[0], 120000) : std::string();
  close(ends[0]);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return;
  display_ = ":" + number;
  // The server accepts connections once it has named its display.
  if (kind == Kind::Bare) return;
  for (int i = 0; i < 100 && !conn_; ++i) {
    xcb_connection_t* c = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
      xcb_disconnect(c);
      SleepMs(100);
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

std::vector<xcb_window_t> XvfbSession::Children(xcb_window_t w) const {
  std::vector<xcb_window_t> out;
  xcb_query_tree_reply_t* t = xcb_query_tree_reply(conn_, xcb_query_tree(conn_, w), nullptr);
  if (!t) return out;
  const xcb_window_t* c = xcb_query_tree_children(t);
  out.assign(c, c + xcb_query_tree_children_length(t));
  std::free(t);
  return out;
}

xcb_window_t XvfbSession::InputFocus() const {
  xcb_get_input_focus_reply_t* r = xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr);
  if (!r) return 0;
  const xcb_window_t focus = r->focus;
  std::free(r);
  return focus;
}

std::string XvfbSession::Name(xcb_window_t w) const {
  if (netWmName_ == 0) {
    for (auto [name, atom] : {std::pair<const char*, xcb_atom_t*>{"_NET_WM_NAME", &netWmName_}, {"UTF8_STRING", &utf8_}}) {
      xcb_intern_atom_reply_t* r =
          xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
      if (r) *atom = r->atom;
      std::free(r);
    }
  }
  // The UTF-8 name a toolkit gives, else the classic one.
  for (auto [property, type] : {std::pair<xcb_atom_t, xcb_atom_t>{netWmName_, utf8_},
                                {XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY}}) {
    if (property == 0) continue;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(conn_, xcb_get_property(conn_, 0, w, property, type, 0, 1024), nullptr);
    std::string name;
    const bool found = r != nullptr && r->format == 8 && r->type != XCB_NONE;
    if (found) name.assign(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    if (found) return name;
  }
  return {};
}

std::vector<xcb_window_t> XvfbSession::ShownWindowsNamed(const std::string& caption) const {
  std::vector<xcb_window_t> out;
  if (!conn_) return out;
  // Every window below the root, in the order of the tree; a window destroyed meanwhile is
  // passed over (its requests fail), never the end of the search.
  std::vector<xcb_window_t> pending = Children(root_);
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty()) {
    const xcb_window_t w = pending.back();
    pending.pop_back();
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr);
    if (!a) continue;
    const bool viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    if (!viewable) continue;  // nor are its children shown
    if (Name(w) == caption) out.push_back(w);
    std::vector<xcb_window_t> children = Children(w);
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
  return out;
}

std::vector<xcb_window_t> XvfbSession::Popups() {
  std::vector<xcb_window_t> out;
  for (xcb_window_t w : Children(root_)) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr);
    if (!a) continue;  // gone meanwhile
    if (a->map_state == XCB_MAP_STATE_VIEWABLE && a->override_redirect) out.push_back(w);
    std::free(a);
  }
  return out;
}

namespace {

xcb_atom_t Atom(xcb_connection_t* conn, const std::string& name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
  if (!r) return XCB_ATOM_NONE;
  const xcb_atom_t atom = r->atom;
  std::free(r);
  return atom;
}

}  // namespace

std::string XvfbSession::SelectionText(const std::string& selection, int ms) {
  if (!conn_) return {};
  const xcb_atom_t which = Atom(conn_, selection), utf8 = Atom(conn_, "UTF8_STRING"),
                   into = Atom(conn_, "ZV_SELECTION_TEXT");
  if (requestor_ == 0) {
    // A window of this connection for the owner to put the text on; never shown.
    requestor_ = xcb_generate_id(conn_);
    xcb_create_window(conn_, 0, requestor_, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
  }
  xcb_delete_property(conn_, requestor_, into);
  xcb_convert_selection(conn_, requestor_, which, utf8, into, XCB_CURRENT_TIME);
  xcb_flush(conn_);
  // The owner answers from its event loop, or the server at once when there is no owner.
  bool answered = false, given = false;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!answered && std::chrono::steady_clock::now() < until && !xcb_connection_has_error(conn_)) {
    xcb_generic_event_t* e = xcb_poll_for_event(conn_);
    if (!e) {
      SleepMs(10);
      continue;
    }
    if ((e->response_type & 0x7f) == XCB_SELECTION_NOTIFY) {
      const auto* n = reinterpret_cast<const xcb_selection_notify_event_t*>(e);
      if (n->requestor == requestor_ && n->selection == which) {
        answered = true;
        given = n->property != XCB_ATOM_NONE;
      }
    }
    std::free(e);
  }
  if (!given) return {};
  std::string text;
  xcb_get_property_reply_t* p = xcb_get_property_reply(
      conn_, xcb_get_property(conn_, 1, requestor_, into, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
  if (p && p->format == 8) {
    text.assign(static_cast<const char*>(xcb_get_property_value(p)),
                static_cast<size_t>(xcb_get_property_value_length(p)));
  }
  std::free(p);
  return text;
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
