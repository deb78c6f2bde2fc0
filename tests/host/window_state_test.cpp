#include <gtest/gtest.h>

#include "host/window_state.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "host/qt_test_app.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

using namespace host;

TEST(WindowState, SizeTextFieldsAndBounds) {
  EXPECT_EQ(FormatWindowSize(1500, 750.4, 9000, 6000), "01500007500900006000");
  EXPECT_EQ(FormatWindowSize(-120, -1, 100000, 99999.6), "00000000009999999999");
  EXPECT_EQ(ParseWindowSize("01500007500900006000"), (std::array<int32_t, 4>{1500, 750, 9000, 6000}));
  EXPECT_EQ(ParseWindowSize("0150000750"), (std::array<int32_t, 4>{1500, 750, 0, 0}));
  EXPECT_EQ(ParseWindowSize(""), (std::array<int32_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(ParseWindowSize("abcde00010"), (std::array<int32_t, 4>{0, 10, 0, 0}));
}

TEST(WindowState, RestoredRectsAreFittedOntoAScreen) {
  const std::vector<PixelRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  struct Case {
    PixelRect in, out;
  } cases[] = {
      {{100, 100, 800, 600}, {100, 100, 800, 600}},        // inside: unchanged
      {{5000, 5000, 800, 600}, {1120, 480, 800, 600}},     // off every screen: nearest place on the first
      {{1800, 100, 800, 600}, {1920, 100, 800, 600}},      // mostly on the second
      {{-300, -50, 800, 600}, {0, 0, 800, 600}},
      {{0, 0, 4000, 3000}, {0, 0, 1920, 1080}},            // larger than the screen
  };
  for (const auto& c : cases) {
    PixelRect r = FitRectOntoScreens(c.in, screens);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.width, c.out.width);
    EXPECT_EQ(r.height, c.out.height);
  }
}

TEST(WindowState, SavedWindowsReopenWhereTheyWere) {
  testsupport::EnsureQtApplication();
  testsupport::TempConfig cfg;
  const char* section = "General\\Advanced";
  {
    QWidget w;
    w.move(120, 90);
    w.resize(300, 200);
    SaveWindowState(w, section);
  }
  EXPECT_EQ(store::GetSettingString(section, "WindowState", ""), "0");
  EXPECT_EQ(store::GetSettingString(section, "WindowSize", ""), "01800013500450003000");
  struct Case {
    bool sizable;
    int w, h;
  } cases[] = {{true, 300, 200}, {false, 50, 40}};  // a fixed-border window keeps its own size
  for (const auto& c : cases) {
    QWidget w;
    w.resize(50, 40);
    RestoreWindowState(w, section, c.sizable);
    EXPECT_EQ(w.pos(), QPoint(120, 90)) << c.sizable;
    EXPECT_EQ(w.size(), QSize(c.w, c.h)) << c.sizable;
  }
  // A minimised window keeps the stored size; a maximised one stores state 2 and reopens
  // maximised.
  {
    QWidget w;
    w.move(5, 5);
    w.setWindowState(Qt::WindowMinimized);
    SaveWindowState(w, section);
  }
  EXPECT_EQ(store::GetSettingString(section, "WindowSize", ""), "01800013500450003000");
  {
    QWidget w;
    w.setWindowState(Qt::WindowMaximized);
    SaveWindowState(w, section);
  }
  EXPECT_EQ(store::GetSettingString(section, "WindowState", ""), "2");
  QWidget maximised;
  RestoreWindowState(maximised, section, true);
  EXPECT_TRUE(maximised.isMaximized());
}

TEST(WindowState, AWindowNeverSavedOpensCentred) {
  testsupport::EnsureQtApplication();
  testsupport::TempConfig cfg;
  QWidget w;
  w.resize(200, 100);
  RestoreWindowState(w, "General\\Video", true);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(w.pos(), QPoint(screen.x() + (screen.width() - 200) / 2, screen.y() + (screen.height() - 100) / 2));
}
