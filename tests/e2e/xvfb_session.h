// A private X server for whole-program runs: starts Xvfb on a display the server itself finds
// free, gives the program's environment, inspects windows and sends input through xcb and
// xdotool.
#pragma once

#include <xcb/xcb.h>

#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

class XvfbSession {
 public:
  enum class Kind {
    Held,  // the session keeps a connection of its own open, and the server never resets
    Bare,  // no client but the programs under test: the server resets whenever its last client
           // leaves, as a bare xinit session's does; conn() is nullptr
  };
  XvfbSession(int width = 800, int height = 600, Kind kind = Kind::Held);
  ~XvfbSession();
  bool ok() const { return conn_ != nullptr || (kind_ == Kind::Bare && !display_.empty()); }
  const std::string& display() const { return display_; }
  xcb_connection_t* conn() const { return conn_; }
  xcb_window_t root() const { return root_; }

  // Pixels (0x00RRGGBB) of a window's area; empty when it cannot be read.
  std::vector<uint32_t> Grab(xcb_window_t w, int x, int y, int width, int height);
  // A plain top-level window of the given size, mapped.
  xcb_window_t CreateWindow(int width, int height);
  void DestroyWindow(xcb_window_t w);
  // Children of a window.
  std::vector<xcb_window_t> Children(xcb_window_t w) const;
  // The window that has the keyboard (0: none).
  xcb_window_t InputFocus() const;
  // The windows shown (viewable) whose caption is exactly `caption`, in the order of the window
  // tree; the search goes on past windows that are destroyed while it runs.
  std::vector<xcb_window_t> ShownWindowsNamed(const std::string& caption) const;
  // The pop-up windows shown (menus, drop-down lists: mapped and override-redirect).
  std::vector<xcb_window_t> Popups();
  // The text a selection ("CLIPBOARD", "PRIMARY") holds, as UTF-8, asked of its owner; empty
  // when it has no owner or the owner gave nothing within `ms`.
  std::string SelectionText(const std::string& selection, int ms = 10000);

 private:
  Kind kind_;
  std::string display_;
  pid_t xvfb_ = -1;
  xcb_connection_t* conn_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_window_t requestor_ = 0;  // receives the selections asked for
  mutable xcb_atom_t netWmName_ = 0, utf8_ = 0;
  // A window's caption: its UTF-8 name, else its classic name; empty when it has none.
  std::string Name(xcb_window_t w) const;
};

// A program run with a given environment and arguments.
class Process {
 public:
  Process(const std::string& exe, const std::vector<std::string>& args, const std::vector<std::string>& env);
  ~Process();
  // Waits up to `ms` for the end; true when it ended, with its status in exitCode().
  bool WaitFor(int ms);
  int exitCode() const { return exitCode_; }
  bool running();
  // Sends a signal to the running program (false when it has ended).
  bool Signal(int sig);
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
  bool done_ = false;
};

// Runs a command line (xdotool) with DISPLAY set; returns its exit status.
int RunCommand(const std::string& display, const std::string& command);
void SleepMs(int ms);

}  // namespace e2e
