#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/app.h"

namespace {

// Sets (or, with nullptr, removes) an environment variable for one scope.
class EnvValue {
 public:
  EnvValue(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~EnvValue() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

// Only the X11 platform needs a display; without one the program says so in one line that
// names DISPLAY instead of letting Qt abort.
TEST(NoDisplay, OneLineNamingDisplayWhenX11CannotBeReached) {
  struct Case {
    const char* platform;  // QT_QPA_PLATFORM (nullptr: unset)
    const char* display;   // DISPLAY (nullptr: unset)
    const char* argument;  // an extra command-line argument pair, "-platform NAME"
    const char* message;   // nullptr: the program goes on
  } cases[] = {
      {nullptr, nullptr, nullptr, "zorvane: no X display is available: DISPLAY is not set"},
      {"xcb", "", nullptr, "zorvane: no X display is available: DISPLAY is not set"},
      {"xcb:nograb", nullptr, nullptr, "zorvane: no X display is available: DISPLAY is not set"},
      {nullptr, ":4077", nullptr, "zorvane: no X display is available: cannot open DISPLAY :4077"},
      {"offscreen", nullptr, nullptr, nullptr},
      {"wayland;xcb", nullptr, nullptr, nullptr},
      {"xcb", nullptr, "offscreen", nullptr},
      {"offscreen", nullptr, "xcb", "zorvane: no X display is available: DISPLAY is not set"},
  };
  for (const auto& c : cases) {
    EnvValue platform("QT_QPA_PLATFORM", c.platform);
    EnvValue display("DISPLAY", c.display);
    char program[] = "zorvane";
    char option[] = "-platform";
    std::string name = c.argument ? c.argument : "";
    char saver[] = "/S";
    char* argv[] = {program, option, name.data(), saver, nullptr};
    char* plain[] = {program, saver, nullptr};
    std::string message;
    const bool missing = c.argument ? host::NoDisplayMessage(4, argv, message) : host::NoDisplayMessage(2, plain, message);
    const std::string label = std::string(c.platform ? c.platform : "(unset)") + " / " + (c.display ? c.display : "(unset)");
    EXPECT_EQ(missing, c.message != nullptr) << label;
    EXPECT_EQ(message, c.message ? c.message : "") << label;
  }
}
