// The watch for a display lost after the program's check, each case in a child process of its
// own (the watch is process-wide and some cases end the process).
#include <gtest/gtest.h>

#include <QApplication>

#include <dlfcn.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "host/display_loss.h"

namespace {

constexpr const char* kLine = "^zorvane: no X display is available: cannot open DISPLAY :77\n$";

// The handler that the watch passes messages on to: the bare text on standard error.
void Plain(QtMsgType, const QMessageLogContext&, const QString& text) {
  std::fprintf(stderr, "%s\n", qPrintable(text));
}

void StartWatch() {
  qInstallMessageHandler(&Plain);
  host::WatchDisplayLoss(":77");
}

void BuildApplication() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zorvane";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

class DisplayLossWatch : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

}  // namespace

// What Qt says while it starts comes out in order once the application object exists.
TEST_F(DisplayLossWatch, StartMessagesComeOutInOrderOnceTheApplicationExists) {
  EXPECT_EXIT(
      {
        StartWatch();
        qWarning("first");
        qWarning("second");
        std::fprintf(stderr, "building\n");
        BuildApplication();
        std::fprintf(stderr, "built\n");
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "^building\nfirst\nsecond\nbuilt\n$");
}

// Qt's start fails: with its xcb platform loaded that is the display (the plugin gives no
// platform only without a connection), and the line replaces everything Qt said; otherwise
// (a plugin that could not be loaded) Qt's own text comes out and Qt aborts as before.
TEST_F(DisplayLossWatch, AFailedStartIsTheLineOnlyWhenTheXcbPlatformWasLoaded) {
  struct Case {
    bool xcbLoaded;
    std::function<bool(int)> end;
    const char* err;
  } cases[] = {
      {true, ::testing::ExitedWithCode(1), kLine},
      {false, ::testing::KilledBySignal(SIGABRT), "^could not connect\nno platform plugin\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          if (c.xcbLoaded && dlopen("libQt6XcbQpa.so.6", RTLD_NOW) == nullptr) _exit(3);
          StartWatch();
          qWarning("could not connect");
          qFatal("no platform plugin");
        },
        c.end, c.err)
        << c.xcbLoaded;
  }
}

// A crash while Qt starts is the lost display only when a connection that the program opened
// since has been hung up by its peer; any other crash goes on as a crash.
TEST_F(DisplayLossWatch, ACrashWhileStartingIsTheLineOnlyAfterAHangUp) {
  struct Case {
    bool hungUp;
    std::function<bool(int)> end;
    const char* err;
  } cases[] = {
      {true, ::testing::ExitedWithCode(1), kLine},
#if defined(__SANITIZE_ADDRESS__)
      // The sanitizer's own handler takes the fault over: it reports it and ends the program.
      {false, ::testing::ExitedWithCode(1), "AddressSanitizer: SEGV"},
#else
      {false, ::testing::KilledBySignal(SIGSEGV), ""},
#endif
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          StartWatch();
          int pair[2];
          if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) _exit(3);
          if (c.hungUp) close(pair[1]);
          // A page that cannot be written: a true fault, as a bad read in Qt's code is.
          void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
          if (page == MAP_FAILED) _exit(3);
          *static_cast<volatile int*>(page) = 1;
        },
        c.end, c.err)
        << c.hungUp;
  }
}
