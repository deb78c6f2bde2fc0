#include "capture/bitmap_info.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_support.h"

namespace {

using capture::clsBitmap;

TEST(clsBitmap, InformationBlockAt320x240MatchesTheGoldenFile) {
  clsBitmap bmp;
  EXPECT_TRUE(bmp.PointerToBitmapInfo().empty());
  EXPECT_TRUE(bmp.PointerToBits().empty());
  bmp.SetupImageProps(320, 240);
  const std::string golden = testsupport::ReadFile(testsupport::FixturePath("bitmap_info_320x240.bin"));
  ASSERT_EQ(golden.size(), 40u);
  const auto block = bmp.PointerToBitmapInfo();
  ASSERT_EQ(block.size(), 40u);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), reinterpret_cast<const uint8_t*>(golden.data())));
}

struct SizeCase {
  int32_t w, h;
  int32_t sizeImage, sizeFile;
};

TEST(clsBitmap, PropertiesFollowTheSize) {
  for (const SizeCase& c : {SizeCase{320, 240, 230400, 230454}, SizeCase{1920, 1080, 6220800, 6220854},
                            SizeCase{32, 32, 3072, 3126}, SizeCase{-5, 10, 0, 54}, SizeCase{50000, 50000, 0, 54}}) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    clsBitmap bmp;
    bmp.SetupImageProps(c.w, c.h);
    EXPECT_EQ(bmp.SizeImage(), c.sizeImage);
    EXPECT_EQ(bmp.SizeFileHeader(), c.sizeFile);
    EXPECT_EQ(bmp.PointerToBits().size(), static_cast<size_t>(c.sizeImage));
    EXPECT_EQ(bmp.BitOffset(), 54);
    EXPECT_EQ(bmp.SizeBitmapInfo(), 40);
    EXPECT_EQ(bmp.SizeInfoHeader(), 40);
    EXPECT_EQ(bmp.FileType(), 19778);
    EXPECT_EQ(bmp.BitCount(), 24);
    EXPECT_EQ(bmp.Planes(), 1);
    EXPECT_EQ(bmp.Compression(), 0);
    EXPECT_EQ(bmp.XPPM() | bmp.YPPM() | bmp.ClrUsed() | bmp.ClrImportant(), 0);
    const auto block = bmp.PointerToBitmapInfo();
    EXPECT_EQ(block[0], 40);
    EXPECT_EQ(block[1] | block[2] | block[3], 0);
    if (c.sizeImage > 0) {
      EXPECT_EQ(bmp.Width(), c.w);
      EXPECT_EQ(bmp.Height(), c.h);
    }
  }
}

TEST(clsBitmap, SecondSetupGivesANewBlackBuffer) {
  clsBitmap bmp;
  bmp.SetupImageProps(320, 240);
  std::fill(bmp.PointerToBits().begin(), bmp.PointerToBits().end(), uint8_t{0x7F});
  const uint8_t* first = bmp.PointerToBits().data();
  bmp.SetupImageProps(640, 480);
  EXPECT_NE(bmp.PointerToBits().data(), first);
  EXPECT_EQ(bmp.Width(), 640);
  EXPECT_TRUE(std::all_of(bmp.PointerToBits().begin(), bmp.PointerToBits().end(), [](uint8_t b) { return b == 0; }));
}

}  // namespace
