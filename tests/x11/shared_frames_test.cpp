// Frames shown from shared memory on a private X server: the window's pixels are read back
// through a connection of the test's own.
#include "host/shm_frames.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "e2e/xvfb_session.h"
#include "host/picture_box.h"
#include "presentation/render_state.h"
#include "support/test_support.h"

using host::PictureBox;
using host::SharedFrames;

namespace {

constexpr int kW = 64, kH = 48;

// One X server and one xcb application for the whole program; the application ends before
// the server.
class XcbApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    server = std::make_unique<e2e::XvfbSession>(320, 240);
    if (!server->ok()) return;
    runtimeDir = testsupport::MakeTempDir();
    std::filesystem::permissions(runtimeDir, std::filesystem::perms::owner_all);
    qputenv("XDG_RUNTIME_DIR", runtimeDir.c_str());
    qputenv("DISPLAY", server->display().c_str());
    // No session bus: the windows under test need none, and none of the user's is reached.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    qputenv("QT_QPA_PLATFORM", "xcb");
    app = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override {
    app.reset();
    server.reset();
    std::error_code ec;
    std::filesystem::remove_all(runtimeDir, ec);
  }
  static inline std::unique_ptr<e2e::XvfbSession> server;
  static inline std::unique_ptr<QApplication> app;

 private:
  std::string runtimeDir;
  int argc = 1;
  char name[16] = "test_x11";
  char* argv[2] = {name, nullptr};
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new XcbApplication);

uint32_t Pattern(int x, int y, uint32_t seed) {
  return ((static_cast<uint32_t>(x) * 4u + seed) & 0xFFu) << 16 | ((static_cast<uint32_t>(y) * 5u) & 0xFFu) << 8 |
         ((static_cast<uint32_t>(x + y) + seed) & 0xFFu);
}

template <class Pixels>
void Fill(Pixels& frame, int w, int h, uint32_t seed) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) frame[static_cast<size_t>(y * w + x)] = Pattern(x, y, seed);
}

// A top-level window with a picture at (7, 5), shown.
struct Screen {
  Screen() {
    top.setGeometry(0, 0, 100, 80);
    top.setStyleSheet(QStringLiteral("background: black;"));
    pic = new PictureBox(&top);
    pic->setGeometry(7, 5, kW, kH);
    top.show();
  }
  // The picture's pixels as the server holds them, once Qt's requests are done.
  std::vector<uint32_t> Shown() {
    xcb_connection_t* qt = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    return XcbApplication::server->Grab(static_cast<xcb_window_t>(top.winId()), 7, 5, kW, kH);
  }
  QWidget top;
  PictureBox* pic;
};

class SharedFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(XcbApplication::app) << "no X server";
    presentation::ResetRenderState();
  }
  void TearDown() override { presentation::ResetRenderState(); }
};

}  // namespace

TEST_F(SharedFramesTest, FramesInSharedMemoryArePutStraightIntoTheWindow) {
  SharedFrames shared;
  ASSERT_TRUE(shared.installed());
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(kW * kH + 1, 0u);
  EXPECT_EQ(shared.segmentCount(), 1u);

  Screen screen;
  screen.pic->AllowDirectPut(true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen.top));
  QTest::qWait(50);

  // Where the frame goes: all of the picture, a part from an offset, a part clipped at the
  // top left. The rest of the picture keeps the black frame shown before.
  const presentation::FrameRect cases[] = {{0, 0, kW, kH}, {10, 6, kW, kH}, {-5, -4, kW, kH}};
  uint32_t seed = 0;
  for (const auto& dest : cases) {
    SCOPED_TRACE(testing::Message() << "dest " << dest.Left << "," << dest.Top);
    std::fill(r.FrameBuffer.begin(), r.FrameBuffer.end(), 0u);
    screen.pic->ShowFrame(r.FrameBuffer, kW, kH, kW, presentation::FrameRect{0, 0, kW, kH});
    Fill(r.FrameBuffer, kW, kH, seed += 40);
    const int64_t before = shared.directPuts();
    screen.pic->ShowFrame(r.FrameBuffer, kW, kH, kW, dest);
    EXPECT_EQ(shared.directPuts(), before + 1);
    // The server took a copy: the buffer may change at once, and Qt paints nothing over it.
    const std::vector<uint32_t> expected = [&] {
      std::vector<uint32_t> e(kW * kH, 0u);
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
          const int fx = x - dest.Left, fy = y - dest.Top;
          if (fx >= 0 && fy >= 0 && fx < kW && fy < kH) e[static_cast<size_t>(y * kW + x)] = Pattern(fx, fy, seed);
        }
      return e;
    }();
    std::fill(r.FrameBuffer.begin(), r.FrameBuffer.end(), 0xFFFFFFu);
    QTest::qWait(30);
    EXPECT_EQ(screen.Shown(), expected);
  }

  presentation::ResetRenderState();  // the buffer goes back: its segment is detached
  EXPECT_EQ(shared.segmentCount(), 0u);
}

TEST_F(SharedFramesTest, OtherFramesTakeTheOrdinaryPath) {
  SharedFrames shared;
  ASSERT_TRUE(shared.installed());
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(kW * kH + 1, 0u);
  Fill(r.FrameBuffer, kW, kH, 7);
  std::vector<uint32_t> heap(kW * kH, 0u);
  Fill(heap, kW, kH, 99);

  Screen screen;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen.top));
  QTest::qWait(50);

  // A frame in shared memory for a picture that does not allow direct puts.
  screen.pic->ShowFrame(r.FrameBuffer, kW, kH, kW, presentation::FrameRect{0, 0, kW, kH});
  std::vector<uint32_t> shown = screen.Shown();
  ASSERT_EQ(shown.size(), heap.size());
  EXPECT_EQ(shown[static_cast<size_t>(9 * kW + 20)], Pattern(20, 9, 7));

  // A frame on the heap, and a frame that must be scaled, for a picture that allows them.
  screen.pic->AllowDirectPut(true);
  screen.pic->ShowFrame(heap, kW, kH, kW, presentation::FrameRect{0, 0, kW, kH});
  EXPECT_EQ(screen.Shown(), heap);
  screen.pic->ShowFrame(r.FrameBuffer, kW / 2, kH / 2, kW, presentation::FrameRect{0, 0, kW, kH});
  shown = screen.Shown();
  ASSERT_EQ(shown.size(), heap.size());
  EXPECT_EQ(shown[static_cast<size_t>(40 * kW + 60)], Pattern(30, 20, 7));
  EXPECT_EQ(shared.directPuts(), 0);
}

TEST_F(SharedFramesTest, EndingTheRunMovesTheBuffersBackToTheHeap) {
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(kW * kH + 1, 0u);
  Fill(r.FrameBuffer, kW, kH, 3);
  {
    SharedFrames shared;
    ASSERT_TRUE(shared.installed());
    EXPECT_EQ(presentation::installedFrameMemory(), &shared);
    EXPECT_EQ(host::activeSharedFrames(), &shared);
    EXPECT_EQ(shared.segmentCount(), 1u);  // the buffer moved into a segment
    SharedFrames second;                   // one at a time
    EXPECT_FALSE(second.installed());
  }
  EXPECT_EQ(presentation::installedFrameMemory(), nullptr);
  EXPECT_EQ(host::activeSharedFrames(), nullptr);
  ASSERT_EQ(r.FrameBuffer.size(), static_cast<size_t>(kW * kH + 1));
  EXPECT_EQ(r.FrameBuffer[static_cast<size_t>(47 * kW + 63)], Pattern(63, 47, 3));
}
