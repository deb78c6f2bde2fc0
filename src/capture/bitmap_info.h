// clsBitmap: the header of one uncompressed 24-bit bitmap of the video recording (the 14-byte
// file header, held in memory only, and the 40-byte information header) and the buffer that
// receives the pixel bits of one frame. The information block, the information header in its
// file layout, is the stream format of an uncompressed recording.
//
// The bits are width x height x 3 bytes of rows of blue, green, red pixels, bottom row first,
// with no padding between rows: the recording makes the width a multiple of 4 first, so that
// the rows of a 24-bit bitmap need none.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "host/screen_capture.h"

namespace capture {

class clsBitmap {
 public:
  // Sets every field for a bitmap of W x H pixels: biSizeImage = W x H x 3, bfSize that + 54;
  // the bits are replaced by a new buffer of that size, all zero (black). A negative size is
  // taken as 0, and a size whose bits would not fit a 32-bit count as 0 x 0.
  void SetupImageProps(int32_t width, int32_t height);

  int32_t BitCount() const { return info_.biBitCount; }
  int32_t Height() const { return info_.biHeight; }
  int32_t Width() const { return info_.biWidth; }
  int32_t Compression() const { return static_cast<int32_t>(info_.biCompression); }
  int32_t SizeInfoHeader() const { return static_cast<int32_t>(info_.biSize); }
  int32_t SizeImage() const { return static_cast<int32_t>(info_.biSizeImage); }
  int32_t Planes() const { return info_.biPlanes; }
  int32_t ClrImportant() const { return static_cast<int32_t>(info_.biClrImportant); }
  int32_t ClrUsed() const { return static_cast<int32_t>(info_.biClrUsed); }
  int32_t XPPM() const { return info_.biXPelsPerMeter; }
  int32_t YPPM() const { return info_.biYPelsPerMeter; }
  int32_t FileType() const { return file_.bfType; }
  // The size of the whole bitmap file (not of its 14-byte header).
  int32_t SizeFileHeader() const { return static_cast<int32_t>(file_.bfSize); }
  int32_t BitOffset() const { return static_cast<int32_t>(file_.bfOffBits); }

  // The frame bits (SizeImage bytes); empty before the first SetupImageProps. Valid until the
  // next SetupImageProps.
  std::span<uint8_t> PointerToBits() { return bits_; }
  std::span<const uint8_t> PointerToBits() const { return bits_; }
  // The information block (the 40-byte information header); empty before the first
  // SetupImageProps.
  std::span<const uint8_t> PointerToBitmapInfo() const { return std::span<const uint8_t>(infoBlock_.data(), infoSize_); }
  int32_t SizeBitmapInfo() const { return static_cast<int32_t>(infoSize_); }

 private:
  host::BitmapFileHeader file_;
  host::BitmapInfoHeader info_;
  std::array<uint8_t, 40> infoBlock_{};
  size_t infoSize_ = 0;
  std::vector<uint8_t> bits_;
};

}  // namespace capture
