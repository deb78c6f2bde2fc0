#include "host/picture_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <vector>

#include "host/qt_test_app.h"
#include "host/shm_frames.h"

using namespace host;

namespace {

// What the window shows now: its backing store as the platform gives it back.
QImage OnScreen(QWidget& w) {
  return QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

uint32_t Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

}  // namespace

TEST(PictureBox, PaintsFramesStraightFromTheBufferScaledOnlyWhenSizesDiffer) {
  testsupport::EnsureQtApplication();
  PictureBox pic;
  pic.setGeometry(0, 0, 40, 30);
  pic.show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(pic.isVisible());

  // A 40 x 30 frame in rows of 41 pixels: pixel (x, y) holds x + 256 * y.
  std::vector<uint32_t> frame(41 * 30, 0xFFFFFFu);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) frame[static_cast<size_t>(y * 41 + x)] = static_cast<uint32_t>(x + 256 * y);
  pic.ShowFrame(frame, 40, 30, 41, presentation::FrameRect{0, 0, 40, 30});
  QImage shown = OnScreen(pic);
  ASSERT_EQ(shown.size(), QSize(40, 30));
  EXPECT_EQ(Px(shown, 0, 0), 0u);
  EXPECT_EQ(Px(shown, 39, 29), 39u + 256u * 29u);
  EXPECT_EQ(Px(shown, 17, 5), 17u + 256u * 5u);

  // The top-left 20 x 15 pixels stretched over the whole picture: each pixel twice as wide
  // and twice as tall.
  pic.ShowFrame(frame, 20, 15, 41, presentation::FrameRect{0, 0, 40, 30});
  shown = OnScreen(pic);
  EXPECT_EQ(Px(shown, 0, 0), 0u);
  EXPECT_EQ(Px(shown, 39, 29), 19u + 256u * 14u);
  EXPECT_EQ(Px(shown, 10, 6), 5u + 256u * 3u);

  // A frame into part of the picture (one monitor of several) leaves the rest as it was;
  // a frame shorter than its rows claim is not shown at all.
  const std::vector<uint32_t> red(10 * 10, 0xFF0000u);
  pic.ShowFrame(red, 10, 10, 10, presentation::FrameRect{30, 20, 10, 10});
  pic.ShowFrame(std::span<const uint32_t>(red).first(99), 10, 10, 10, presentation::FrameRect{0, 0, 10, 10});
  shown = OnScreen(pic);
  EXPECT_EQ(Px(shown, 35, 25), 0xFF0000u);
  EXPECT_EQ(Px(shown, 29, 25), 14u + 256u * 12u);
  EXPECT_EQ(Px(shown, 5, 5), 2u + 256u * 2u);

  // The frame is not kept: a later repaint of the picture shows its persistent image.
  pic.ClearPicture();
  pic.repaint();
  EXPECT_EQ(Px(OnScreen(pic), 35, 25), 0u);
}

TEST(PictureBox, WithoutAnXcbDisplayNoMemoryIsSharedAndFramesArePainted) {
  testsupport::EnsureQtApplication();  // the offscreen platform
  SharedFrames shared;
  EXPECT_FALSE(shared.installed());
  EXPECT_EQ(presentation::installedFrameMemory(), nullptr);
  EXPECT_EQ(activeSharedFrames(), nullptr);

  PictureBox pic;
  pic.setGeometry(0, 0, 16, 12);
  pic.AllowDirectPut(true);
  pic.show();
  QCoreApplication::processEvents();
  const std::vector<uint32_t> frame(16 * 12, 0x123456u);
  pic.ShowFrame(frame, 16, 12, 16, presentation::FrameRect{0, 0, 16, 12});
  EXPECT_EQ(Px(OnScreen(pic), 8, 6), 0x123456u);
  EXPECT_EQ(shared.directPuts(), 0);
}
