#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSize>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>
#include <sys/wait.h>

#include "e2e/program_run.h"
#include "host/qt_test_app.h"
#include "store/registry_access.h"

using e2e::Process;
using e2e::SleepMs;
using e2e::XvfbSession;

namespace {

class SaverRun : public e2e::ProgramRun {
 protected:
  static size_t Lit(const std::vector<uint32_t>& px) {
    return static_cast<size_t>(std::count_if(px.begin(), px.end(), [](uint32_t p) { return p != 0; }));
  }
  // Polls the area until more than `minLit` pixels are not black; returns the last grab.
  std::vector<uint32_t> WaitForLit(xcb_window_t w, int width, int height, size_t minLit, int timeoutMs) {
    std::vector<uint32_t> px;
    for (int waited = 0; waited <= timeoutMs; waited += 250) {
      px = x.Grab(w, 0, 0, width, height);
      if (Lit(px) > minLit) break;
      SleepMs(250);
    }
    return px;
  }
  // Turns the performance log on (a line every 5 frames).
  void StorePerfLogOn() {
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("DirectX", "DX_WriteLog", 5); }));
  }
  // The performance log the runs appended (empty when there is none).
  std::string PerfLog() const { return testsupport::ReadFile(home + "/data/zorvane/ZORVPerf.log"); }
  // Starts the program with further environment variables.
  std::unique_ptr<Process> StartWith(const std::vector<std::string>& args, const std::vector<std::string>& extra) const {
    std::vector<std::string> env = Env();
    env.insert(env.end(), extra.begin(), extra.end());
    return std::make_unique<Process>(ZV_ZORVANE_BIN, args, env);
  }
  // The size of a window; 0 x 0 when it cannot be read.
  QSize WindowSize(xcb_window_t w) const {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(x.conn(), xcb_get_geometry(x.conn(), w), nullptr);
    const QSize size = g != nullptr ? QSize(g->width, g->height) : QSize();
    std::free(g);
    return size;
  }
  // The window `w` is shown over (its WM_TRANSIENT_FOR); 0 for none.
  xcb_window_t TransientFor(xcb_window_t w) const {
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        x.conn(), xcb_get_property(x.conn(), 0, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t over = 0;
    if (r != nullptr && xcb_get_property_value_length(r) >= 4)
      over = *static_cast<const xcb_window_t*>(xcb_get_property_value(r));
    std::free(r);
    return over;
  }
  // Waits up to 20 s for a frame other than `last` on the whole screen; true when one came.
  bool WaitForNewFrame(const std::vector<uint32_t>& last) {
    for (int waited = 0; waited < 20000; waited += 250) {
      if (x.Grab(x.root(), 0, 0, 800, 600) != last) return true;
      SleepMs(250);
    }
    return false;
  }
  static std::string Hex(xcb_window_t w) {
    std::ostringstream s;
    s << "0x" << std::hex << w;
    return s.str();
  }
};

}  // namespace

TEST_F(SaverRun, FullScreenDrawsChangingFramesAndEndsOnAKey) {
  auto saver = Start({"/S"});
  const auto a = WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  // A later frame differs (a loaded machine may take a while to draw the next one).
  std::vector<uint32_t> b = a;
  for (int waited = 0; waited < 20000 && b == a; waited += 250) {
    SleepMs(250);
    b = x.Grab(x.root(), 0, 0, 800, 600);
  }
  ASSERT_EQ(a.size(), 800u * 600u);
  EXPECT_GT(Lit(a), 200u) << "the saver drew no stars";
  EXPECT_NE(a, b) << "the frames do not change";
  // The first run stored the factory settings.
  EXPECT_EQ(StoredLong("Universe\\Galaxy0", "Galaxy_Radius", -1) > 0, true);
  EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key space"), 0);
  ASSERT_TRUE(saver->WaitFor(45000)) << "the saver did not end on a key";
  EXPECT_EQ(saver->exitCode(), 0);
}

// With screen captures on and a pictures folder that cannot be made, F in the full-screen saver
// says the capture could not be saved. The box looks as it does over any other window: its text
// stands out from its background, not black on the saver's black. Enter and Esc answer it, the
// saver goes on drawing, and a key then ends it as always.
TEST_F(SaverRun, CaptureMessageOverTheSaverIsReadable) {
  // The pictures folder the user's folder list names lies below a regular file: no one, root
  // neither, can make it or write into it.
  const std::string blocker = home + "/not-a-folder";
  testsupport::WriteFile(blocker, "a file\n");
  const std::string pictures = blocker + "/Pictures";
  std::error_code ec;
  ASSERT_FALSE(std::filesystem::create_directories(pictures, ec));
  ASSERT_TRUE(ec) << "the pictures folder could be made";
  std::filesystem::create_directories(home + "/config");
  testsupport::WriteFile(home + "/config/user-dirs.dirs", "XDG_PICTURES_DIR=\"" + pictures + "\"\n");
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("Advanced", "Adv_ScreenCapt", "1"); }));

  auto saver = Start({"/S"});
  std::vector<uint32_t> frame = WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  ASSERT_GT(Lit(frame), 200u) << "the saver drew no stars";
  const xcb_window_t saverWindow = WaitForWindow("ZIDI:Zorvane 6.0");
  ASSERT_NE(saverWindow, 0u) << "no saver window";
  ASSERT_FALSE(Shown("Zorvane")) << "a message showed before F";
  for (const char* answer : {"Return", "Escape"}) {
    SCOPED_TRACE(answer);
    ASSERT_TRUE(Keys("f"));
    const xcb_window_t box = WaitForWindow("Zorvane");
    ASSERT_NE(box, 0u) << "F showed no message about the capture that could not be saved";
    ASSERT_TRUE(saver->running());
    EXPECT_EQ(TransientFor(box), saverWindow) << "the box is not one over the saver";
    const QSize size = WindowSize(box);
    ASSERT_GT(size.width(), 100);
    ASSERT_GT(size.height(), 40);
    // The box's background is its most frequent colour. Its text lies right of the icon and above
    // the button: the upper half of the box without its left quarter. Text pixels stand out from
    // the background by more than a quarter of the full range in the three channels together;
    // black text on black shows none.
    uint32_t background = 0;
    size_t standingOut = 0;
    // Until the box has painted: before, the saver's black and stars show through it.
    for (int waited = 0; waited <= 20000 && (standingOut < 400 || background == 0); waited += 250) {
      if (waited > 0) SleepMs(250);
      const std::vector<uint32_t> px = x.Grab(box, 0, 0, size.width(), size.height());
      ASSERT_EQ(px.size(), static_cast<size_t>(size.width()) * static_cast<size_t>(size.height()));
      std::map<uint32_t, size_t> counts;
      for (const uint32_t p : px) ++counts[p];
      background = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                     return a.second < b.second;
                   })->first;
      auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
      standingOut = 0;
      for (int y = 0; y < size.height() / 2; ++y)
        for (int col = size.width() / 4; col < size.width(); ++col) {
          const uint32_t p = px[static_cast<size_t>(y) * static_cast<size_t>(size.width()) + static_cast<size_t>(col)];
          int distance = 0;
          for (const int shift : {0, 8, 16}) distance += std::abs(channel(p, shift) - channel(background, shift));
          standingOut += distance > 192;
        }
    }
    EXPECT_NE(background, 0u) << "the box is drawn on the saver's black";
    EXPECT_GE(standingOut, 400u) << "the box's text does not stand out from its background";

    ASSERT_TRUE(Keys(answer));
    ASSERT_TRUE(WaitUntilGone("Zorvane")) << answer << " did not answer the box";
    ASSERT_TRUE(saver->running()) << "answering the box ended the saver";
    frame = x.Grab(x.root(), 0, 0, 800, 600);
    EXPECT_TRUE(WaitForNewFrame(frame)) << "the saver stopped drawing after the box";
  }
  EXPECT_FALSE(std::filesystem::exists(pictures));
  ASSERT_TRUE(Keys("x"));
  ASSERT_TRUE(saver->WaitFor(45000)) << "the saver did not end on a key after the boxes";
  EXPECT_EQ(saver->exitCode(), 0);
  // No capture was written, so the capture number did not advance.
  EXPECT_EQ(StoredLong("Advanced", "Adv_ImageBufferIndex", 0), 0);
}

TEST_F(SaverRun, SecondSaverDoesNothingWhileOneIsOpen) {
  auto first = Start({"/s"});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(first->running());
  auto second = Start({"/s"});
  ASSERT_TRUE(second->WaitFor(20000)) << "the second saver did not end by itself";
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_TRUE(first->running());
  e2e::RunCommand(x.display(), "xdotool mousedown 1 mouseup 1");
  ASSERT_TRUE(first->WaitFor(45000));
  EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(SaverRun, TemplateOnTheCommandLineIsStoredThenTheSaverRuns) {
  const std::string glx = home + "/deep space.glx";
  testsupport::WriteFile(glx,
                         "\r\n[General]\r\nAnimationType=0\r\n"
                         "\r\n[DirectX]\r\nDX_WinWidth=640\r\nDX_WinHeight=480\r\nDX_FilterIndex=8\r\n"
                         "\r\n[Universe]\r\nUniverse_Stars=4321\r\nUniverse_Galaxy=12\r\n");
  auto saver = Start({glx});
  const auto px = WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  EXPECT_EQ(StoredLong("Universe", "Universe_Stars", 0), 4321);
  EXPECT_EQ(StoredLong("Universe", "Universe_Galaxy", 0), 12);
  EXPECT_EQ(StoredLong("DirectX", "DX_FilterIndex", 0), 8);
  EXPECT_EQ(StoredLong("Universe", "Universe_AmStar", 0), 2000);  // missing: the default
  EXPECT_GT(Lit(px), 200u);
  e2e::RunCommand(x.display(), "xdotool key Escape");
  ASSERT_TRUE(saver->WaitFor(45000));
  EXPECT_EQ(saver->exitCode(), 0);
}

TEST_F(SaverRun, PreviewDrawsIntoAForeignWindowAndEndsWithIt) {
  const xcb_window_t host = x.CreateWindow(152, 112);
  auto preview = Start({"/p", std::to_string(host)});
  for (int waited = 0; waited < 45000 && x.Children(host).empty(); waited += 250) SleepMs(250);
  ASSERT_TRUE(preview->running());
  ASSERT_FALSE(x.Children(host).empty()) << "the preview did not enter the host window";
  // The preview's window is in place before it first paints: its drawing covers the host's white
  // background within 45 s.
  std::vector<uint32_t> px;
  size_t white = 0;
  for (int waited = 0; waited < 45000; waited += 250) {
    px = x.Grab(host, 0, 0, 152, 112);
    ASSERT_EQ(px.size(), 152u * 112u);
    white = static_cast<size_t>(std::count(px.begin(), px.end(), 0xFFFFFFu));
    if (white < px.size() / 2) break;
    SleepMs(250);
  }
  EXPECT_LT(white, px.size() / 2) << "the host window still shows its own background";
  x.DestroyWindow(host);
  ASSERT_TRUE(preview->WaitFor(45000)) << "the preview did not end with its host";
  EXPECT_EQ(preview->exitCode(), 0);
}

TEST_F(SaverRun, PerformanceLogIsAppendedWhenTheSaverEnds) {
  {
    testsupport::ScopedEnv env("XDG_CONFIG_HOME", home + "/config");
    platform::ResetRegistry();
    ASSERT_TRUE(store::SaveRegSetting("DirectX", "DX_WriteLog", 5));
    platform::ResetRegistry();
  }
  auto saver = Start({"/S"});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  SleepMs(1500);  // some lines of performance text
  e2e::RunCommand(x.display(), "xdotool key Escape");
  ASSERT_TRUE(saver->WaitFor(45000));
  // The log goes to the program's folder in the user's data folder, which the run creates
  // when it is missing.
  std::string log;
  ASSERT_TRUE(std::filesystem::is_directory(home + "/data")) << "no data folder was made";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home + "/data"))
    if (entry.path().filename() == "ZORVPerf.log") {
      EXPECT_EQ(entry.path().string(), home + "/data/zorvane/ZORVPerf.log");
      log = testsupport::ReadFile(entry.path().string());
    }
  ASSERT_FALSE(log.empty()) << "no performance log was written";
  EXPECT_EQ(log.rfind(std::string(120, '-') + "\nZorvane 6.0  ", 0), 0u) << log;
  EXPECT_NE(log.find("   Total    :  "), std::string::npos) << log;
}

// SIGTERM ends the saver as a stop message does: no exit fade, status 0, and the run's
// performance log is appended as on any other end.
TEST_F(SaverRun, TermSignalEndsTheSaverWithItsPerformanceLog) {
  StorePerfLogOn();
  auto saver = Start({"/S"});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());
  SleepMs(1500);  // some lines of performance text
  ASSERT_TRUE(saver->Signal(SIGTERM));
  ASSERT_TRUE(saver->WaitFor(45000)) << "SIGTERM did not end the saver";
  EXPECT_EQ(saver->exitCode(), 0);
  const std::string log = PerfLog();
  EXPECT_EQ(log.rfind(std::string(120, '-') + "\nZorvane 6.0  ", 0), 0u) << log;
  EXPECT_NE(log.find("   Total    :  "), std::string::npos) << log;
}

// SIGHUP and SIGINT end a run as SIGTERM does, the preview's as well as the saver's.
TEST_F(SaverRun, HangUpAndInterruptEndThePreview) {
  for (int sig : {SIGHUP, SIGINT}) {
    const xcb_window_t host = x.CreateWindow(152, 112);
    auto preview = Start({"/p", std::to_string(host)});
    for (int waited = 0; waited < 45000 && x.Children(host).empty(); waited += 250) SleepMs(250);
    ASSERT_FALSE(x.Children(host).empty()) << "the preview did not enter the host window";
    SleepMs(500);
    ASSERT_TRUE(preview->Signal(sig));
    ASSERT_TRUE(preview->WaitFor(45000)) << "signal " << sig << " did not end the preview";
    EXPECT_EQ(preview->exitCode(), 0) << sig;
    x.DestroyWindow(host);
  }
}

// A screen-saver daemon hands over its window in XSCREENSAVER_WINDOW (and passes -root): the
// saver draws changing frames into it, keys do not end it (the daemon owns the input), and it
// ends with the window.
TEST_F(SaverRun, DrawsIntoTheDaemonsWindowAndEndsWithIt) {
  const xcb_window_t host = x.CreateWindow(320, 240);
  auto saver = StartWith({"-root"}, {"XSCREENSAVER_WINDOW=" + Hex(host)});
  for (int waited = 0; waited < 45000 && x.Children(host).empty(); waited += 250) SleepMs(250);
  ASSERT_TRUE(saver->running());
  ASSERT_FALSE(x.Children(host).empty()) << "the saver did not enter the daemon's window";
  // Lit pixels other than the window's own white background.
  auto stars = [](const std::vector<uint32_t>& px) {
    return static_cast<size_t>(std::count_if(px.begin(), px.end(), [](uint32_t p) { return p != 0 && p != 0xFFFFFFu; }));
  };
  std::vector<uint32_t> a;
  for (int waited = 0; waited < 45000; waited += 250) {
    a = x.Grab(host, 0, 0, 320, 240);
    if (stars(a) > 50 && std::count(a.begin(), a.end(), 0xFFFFFFu) < static_cast<long>(a.size() / 2)) break;
    SleepMs(250);
  }
  ASSERT_EQ(a.size(), 320u * 240u);
  EXPECT_GT(stars(a), 50u) << "no stars in the daemon's window";
  EXPECT_LT(static_cast<size_t>(std::count(a.begin(), a.end(), 0xFFFFFFu)), a.size() / 2)
      << "the window still shows its own background";
  std::vector<uint32_t> b = a;
  for (int waited = 0; waited < 20000 && b == a; waited += 250) {
    SleepMs(250);
    b = x.Grab(host, 0, 0, 320, 240);
  }
  EXPECT_NE(a, b) << "the frames do not change";
  // Nothing was drawn outside the window: the saver did not cover the screen.
  const auto outside = x.Grab(x.root(), 400, 300, 200, 200);
  EXPECT_EQ(Lit(outside), 0u);
  e2e::RunCommand(x.display(), "xdotool mousemove 100 100 mousemove 300 200 click 1 key space");
  SleepMs(1000);
  EXPECT_TRUE(saver->running()) << "input ended a saver whose input the daemon owns";
  x.DestroyWindow(host);
  ASSERT_TRUE(saver->WaitFor(45000)) << "the saver did not end with the daemon's window";
  EXPECT_EQ(saver->exitCode(), 0);
}

// A daemon's window id that names no window ends the run quietly, whatever the command line
// that asks for the saver.
TEST_F(SaverRun, ABadDaemonWindowEndsQuietly) {
  struct Case {
    const char* value;
    const char* arg;
  } cases[] = {{"0x7ffff00", "-root"}, {"junk", "/S"}, {"0", "-root"}, {"0x", "/s"}};
  for (const auto& c : cases) {
    auto saver = StartWith({c.arg}, {std::string("XSCREENSAVER_WINDOW=") + c.value});
    ASSERT_TRUE(saver->WaitFor(45000)) << c.value << " did not end";
    EXPECT_EQ(saver->exitCode(), 0) << c.value;
  }
  EXPECT_TRUE(x.Children(x.root()).empty()) << "a window was left on the screen";
}

// The system's suspend request (logind's PrepareForSleep(true) on the system bus) ends the
// saver; the wake-up (false) does not. A private bus stands in for the system bus.
TEST_F(SaverRun, SuspendRequestOnTheSystemBusEndsTheSaver) {
  if (!std::filesystem::exists("/usr/bin/dbus-daemon")) GTEST_SKIP() << "dbus-daemon is not installed";
  const std::string socket = home + "/bus";
  testsupport::WriteFile(home + "/bus.conf",
                         "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                         "<busconfig><type>system</type><listen>unix:path=" + socket + "</listen>"
                         "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
                         "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
  Process bus("/usr/bin/dbus-daemon", {"--nofork", "--nopidfile", "--config-file=" + home + "/bus.conf"}, {});
  for (int waited = 0; waited < 10000 && !std::filesystem::exists(socket); waited += 50) SleepMs(50);
  ASSERT_TRUE(std::filesystem::exists(socket)) << "the private bus did not start";
  const std::string address = "unix:path=" + socket;

  auto saver = StartWith({"/S"}, {"DBUS_SYSTEM_BUS_ADDRESS=" + address});
  WaitForLit(x.root(), 800, 600, 200, 45000);
  ASSERT_TRUE(saver->running());

  testsupport::EnsureQtApplication();
  {
    QDBusConnection logind = QDBusConnection::connectToBus(QString::fromStdString(address), QStringLiteral("logind"));
    ASSERT_TRUE(logind.isConnected());
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    auto prepare = [&](bool start) {
      QDBusMessage m = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                  QStringLiteral("org.freedesktop.login1.Manager"),
                                                  QStringLiteral("PrepareForSleep"));
      m << start;
      return logind.send(m);
    };
    ASSERT_TRUE(prepare(false));
    SleepMs(1500);
    EXPECT_TRUE(saver->running()) << "the wake-up ended the saver";
    ASSERT_TRUE(prepare(true));
    EXPECT_TRUE(saver->WaitFor(45000)) << "the suspend request did not end the saver";
    EXPECT_EQ(saver->exitCode(), 0);
  }
  QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
}

// Without an X display every mode says so in one line on standard error and ends with status 1.
TEST_F(SaverRun, WithoutADisplayEveryModeSaysSoAndEnds) {
  struct Case {
    const char* display;  // "" : unset
    const char* args;
    const char* line;
  } cases[] = {
      {"", "/S", "zorvane: no X display is available: DISPLAY is not set"},
      {"", "/C", "zorvane: no X display is available: DISPLAY is not set"},
      {"", "/p 4194311", "zorvane: no X display is available: DISPLAY is not set"},
      {"", "", "zorvane: no X display is available: DISPLAY is not set"},
      {":4077", "-root", "zorvane: no X display is available: cannot open DISPLAY :4077"},
  };
  for (const auto& c : cases) {
    const std::string err = home + "/stderr.txt";
    std::string command = std::string("env -u DISPLAY -u QT_QPA_PLATFORM HOME=") + home + " XDG_CONFIG_HOME=" + home +
                          "/config XDG_RUNTIME_DIR=" + home + "/runtime TMPDIR=" + home + "/tmp";
    if (*c.display) command += std::string(" DISPLAY=") + c.display;
    command += std::string(" ") + ZV_ZORVANE_BIN + " " + c.args + " 2>" + err + " >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.args;
    EXPECT_EQ(WEXITSTATUS(status), 1) << c.args;
    EXPECT_EQ(testsupport::ReadFile(err), std::string(c.line) + "\n") << c.args;
  }
}
