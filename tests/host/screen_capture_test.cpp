#include "host/screen_capture.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include <filesystem>
#include <string>
#include <vector>

#include "presentation/compositor.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "host/qt_test_app.h"
#include "support/test_support.h"

using namespace host;

namespace {

void EnsureGuiApplication() { testsupport::EnsureQtApplication(); }

struct RecordingPicture : CapturePicture {
  void SetCapturedImage(const QImage& image) override { images.push_back(image); }
  std::vector<QImage> images;
};

std::string StoredIndex() { return store::GetRegSettingRaw("Advanced", "Adv_ImageBufferIndex", "<missing>"); }

// A frame of w x h pixels with row stride `stride`, pixel (x, y) = pixels[y * stride + x].
void SetFrame(int32_t w, int32_t h, int32_t stride, const std::vector<uint32_t>& pixels) {
  presentation::RenderState& r = presentation::render();
  r.RenderWidth = w;
  r.RenderHeight = h;
  r.BufferStride = stride;
  r.FrameBuffer.assign(pixels.begin(), pixels.end());
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

class ScreenCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    presentation::ResetRenderState();
    presentation::ResetCompositorState();
    ResetScreenCaptureState();
    dir = testsupport::MakeTempDir();
    screenCapture().CaptureFolder = dir + "/captures";
    screenCapture().SetWallpaper = [this](const std::string& path) {
      wallpapers.push_back(path);
      return wallpaperAccepted;
    };
    presentation::render().ScreenPixelWidth = 40;
    presentation::render().ScreenPixelHeight = 30;
    SetFrame(16, 12, 16, std::vector<uint32_t>(16 * 12 + 1, 0x204060));
  }
  void TearDown() override {
    ResetScreenCaptureState();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::string CapturePath(int n) const {
    return dir + "/captures/Zorvane_ScreenCapture_" + std::to_string(n) + ".bmp";
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  std::string dir;
  std::vector<std::string> wallpapers;
  bool wallpaperAccepted = true;
};

}  // namespace

TEST_F(ScreenCaptureTest, FrameImageAppliesTheActiveFilter) {
  // 2 x 2 pixels in rows of 3; the top byte of a pixel never shows.
  SetFrame(2, 2, 3, {0x112233, 0x000000, 0xABCDEF, 0xFF80FF01, 0xFFFFFF});
  struct Case {
    int32_t mode, mask;
    std::vector<QRgb> expect;  // (0,0), (1,0), (0,1), (1,1)
  } cases[] = {
      {0, 0xFFFFFF, {0xFF112233, 0xFF000000, 0xFF80FF01, 0xFFFFFFFF}},
      {2, 0xFFFFFF, {0xFFEEDDCC, 0xFFFFFFFF, 0xFF7F00FE, 0xFF000000}},  // the negative
      {1, 0xFF0000, {0xFF110000, 0xFF000000, 0xFF800000, 0xFFFF0000}},
  };
  for (const Case& c : cases) {
    presentation::compositor().FilterMode = c.mode;
    presentation::compositor().FilterMask = c.mask;
    const QImage image = FrameToImage();
    ASSERT_EQ(image.size(), QSize(2, 2));
    const std::vector<QRgb> got{image.pixel(0, 0), image.pixel(1, 0), image.pixel(0, 1), image.pixel(1, 1)};
    EXPECT_EQ(got, c.expect) << "mode " << c.mode;
  }

  // A buffer shorter than the frame gives black where it has no pixel; no size, no image.
  SetFrame(4, 2, 4, {0x010101});
  presentation::compositor().FilterMode = 0;
  EXPECT_EQ(FrameToImage().pixel(3, 1), 0xFF000000u);
  SetFrame(0, 12, 0, {});
  EXPECT_TRUE(FrameToImage().isNull());
}

TEST_F(ScreenCaptureTest, CopyGoesToPictureAndClipboard) {
  RecordingPicture picture;
  presentation::compositor().FilterMode = 2;
  presentation::compositor().FilterMask = 0xFFFFFF;
  const QImage image = CopyFrameToPicture(&picture);
  ASSERT_EQ(picture.images.size(), 1u);
  EXPECT_EQ(picture.images[0].size(), QSize(16, 12));
  EXPECT_EQ(picture.images[0].pixel(5, 5), 0xFFDFBF9Fu);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), image);

  // After a change of the render size the picture takes the new size.
  SetFrame(20, 14, 20, std::vector<uint32_t>(20 * 14 + 1, 0));
  CopyFrameToPicture(&picture);
  EXPECT_EQ(picture.images.back().size(), QSize(20, 14));
  EXPECT_EQ(screenCapture().LastCopyWidth, 20);
}

TEST_F(ScreenCaptureTest, CaptureNumbering) {
  struct Case {
    const char* index;  // nullptr: not stored
    const char* max;
    int number;
    const char* storedAfter;
  } cases[] = {
      {nullptr, nullptr, 1, "1"},  // the first capture
      {"98", nullptr, 99, "99"},
      {"99", nullptr, 100, "0"},  // the hundredth starts the numbering again
      {"150", nullptr, 151, "51"},
      {"5", "0", 6, "0"},  // a maximum of 0 or less behaves as 1
      {"0", "-3", 1, "0"},
      {"4", "10", 5, "5"},
      {"-7", nullptr, 1, "1"},
  };
  for (const Case& c : cases) {
    testsupport::TempConfig fresh;
    if (c.index) store::SaveRegSetting("Advanced", "Adv_ImageBufferIndex", c.index);
    if (c.max) store::SaveRegSetting("Advanced", "Adv_ImageBufferMax", c.max);
    EXPECT_TRUE(SaveScreenCapture(nullptr, false)) << c.number;
    EXPECT_TRUE(GetFileLength(CapturePath(c.number))) << c.number;
    EXPECT_EQ(StoredIndex(), c.storedAfter) << c.number;
  }
  EXPECT_TRUE(wallpapers.empty());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ScreenCaptureTest, CaptureFileHoldsTheFilteredFrame) {
  presentation::compositor().FilterMode = 2;
  presentation::compositor().FilterMask = 0xFFFFFF;
  presentation::render().FrameBuffer[0] = 0x102030;  // top-left pixel
  ASSERT_TRUE(SaveScreenCapture(nullptr, false));
  BitmapFileHeader file;
  BitmapInfoHeader info;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(CapturePath(1), file, info, bytes));
  EXPECT_EQ(info.biWidth, 16);
  EXPECT_EQ(info.biHeight, 12);
  EXPECT_EQ(info.biBitCount, 24);
  ASSERT_EQ(bytes.size(), 16u * 12u * 3u);
  // Rows lie bottom-up: the top row is the last one; bytes blue, green, red.
  const size_t top = 11 * 16 * 3;
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + top, bytes.begin() + top + 6),
            (std::vector<uint8_t>{0xCF, 0xDF, 0xEF, 0x9F, 0xBF, 0xDF}));
}

TEST_F(ScreenCaptureTest, WallpaperIsTheWrittenFileStretchedToTheScreen) {
  ASSERT_TRUE(SaveScreenCapture(nullptr, true));
  ASSERT_EQ(wallpapers, (std::vector<std::string>{CapturePath(1)}));
  BitmapFileHeader file;
  BitmapInfoHeader info;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(CapturePath(1), file, info, bytes));
  EXPECT_EQ(info.biWidth, 40);
  EXPECT_EQ(info.biHeight, 30);
  EXPECT_TRUE(messages.messages.empty());

  // A desktop that refuses the picture is reported; the capture itself counts.
  wallpaperAccepted = false;
  EXPECT_TRUE(SaveScreenCapture(nullptr, true));
  EXPECT_EQ(wallpapers.back(), CapturePath(2));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("wallpaper"), std::string::npos);
  EXPECT_EQ(StoredIndex(), "2");
}

TEST_F(ScreenCaptureTest, FailedWriteKeepsTheIndexAndTheWallpaper) {
  // The capture folder lies below a plain file, so it cannot be made.
  testsupport::WriteFile(dir + "/blocker", "x");
  screenCapture().CaptureFolder = dir + "/blocker/captures";
  store::SaveRegSetting("Advanced", "Adv_ImageBufferIndex", "4");
  for (bool wallpaper : {false, true}) {
    EXPECT_FALSE(SaveScreenCapture(nullptr, wallpaper));
    EXPECT_EQ(StoredIndex(), "4");
  }
  EXPECT_TRUE(wallpapers.empty());
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_NE(messages.messages[0].text.find("Zorvane_ScreenCapture_5.bmp"), std::string::npos);

  // Without a frame there is nothing to save either.
  screenCapture().CaptureFolder = dir + "/captures";
  SetFrame(0, 0, 0, {});
  EXPECT_FALSE(SaveScreenCapture(nullptr, true));
  EXPECT_FALSE(GetFileLength(CapturePath(5)));
  EXPECT_EQ(StoredIndex(), "4");
  EXPECT_TRUE(wallpapers.empty());
}

TEST_F(ScreenCaptureTest, BitmapFileLayout) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.setPixel(0, 0, 0xFF010203);
  image.setPixel(1, 0, 0xFF040506);
  image.setPixel(2, 0, 0xFF070809);
  image.setPixel(0, 1, 0xFF0A0B0C);
  image.setPixel(1, 1, 0xFF0D0E0F);
  image.setPixel(2, 1, 0xFF101112);
  const std::string path = dir + "/layout.bmp";
  ASSERT_TRUE(WriteBitmapFile(path, image));
  const std::string expect =
      Bytes({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,             // file header
             40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
             24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             // bottom row first, blue green red, padded to 12 bytes
             0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0, 0,
             0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0, 0});
  EXPECT_EQ(testsupport::ReadFile(path), expect);

  EXPECT_FALSE(WriteBitmapFile(dir + "/no/such/folder/x.bmp", image));
  EXPECT_FALSE(WriteBitmapFile(dir + "/null.bmp", QImage()));
  EXPECT_FALSE(GetFileLength(dir + "/null.bmp"));
}

TEST_F(ScreenCaptureTest, ReadFileBytesChecksWhatTheFileHolds) {
  // 2 x 1 pixels, 24-bit: 8 pixel bytes.
  const std::string header = Bytes({'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                    1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    0, 0, 0, 0, 0, 0, 0, 0});
  const std::string pixels = Bytes({1, 2, 3, 4, 5, 6, 0, 0});
  std::string noSize = header;
  noSize[34] = 0;  // biSizeImage 0: the size follows from the dimensions
  std::string colourTable = header;
  colourTable[10] = 58;  // pixels after a 4-byte colour table
  std::string badOffset = header;
  badOffset[10] = 20;

  struct Case {
    const char* name;
    std::string content;  // empty: no file
    bool ok;
    uint16_t typeRead;
  } cases[] = {
      {"good", header + pixels, true, 19778},
      {"size from dimensions", noSize + pixels, true, 19778},
      {"colour table", colourTable + Bytes({9, 9, 9, 9}) + pixels, true, 19778},
      {"short pixels", header + pixels.substr(0, 5), false, 19778},
      {"short header", header.substr(0, 30), false, 19778},
      {"shorter than a file header", "BM12", false, 0},
      {"not BM", "PK" + header.substr(2) + pixels, false, 0x4B50},
      {"offset inside the headers", badOffset + pixels, false, 19778},
      {"missing", "", false, 0},
  };
  for (const Case& c : cases) {
    const std::string path = dir + "/case.bmp";
    std::filesystem::remove(path);
    if (!c.content.empty()) testsupport::WriteFile(path, c.content);
    BitmapFileHeader file;
    BitmapInfoHeader info;
    info.biWidth = -99;
    std::vector<uint8_t> bytes{42};
    EXPECT_EQ(ReadFileBytes(path, file, info, bytes), c.ok) << c.name;
    EXPECT_EQ(file.bfType, c.typeRead) << c.name;
    if (c.ok) {
      EXPECT_EQ(info.biWidth, 2) << c.name;
      EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0, 0})) << c.name;
    } else {
      EXPECT_EQ(info.biWidth, -99) << c.name;
      EXPECT_EQ(bytes, std::vector<uint8_t>{42}) << c.name;
    }
  }
  EXPECT_FALSE(GetFileLength(dir));  // a folder has no length
}

TEST_F(ScreenCaptureTest, DesktopCaptureFeedsTheDesktopBlend) {
  // Top half red, bottom half blue.
  QImage desktop(8, 4, QImage::Format_RGB32);
  desktop.fill(0xFFFF0000);
  for (int y = 2; y < 4; ++y)
    for (int x = 0; x < 8; ++x) desktop.setPixel(x, y, 0xFF0000FF);
  int grabs = 0;
  screenCapture().GrabDesktop = [&] {
    ++grabs;
    return desktop;
  };
  SetFrame(16, 12, 16, {});
  ASSERT_TRUE(CaptureDesktopImage());
  const presentation::CompositorState& c = presentation::compositor();
  ASSERT_EQ(c.DesktopByteCount, 16 * 12 * 3);
  ASSERT_EQ(c.DesktopBytes.size(), 576u);
  EXPECT_EQ(c.DesktopWork.size(), 576u);
  // The bottom row (blue) lies first, the top row (red) last; bytes blue, green, red.
  EXPECT_EQ(std::vector<uint8_t>(c.DesktopBytes.begin(), c.DesktopBytes.begin() + 3),
            (std::vector<uint8_t>{255, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(c.DesktopBytes.end() - 3, c.DesktopBytes.end()), (std::vector<uint8_t>{0, 0, 255}));

  // Before the render size is set, the stored size is used, rounded as frames are.
  store::SaveRegSetting("DirectX", "DX_WinWidth", "30");
  store::SaveRegSetting("DirectX", "DX_WinHeight", "5");
  SetFrame(0, 0, 0, {});
  ASSERT_TRUE(CaptureDesktopImage());
  EXPECT_EQ(presentation::compositor().DesktopByteCount, 32 * 12 * 3);

  // No picture of the screen: no desktop image, so no desktop blend.
  desktop = QImage();
  EXPECT_FALSE(CaptureDesktopImage());
  EXPECT_EQ(presentation::compositor().DesktopByteCount, 0);
  EXPECT_TRUE(presentation::compositor().DesktopBytes.empty());
  EXPECT_EQ(grabs, 3);
}
