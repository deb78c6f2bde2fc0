#include "capture/bitmap_info.h"

#include <limits>

namespace capture {

void clsBitmap::SetupImageProps(int32_t width, int32_t height) {
  int64_t w = width < 0 ? 0 : width;
  int64_t h = height < 0 ? 0 : height;
  constexpr int64_t kMaxImage = std::numeric_limits<int32_t>::max() - 54;
  if (w * h * 3 > kMaxImage) w = h = 0;
  const uint32_t imageBytes = static_cast<uint32_t>(w * h * 3);
  host::SetupBitmap24Headers(static_cast<int32_t>(w), static_cast<int32_t>(h), imageBytes, file_, info_);
  // A new buffer, so that a new recording starts from black bits.
  std::vector<uint8_t>(imageBytes, 0).swap(bits_);
  infoBlock_ = host::SerializeBitmapInfoHeader(info_);
  infoSize_ = file_.bfOffBits - 14;
}

}  // namespace capture
