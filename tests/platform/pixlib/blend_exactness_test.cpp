// The whole-frame calls against plain one-pixel-at-a-time references of the arithmetic their
// header states: every channel value at every level and weight, in each channel position, and
// whole frames of odd sizes in the compositor's geometry, for every filter mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/pixlib/pixlib.h"

using namespace pixlib;

namespace {

// ---- References: the header's arithmetic, one channel at a time, rows in walk order. ----

uint32_t RefTrail(uint32_t px, int32_t levelCode) {
  const uint32_t L = static_cast<uint32_t>(std::clamp(levelCode, 720, 820) - 720);
  uint32_t out = 0;
  for (int ch = 0; ch < 3; ++ch) out |= (((px >> (8 * ch)) & 0xFFu) * L / 100u) << (8 * ch);
  return out;
}

uint32_t RefFilter(uint32_t px, int32_t mode, int32_t mask) {
  const uint32_t m = static_cast<uint32_t>(mask) & 0xFFFFFFu;
  return mode == 1 ? (px & m) : mode == 2 ? (px ^ m) : px;
}

// Calls fn(firstElement, pixelCount, walkedRow) for each walked row inside `size` elements.
template <class Fn>
void RefWalk(size_t size, int32_t width, int32_t height, int32_t pitch, int32_t start, Fn fn) {
  if (width <= 0 || height <= 0 || pitch % 4 != 0 || std::abs(int64_t{pitch}) < 4 * int64_t{width}) return;
  for (int64_t k = 0; k < height; ++k) {
    const int64_t rowByte = int64_t{height} * start + (k + 1) * pitch;
    if (rowByte < 0 || rowByte / 4 >= static_cast<int64_t>(size)) continue;
    const int64_t first = rowByte / 4;
    fn(static_cast<size_t>(first), static_cast<size_t>(std::min<int64_t>(width, static_cast<int64_t>(size) - first)), k);
  }
}

void RefBlend(std::vector<uint32_t>& f, int32_t w, int32_t h, int32_t code, int32_t pitch, int32_t start) {
  RefWalk(f.size(), w, h, pitch, start, [&](size_t first, size_t n, int64_t) {
    for (size_t x = 0; x < n; ++x) f[first + x] = RefTrail(f[first + x], code);
  });
}

void RefFilterBlend(std::vector<uint32_t>& f, std::vector<uint32_t>& out, int32_t w, int32_t h, int32_t code,
                    int32_t pitch, int32_t start, int32_t mode, int32_t mask) {
  RefWalk(f.size(), w, h, pitch, start, [&](size_t first, size_t n, int64_t) {
    for (size_t x = 0; x < n; ++x) {
      f[first + x] = RefTrail(f[first + x], code);
      if (first + x < out.size()) out[first + x] = RefFilter(f[first + x], mode, mask);
    }
  });
}

void RefDesk(std::vector<uint32_t>& f, const std::vector<uint8_t>& desk, std::vector<uint32_t>& out, int32_t w,
             int32_t h, int32_t code, int32_t weight, int32_t pitch, int32_t start, int32_t mode, int32_t mask) {
  const uint32_t W = static_cast<uint32_t>(std::clamp(weight, 0, 255));
  RefWalk(f.size(), w, h, pitch, start, [&](size_t first, size_t n, int64_t k) {
    for (size_t x = 0; x < n; ++x) {
      const uint32_t px = RefTrail(f[first + x], code);
      f[first + x] = px;
      if (first + x >= out.size()) continue;
      uint32_t mixed = 0;
      for (int ch = 0; ch < 3; ++ch) {
        const size_t at = static_cast<size_t>(k) * 3 * static_cast<size_t>(w) + 3 * x + static_cast<size_t>(ch);
        const uint32_t s = at < desk.size() ? desk[at] : 0u;
        mixed |= std::min(255u, ((px >> (8 * ch)) & 0xFFu) * W / 255u + s) << (8 * ch);
      }
      out[first + x] = RefFilter(mixed, mode, mask);
    }
  });
}

uint32_t NextRandom(uint32_t& r) {
  r ^= r << 13;
  r ^= r >> 17;
  r ^= r << 5;
  return r;
}

// 256 pixels: pixel c holds c in channel `pos`, other values in the other channels and a
// stray top byte; one spare element follows.
std::vector<uint32_t> ChannelSweep(int pos) {
  std::vector<uint32_t> f(257, 0x12345678u);
  for (uint32_t c = 0; c < 256; ++c) {
    uint32_t px = 0xA5000000u;
    for (int ch = 0; ch < 3; ++ch) px |= (ch == pos ? c : (c * 7 + 13 + 50 * ch) & 0xFFu) << (8 * ch);
    f[c] = px;
  }
  return f;
}

}  // namespace

TEST(BlendExactness, EveryChannelAtEveryLevelInEachPosition) {
  for (int pos = 0; pos < 3; ++pos) {
    const std::vector<uint32_t> sweep = ChannelSweep(pos);
    const std::vector<uint8_t> desk(3 * 256, 40);
    for (int32_t code = 720; code <= 820; ++code) {
      std::vector<uint32_t> fast = sweep, ref = sweep;
      BlendPixelRGB32(fast, 256, 1, code, -1024, 1024);
      RefBlend(ref, 256, 1, code, -1024, 1024);
      ASSERT_EQ(fast, ref) << "trail, channel " << pos << " level " << code - 720;

      std::vector<uint32_t> out(257, 0), refOut(257, 0);
      fast = sweep;
      ref = sweep;
      BlendPixel32Filter(fast, out, 256, 1, code, -1024, 1024, 2, 0x00C3A55A);
      RefFilterBlend(ref, refOut, 256, 1, code, -1024, 1024, 2, 0x00C3A55A);
      ASSERT_EQ(fast, ref) << "filter, channel " << pos << " level " << code - 720;
      ASSERT_EQ(out, refOut) << "filter, channel " << pos << " level " << code - 720;

      fast = sweep;
      ref = sweep;
      BlendPixelDeskRGB32Mask(fast, desk, out, 256, 1, code, 200, -1024, 1024, 0, 0);
      RefDesk(ref, desk, refOut, 256, 1, code, 200, -1024, 1024, 0, 0);
      ASSERT_EQ(fast, ref) << "desktop mix, channel " << pos << " level " << code - 720;
      ASSERT_EQ(out, refOut) << "desktop mix, channel " << pos << " level " << code - 720;
    }
  }
}

TEST(BlendExactness, EveryChannelAtEveryDesktopWeightInEachPosition) {
  for (int pos = 0; pos < 3; ++pos) {
    const std::vector<uint32_t> sweep = ChannelSweep(pos);
    for (int32_t weight = -1; weight <= 256; ++weight) {
      // Desktop bytes that saturate some sums and not others.
      std::vector<uint8_t> desk(3 * 256);
      for (size_t i = 0; i < desk.size(); ++i) desk[i] = static_cast<uint8_t>(i * 37 + static_cast<size_t>(weight));
      std::vector<uint32_t> fast = sweep, ref = sweep, out(257, 0), refOut(257, 0);
      BlendPixelDeskRGB32Mask(fast, desk, out, 256, 1, 820, weight, -1024, 1024, 1, 0x00F0FF0F);
      RefDesk(ref, desk, refOut, 256, 1, 820, weight, -1024, 1024, 1, 0x00F0FF0F);
      ASSERT_EQ(out, refOut) << "channel " << pos << " weight " << weight;
      ASSERT_EQ(fast, ref) << "channel " << pos << " weight " << weight;
    }
  }
}

TEST(BlendExactness, WholeFramesInTheCompositorGeometryForEveryFilterMode) {
  struct Size {
    int32_t w, h;
  } sizes[] = {{37, 5}, {1920, 1080}};
  for (const Size& sz : sizes) {
    const size_t n = static_cast<size_t>(sz.w) * static_cast<size_t>(sz.h) + 1;
    const int32_t pitch = -4 * sz.w, start = 4 * sz.w;
    uint32_t r = 0x9E3779B9u;
    std::vector<uint32_t> frame(n);
    for (auto& px : frame) px = NextRandom(r);
    std::vector<uint8_t> desk(3 * (n - 1));
    for (auto& b : desk) b = static_cast<uint8_t>(NextRandom(r));
    const bool small = sz.w < 100;
    const std::vector<int32_t> codes = small ? std::vector<int32_t>{720, 753, 816, 820} : std::vector<int32_t>{816};
    for (int32_t mode = 0; mode <= 3; ++mode) {
      for (int32_t code : codes) {
        const int32_t mask = 0x00A5C30F;
        SCOPED_TRACE(testing::Message() << sz.w << "x" << sz.h << " mode " << mode << " level " << code - 720);
        std::vector<uint32_t> fast = frame, ref = frame;
        if (mode == 0) {
          BlendPixelRGB32(fast, sz.w, sz.h, code, pitch, start);
          RefBlend(ref, sz.w, sz.h, code, pitch, start);
          ASSERT_EQ(fast, ref);
        }
        // The filter call and the desktop mix, fast and reference, from the same frame.
        const auto filterPair = [&](std::vector<uint32_t>& out, std::vector<uint32_t>& refOut) {
          std::vector<uint32_t> f = frame, r = frame;
          BlendPixel32Filter(f, out, sz.w, sz.h, code, pitch, start, mode, mask);
          RefFilterBlend(r, refOut, sz.w, sz.h, code, pitch, start, mode, mask);
          EXPECT_EQ(f, r);
          EXPECT_EQ(out, refOut);
        };
        const auto mixPair = [&](const std::vector<uint8_t>& dk, int32_t weight, std::vector<uint32_t>& out,
                                 std::vector<uint32_t>& refOut) {
          std::vector<uint32_t> f = frame, r = frame;
          BlendPixelDeskRGB32Mask(f, dk, out, sz.w, sz.h, code, weight, pitch, start, mode, mask);
          RefDesk(r, dk, refOut, sz.w, sz.h, code, weight, pitch, start, mode, mask);
          EXPECT_EQ(f, r);
          EXPECT_EQ(out, refOut);
        };
        std::vector<uint32_t> out(n, 7), refOut(n, 7);
        filterPair(out, refOut);
        mixPair(desk, 255 - 77, out, refOut);
        if (small) {
          // A desktop image that ends inside a pixel, and an output shorter than the frame.
          const std::vector<uint8_t> cut(desk.begin(), desk.begin() + 3 * 37 * 2 + 20);
          std::vector<uint32_t> shortOut(n - 50, 7), refShort(n - 50, 7);
          mixPair(cut, 90, shortOut, refShort);
          filterPair(shortOut, refShort);
        }
      }
    }
  }
}

TEST(BlendExactness, DesktopIntensityOfEveryByteAtEveryLevel) {
  std::vector<uint8_t> all(256 + 7);
  for (int32_t level = -1; level <= 257; ++level) {
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<uint8_t>(i);
    MultDesktopIntensity(all, static_cast<int32_t>(all.size()) - 3, level);
    const uint32_t l = static_cast<uint32_t>(std::clamp(level, 0, 256));
    for (size_t i = 0; i < all.size(); ++i) {
      const uint32_t expect = i + 3 < all.size() ? (i & 0xFFu) * l / 256u : (i & 0xFFu);
      ASSERT_EQ(all[i], expect) << "byte " << i << " level " << level;
    }
  }
}

TEST(BlendExactness, BitmapRowsOfAnOddFrameForEveryFilterMode) {
  // 37 x 5 in rows of stride 41; the last call's span ends inside a row.
  const int32_t w = 37, h = 5, stride = 41;
  uint32_t r = 12345;
  std::vector<uint32_t> frame(static_cast<size_t>(stride) * h);
  for (auto& px : frame) px = NextRandom(r);
  const size_t rowBytes = static_cast<size_t>(Bmp24RowBytes(w));
  for (int32_t mode = 0; mode <= 3; ++mode) {
    std::vector<uint8_t> bits(rowBytes * h, 0xEE);
    CopyRGBtoBMP(frame, bits, w, stride, h, mode, 0x00FF0FF0, 32);
    for (int32_t row = 0; row < h; ++row) {
      for (size_t b = 0; b < rowBytes; ++b) {
        const size_t x = b / 3;
        const uint32_t px = x < static_cast<size_t>(w)
                                ? RefFilter(frame[static_cast<size_t>((h - 1 - row) * stride) + x], mode, 0x00FF0FF0)
                                : 0u;
        ASSERT_EQ(bits[static_cast<size_t>(row) * rowBytes + b], x < static_cast<size_t>(w) ? (px >> (8 * (b % 3))) & 0xFFu : 0u)
            << "mode " << mode << " row " << row << " byte " << b;
      }
    }
    // A short frame (its first rows are missing) and a span cut inside a pixel.
    std::vector<uint8_t> cut(rowBytes * 2 + 50, 0xEE);
    CopyRGBtoBMP(std::span<const uint32_t>(frame).first(static_cast<size_t>(stride) * 3 + 10), cut, w, stride, h,
                 mode, 0x00FF0FF0, 32);
    for (size_t b = 0; b < cut.size(); ++b) {
      const size_t row = b / rowBytes, x = (b % rowBytes) / 3;
      const int64_t at = static_cast<int64_t>(h - 1 - static_cast<int32_t>(row)) * stride + static_cast<int64_t>(x);
      uint32_t expect = 0;
      if (x < static_cast<size_t>(w) && at < stride * 3 + 10)
        expect = (RefFilter(frame[static_cast<size_t>(at)], mode, 0x00FF0FF0) >> (8 * ((b % rowBytes) % 3))) & 0xFFu;
      ASSERT_EQ(cut[b], expect) << "mode " << mode << " byte " << b;
    }
  }
}
