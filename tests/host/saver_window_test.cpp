#include "host/saver_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTextEdit>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "presentation/presentation_fakes.h"
#include "host/qt_message_box.h"
#include "host/qt_test_app.h"
#include "host/screen_capture.h"
#include "store/registry_access.h"

using namespace host;

namespace {

class SaverWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    presentation::ResetPacingState();
    presentation::ResetCompositorState();
    presentation::ResetRenderState();
    InstallHostPlatform(&clock);
    InstallFrameSink(&sink);
    presentation::pacing().RunMode = presentation::kRunSaver;
    presentation::HeadlessRenderSurface surface(64, 48);
    presentation::LoadSaverProperties(surface, false, 1.0f, 0);
    presentation::UnbindRenderTarget(&surface);
    sink.calls.clear();
    sink.copies.clear();
  }
  void TearDown() override {
    presentation::InstallFrameSink(nullptr);
    presentation::InstallHostPlatform(nullptr);
    ResetScreenCaptureState();
    presentation::ResetPacingState();
  }
  bool Ended(const SaverWindow&) const { return presentation::pacing().G_bCancel; }

  testsupport::TempConfig cfg;
  presentationtest::FakeHost clock;
  presentationtest::RecordingSink sink;
};

}  // namespace

TEST_F(SaverWindowTest, ExitFadeRaisesTheDesktopShareToThePlainDesktop) {
  // Each step composes the frame with the desktop at 255 - (100 - percent) * 2.55 * (n - k) / n.
  struct LevelSink : presentationtest::RecordingSink {
    void StretchFrame(presentation::FrameDestination dest, std::span<const uint32_t> bits, int32_t w, int32_t h,
                      const presentation::FrameBitmapHeader& header, const presentation::FrameRect& rect) override {
      levels.push_back(presentation::compositor().LastDesktopLevel);
      RecordingSink::StretchFrame(dest, bits, w, h, header, rect);
    }
    std::vector<int32_t> levels;
  } levelSink;
  InstallFrameSink(&levelSink);
  presentation::SetDesktopCapture(std::vector<uint8_t>(3 * 64 * 48, 200));
  presentation::SetFilterAndDesktopBlend(0, 0, 40, 0);
  FadeOutOnExit(16, 5);
  ASSERT_EQ(levelSink.levels.size(), 16u);
  EXPECT_EQ(levelSink.levels[0], 112);   // 111.5625
  EXPECT_EQ(levelSink.levels[7], 178);   // 178.5, halves to even
  EXPECT_EQ(levelSink.levels[15], 255);  // the plain desktop
  InstallFrameSink(&sink);
}

TEST_F(SaverWindowTest, MouseMovementEndsOnTheFourthLargeMove) {
  struct Move {
    float x, y;
    uint32_t tick;
  };
  struct Case {
    const char* name;
    std::vector<Move> moves;
    bool ends;
    int32_t count;
  } cases[] = {
      {"jitter never counts", {{50, 50, 0}, {0, 0, 100}, {70, 20, 200}, {10, 60, 300}, {40, 40, 400}}, false, 0},
      {"three large moves", {{100, 0, 1000}, {200, 0, 2000}, {300, 0, 3000}}, false, 3},
      {"fourth ends, long after the third", {{100, 0, 1000}, {200, 0, 3000}, {300, 0, 5000}, {400, 0, 31000}}, true, 4},
      {"a counted move after 10 s restarts the count",
       {{100, 0, 1000}, {200, 0, 13000}, {300, 0, 13100}, {400, 0, 13200}, {500, 0, 13300}}, false, 3},
      {"four more after the restart end it",
       {{100, 0, 1000}, {200, 0, 13000}, {300, 0, 13100}, {400, 0, 13200}, {500, 0, 13300}, {600, 0, 13400}},
       true, 4},
      {"a move just beyond 75 pixels counts", {{45, std::nextafter(60.0f, 100.0f), 1000}}, false, 1},
      {"ticks that wrap around are 513 ms apart", {{100, 0, 0xFFFFFEFFu}, {200, 0, 0x100u}}, false, 2},
  };
  for (const auto& c : cases) {
    presentation::ResetPacingState();
    SaverWindow w;
    for (const auto& m : c.moves) {
      clock.now = m.tick + 1;  // tick 0 stands for "no counted move yet"
      w.CheckMouseMove(m.x, m.y);
    }
    EXPECT_EQ(Ended(w), c.ends) << c.name;
    EXPECT_EQ(w.MoveCount, c.count) << c.name;
  }
  presentation::ResetPacingState();
  SaverWindow ignoring;
  ignoring.IgnoreMouseMove = true;
  for (float x : {100.f, 200.f, 300.f, 400.f, 500.f}) ignoring.CheckMouseMove(x, 0);
  EXPECT_FALSE(presentation::pacing().G_bCancel);
}

TEST_F(SaverWindowTest, KeysEndTheSaverUnlessTheyAreCaptureKeys) {
  const std::string pictures = testsupport::MakeTempDir();
  screenCapture().CaptureFolder = pictures;
  std::vector<std::string> wallpapers;
  screenCapture().SetWallpaper = [&](const std::string& path) {
    wallpapers.push_back(path);
    return true;
  };
  struct Case {
    bool captureKeys;
    int key;
    const char* text;
    bool ends;
  } cases[] = {
      {false, Qt::Key_Space, " ", true}, {true, Qt::Key_Space, " ", false}, {true, Qt::Key_D, "d", false},
      {true, Qt::Key_F, "F", false},     {true, Qt::Key_X, "x", true},      {false, Qt::Key_D, "d", true},
      {true, Qt::Key_Shift, "", true},
  };
  for (const auto& c : cases) {
    presentation::ResetPacingState();
    SaverWindow w;
    w.CaptureKeysOn = c.captureKeys;
    w.HandleKeyDown(c.key);
    if (!presentation::pacing().G_bCancel) w.HandleKeyPress(QString::fromLatin1(c.text));
    EXPECT_EQ(presentation::pacing().G_bCancel, c.ends) << c.key;
  }
  // D saved a capture and made it the wallpaper, F only saved one.
  EXPECT_EQ(wallpapers.size(), 1u);
  EXPECT_EQ(store::GetRegSettingRaw("Advanced", "Adv_ImageBufferIndex", ""), "2");
  EXPECT_TRUE(std::filesystem::exists(pictures + "/Zorvane_ScreenCapture_1.bmp"));
  EXPECT_TRUE(std::filesystem::exists(pictures + "/Zorvane_ScreenCapture_2.bmp"));
  std::filesystem::remove_all(pictures);
}

// The saver is black behind its pictures, but the windows it shows over itself are not: a
// message box parented to it draws its text exactly as a box without a parent does, and a dialog
// parented to it keeps the normal window colour.
TEST_F(SaverWindowTest, WindowsOverTheSaverKeepTheirOwnColours) {
  SaverWindow saver;
  saver.canvas()->hide();  // the saver's own background, not the canvas over it
  saver.resize(320, 240);
  saver.show();
  QCoreApplication::processEvents();
  const QImage own = saver.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(own.size(), QSize(320, 240));
  EXPECT_EQ(own.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(own.pixel(319, 239), qRgb(0, 0, 0));

  // The text part of a box as it is drawn: its pixels, and how many of them stand out from the
  // box's background.
  struct Text {
    QImage pixels;
    int standingOut = 0;
  };
  auto textOf = [](QMessageBox& box) {
    const QImage all = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* text = box.findChild<QTextEdit*>(QString::fromLatin1(kMessageTextName));
    Text t;
    if (text == nullptr || all.isNull()) return t;
    t.pixels = all.copy(QRect(text->mapTo(&box, QPoint(0, 0)), text->size()));
    const QColor back = box.palette().color(QPalette::Window);
    for (int y = 0; y < t.pixels.height(); ++y)
      for (int x = 0; x < t.pixels.width(); ++x) {
        const QColor c = t.pixels.pixelColor(x, y);
        t.standingOut += std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                             std::abs(c.blue() - back.blue()) > 192;
      }
    return t;
  };
  const std::string message = "The screen capture could not be saved as\n/home/user/Pictures/Zorvane_ScreenCapture_1.bmp";
  QMessageBox alone;
  QMessageBox over(&saver);
  for (QMessageBox* box : {&alone, &over}) {
    ConfigureMessageBox(*box, message, "Zorvane", platform::MsgIcon::Exclamation, platform::MsgButtons::Ok, 0);
    box->show();
  }
  QCoreApplication::processEvents();
  const Text plain = textOf(alone);
  ASSERT_FALSE(plain.pixels.isNull());
  ASSERT_GT(plain.standingOut, 100) << "a box without a parent shows no text to compare with";
  const Text shown = textOf(over);
  EXPECT_EQ(over.palette().color(QPalette::Window).name(), alone.palette().color(QPalette::Window).name());
  EXPECT_EQ(shown.standingOut, plain.standingOut);
  EXPECT_TRUE(shown.pixels == plain.pixels) << "the box over the saver draws its text otherwise";

  QDialog dialog(&saver);
  dialog.show();
  QCoreApplication::processEvents();
  const QString normal = QApplication::palette(&dialog).color(QPalette::Window).name();
  EXPECT_EQ(dialog.palette().color(QPalette::Window).name(), normal);
  const QImage dialogPixels = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(dialogPixels.isNull());
  EXPECT_EQ(dialogPixels.pixelColor(dialogPixels.width() / 2, dialogPixels.height() / 2).name(), normal);
}

TEST_F(SaverWindowTest, ExitFadeComposesTheFrameAgain) {
  struct Case {
    int32_t steps, size, percent, copies;
  } cases[] = {{16, 5, 0, 16}, {20, 5, 0, 18}, {16, 5, 40, 16}, {3, 0, 0, 3}, {0, 5, 0, 0}, {-2, -50, 0, 0}};
  for (const auto& c : cases) {
    presentation::SetFilterAndDesktopBlend(0, 0, c.percent, 0);
    sink.copies.clear();
    FadeOutOnExit(c.steps, c.size);
    EXPECT_EQ(static_cast<int32_t>(sink.copies.size()), c.copies) << c.steps << "x" << c.size;
  }
  // Closing through a key runs the fade; the frame is composed sixteen more times.
  presentation::SetFilterAndDesktopBlend(0, 0, 0, 0);
  sink.copies.clear();
  {
    SaverWindow w;
    w.show();
    w.EndSaver();
    EXPECT_TRUE(presentation::pacing().G_bCancel);
  }
  EXPECT_EQ(sink.copies.size(), 16u);
}

// Drawing into a daemon's window, the saver ends at the first frame that finds the window gone;
// in its own window (no daemon window) it never asks.
TEST_F(SaverWindowTest, SaverInADaemonsWindowEndsWhenTheWindowIsGone) {
  struct Case {
    int64_t daemonWindow;
    bool alive;
    bool stops;
    int checks;
  } cases[] = {{0, false, false, 0}, {0x400007, true, false, 1}, {0x400007, false, true, 1}};
  for (const auto& c : cases) {
    presentation::pacing().G_bCancel = false;
    presentation::pacing().SaverHostWindow = c.daemonWindow;
    clock.hostAlive = c.alive;
    clock.windowChecks = 0;
    EXPECT_EQ(presentation::PaceFrameAndCheckHost(), c.stops) << c.daemonWindow << " " << c.alive;
    EXPECT_EQ(presentation::pacing().G_bCancel, c.stops);
    EXPECT_EQ(clock.windowChecks, c.checks);
  }
}

// A daemon owns the keyboard and the mouse: no key, button or move ends the saver.
TEST_F(SaverWindowTest, InputOwnedByADaemonNeverEndsTheSaver) {
  SaverWindow w;
  w.InputEndsSaver = false;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
  QApplication::sendEvent(&w, &key);
  for (int i = 1; i <= 5; ++i) {
    QMouseEvent move(QEvent::MouseMove, QPointF(i * 200.0, 0), QPointF(i * 200.0, 0), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
  }
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
  EXPECT_FALSE(presentation::pacing().G_bCancel);
  EXPECT_EQ(w.MoveCount, 0);
  // The same key ends a saver that owns its input.
  SaverWindow own;
  QApplication::sendEvent(&own, &key);
  EXPECT_TRUE(presentation::pacing().G_bCancel);
}
