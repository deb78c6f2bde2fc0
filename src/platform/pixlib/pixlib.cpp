#include "platform/pixlib/pixlib.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include <emmintrin.h>

#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

namespace pixlib {
namespace {

constexpr uint32_t kRandomSeed = 0x2545F491u;

struct LibraryState {
  uint32_t random = kRandomSeed;
  AmbientProps ambient;
};

LibraryState& lib() {
  static LibraryState s;
  return s;
}

// xorshift32; a number in [0, 1).
float NextUnit() {
  uint32_t& r = lib().random;
  r ^= r << 13;
  r ^= r >> 17;
  r ^= r << 5;
  return static_cast<float>(r >> 8) * (1.0f / 16777216.0f);
}

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Calls fn(firstElement, pixelCount, walkedRow) for every walked row of the frame that lies
// (at least in part) inside a buffer of `size` elements, in ascending address order (with a
// negative pitch that is the walked rows from the last to the first). No row depends on
// another, so the order changes no result; ascending addresses keep the hardware prefetcher
// ahead of the walk.
template <class Fn>
void WalkRows(size_t size, int32_t width, int32_t height, int32_t pitchBytes,
              int32_t startOffsetBytes, Fn&& fn) {
  if (width <= 0 || height <= 0 || size == 0) return;
  const int64_t p = pitchBytes;
  const int64_t w = width;
  if (p % 4 != 0 || (p < 0 ? -p : p) < 4 * w) return;  // rows would overlap
  const int64_t base = static_cast<int64_t>(height) * startOffsetBytes;
  const int64_t last = 4 * static_cast<int64_t>(size) - 4;
  // 0 <= base + (k + 1) p <= last
  int64_t lo, hi;
  if (p > 0) {
    lo = CeilDiv(-base, p) - 1;
    hi = FloorDiv(last - base, p) - 1;
  } else {
    lo = CeilDiv(last - base, p) - 1;
    hi = FloorDiv(-base, p) - 1;
  }
  lo = std::max<int64_t>(lo, 0);
  hi = std::min<int64_t>(hi, static_cast<int64_t>(height) - 1);
  if (lo > hi) return;
  const int64_t step = p > 0 ? 1 : -1;
  const int64_t from = p > 0 ? lo : hi;
  for (int64_t k = from, n = hi - lo + 1; n > 0; k += step, --n) {
    const int64_t rowByte = base + (k + 1) * p;
    if (rowByte < 0 || rowByte % 4 != 0) continue;
    const int64_t first = rowByte / 4;
    if (first >= static_cast<int64_t>(size)) continue;
    const int64_t count = std::min<int64_t>(w, static_cast<int64_t>(size) - first);
    fn(static_cast<size_t>(first), static_cast<size_t>(count), k);
  }
}

int32_t TrailLevel(int32_t levelCode) {
  return std::clamp(levelCode, kLevelCodeBase, kLevelCodeBase + 100) - kLevelCodeBase;
}

// The per-pixel arithmetic of the blend calls, in a form that SSE2 (the x86-64 baseline)
// carries out on four pixels at once with exactly the same results as one pixel at a time:
//  - c * L / 100 truncated (c 0..255, L 0..99) is the high half of c * ceil(L * 65536 / 100);
//    L = 100 keeps c;
//  - x / 255 truncated (x = f * W <= 65025) is (x * 0x8081) >> 23;
//  - min(255, a + b) of two bytes is their saturated sum.
// The tail of a row (fewer than four pixels) takes the arithmetic as the header states it.
struct PixelOps {
  uint32_t level;     // L
  bool keep;          // L = 100
  uint16_t trailMul;  // ceil(L * 65536 / 100) for L < 100
  uint16_t weight;    // W of the desktop mix, 0..255
  uint32_t andMask;   // the filter as (p And andMask) Xor xorMask
  uint32_t xorMask;

  PixelOps(int32_t levelCode, int32_t frameWeight, int32_t filterMode, int32_t filterMask) {
    level = static_cast<uint32_t>(TrailLevel(levelCode));
    keep = level == 100;
    trailMul = keep ? 0 : static_cast<uint16_t>((level * 65536 + 99) / 100);
    weight = static_cast<uint16_t>(std::clamp(frameWeight, 0, 255));
    const uint32_t m = static_cast<uint32_t>(filterMask) & 0xFFFFFFu;
    andMask = filterMode == 1 ? m : 0xFFFFFFFFu;
    xorMask = filterMode == 2 ? m : 0u;
  }

  uint32_t Trail(uint32_t px) const {
    return ((px & 0xFFu) * level / 100u) | ((((px >> 8) & 0xFFu) * level / 100u) << 8) |
           ((((px >> 16) & 0xFFu) * level / 100u) << 16);
  }
  uint32_t Filter(uint32_t px) const { return (px & andMask) ^ xorMask; }
  // min(255, f * W / 255 + s) of channel f of the blended pixel and desktop byte s.
  uint32_t MixChannel(uint32_t f, uint32_t s) const {
    return std::min(255u, f * weight / 255u + s);
  }
  uint32_t Mix(uint32_t px, uint32_t desk) const {
    return MixChannel(px & 0xFFu, desk & 0xFFu) | (MixChannel((px >> 8) & 0xFFu, (desk >> 8) & 0xFFu) << 8) |
           (MixChannel((px >> 16) & 0xFFu, (desk >> 16) & 0xFFu) << 16);
  }
};

// The four-pixel forms of PixelOps.
struct PixelOps4 {
  __m128i keepMask, byteLanes, trailBR, trailG, weight, div255, andMask, xorMask;
  bool keep;

  explicit PixelOps4(const PixelOps& o)
      : keepMask(_mm_set1_epi32(0x00FFFFFF)),
        byteLanes(_mm_set1_epi32(0x00FF00FF)),
        trailBR(_mm_set1_epi16(static_cast<int16_t>(o.trailMul))),
        trailG(_mm_set1_epi32(o.trailMul)),  // green lanes only: the top byte becomes 0
        weight(_mm_set1_epi16(static_cast<int16_t>(o.weight))),
        div255(_mm_set1_epi16(static_cast<int16_t>(0x8081))),
        andMask(_mm_set1_epi32(static_cast<int32_t>(o.andMask))),
        xorMask(_mm_set1_epi32(static_cast<int32_t>(o.xorMask))),
        keep(o.keep) {}

  __m128i Trail(__m128i v) const {
    if (keep) return _mm_and_si128(v, keepMask);
    const __m128i br = _mm_mulhi_epu16(_mm_and_si128(v, byteLanes), trailBR);
    const __m128i g = _mm_mulhi_epu16(_mm_srli_epi16(v, 8), trailG);
    return _mm_or_si128(br, _mm_slli_epi16(g, 8));
  }
  __m128i Filter(__m128i v) const { return _mm_xor_si128(_mm_and_si128(v, andMask), xorMask); }
  // v: blended pixels (top byte 0); desk: desktop pixels (top byte 0).
  __m128i Mix(__m128i v, __m128i desk) const {
    const __m128i br = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_and_si128(v, byteLanes), weight), div255), 7);
    const __m128i g = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_srli_epi16(v, 8), weight), div255), 7);
    return _mm_adds_epu8(_mm_or_si128(br, _mm_slli_epi16(g, 8)), desk);
  }
};

inline __m128i Load4(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store4(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Four desktop pixels from the 12 bytes at s (blue, green, red each). The 16-byte form reads
// four bytes beyond them; the 12-byte form reads no byte beyond them.
inline __m128i LoadDesk4Wide(const uint8_t* s) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  // Pixel i lies at bytes 3i..3i+2: shifted up by i bytes it fills its own 32-bit lane.
  const __m128i lane0 = _mm_setr_epi32(0x00FFFFFF, 0, 0, 0), lane1 = _mm_setr_epi32(0, 0x00FFFFFF, 0, 0);
  const __m128i lane2 = _mm_setr_epi32(0, 0, 0x00FFFFFF, 0), lane3 = _mm_setr_epi32(0, 0, 0, 0x00FFFFFF);
  return _mm_or_si128(_mm_or_si128(_mm_and_si128(v, lane0), _mm_and_si128(_mm_slli_si128(v, 1), lane1)),
                      _mm_or_si128(_mm_and_si128(_mm_slli_si128(v, 2), lane2), _mm_and_si128(_mm_slli_si128(v, 3), lane3)));
}

inline __m128i LoadDesk4(const uint8_t* s) {
  uint64_t q;
  uint32_t r;
  std::memcpy(&q, s, 8);
  std::memcpy(&r, s + 8, 4);
  return _mm_setr_epi32(static_cast<int32_t>(q & 0xFFFFFFu), static_cast<int32_t>((q >> 24) & 0xFFFFFFu),
                        static_cast<int32_t>(((q >> 48) | (static_cast<uint64_t>(r) << 16)) & 0xFFFFFFu),
                        static_cast<int32_t>(r >> 8));
}

inline uint32_t LoadDesk1(const uint8_t* s) {
  return static_cast<uint32_t>(s[0]) | (static_cast<uint32_t>(s[1]) << 8) | (static_cast<uint32_t>(s[2]) << 16);
}

// Trail blend of n pixels in place.
void TrailRow(uint32_t* row, size_t n, const PixelOps& o, const PixelOps4& o4) {
  size_t x = 0;
  for (; x + 4 <= n; x += 4) Store4(row + x, o4.Trail(Load4(row + x)));
  for (; x < n; ++x) row[x] = o.Trail(row[x]);
}

// Trail blend of n pixels in place, the filtered result into out.
void FilterRow(uint32_t* row, uint32_t* out, size_t n, const PixelOps& o, const PixelOps4& o4) {
  size_t x = 0;
  for (; x + 4 <= n; x += 4) {
    const __m128i v = o4.Trail(Load4(row + x));
    Store4(row + x, v);
    Store4(out + x, o4.Filter(v));
  }
  for (; x < n; ++x) {
    const uint32_t px = o.Trail(row[x]);
    row[x] = px;
    out[x] = o.Filter(px);
  }
}

// Trail blend of n pixels in place, the mix with n desktop pixels (3n bytes at desk, of
// deskBytes readable there), filtered, into out.
void MixRow(uint32_t* row, const uint8_t* desk, size_t deskBytes, uint32_t* out, size_t n, const PixelOps& o,
            const PixelOps4& o4) {
  size_t x = 0;
  for (; x + 4 <= n && 3 * x + 16 <= deskBytes; x += 4, desk += 12) {
    const __m128i v = o4.Trail(Load4(row + x));
    Store4(row + x, v);
    Store4(out + x, o4.Filter(o4.Mix(v, LoadDesk4Wide(desk))));
  }
  for (; x + 4 <= n; x += 4, desk += 12) {
    const __m128i v = o4.Trail(Load4(row + x));
    Store4(row + x, v);
    Store4(out + x, o4.Filter(o4.Mix(v, LoadDesk4(desk))));
  }
  for (; x < n; ++x, desk += 3) {
    const uint32_t px = o.Trail(row[x]);
    row[x] = px;
    out[x] = o.Filter(o.Mix(px, LoadDesk1(desk)));
  }
}

uint32_t SwapRedBlue(uint32_t c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

uint32_t ClampByte(double v) {
  int32_t i = 0;
  if (!runtime::ToLongInline(v, i)) i = 0;
  return static_cast<uint32_t>(std::clamp(i, 0, 255));
}

}  // namespace

void MultDesktopIntensity(std::span<uint8_t> bytes, int32_t byteCount, int32_t level) {
  if (byteCount <= 0) return;
  const size_t n = std::min(bytes.size(), static_cast<size_t>(byteCount));
  const uint32_t l = static_cast<uint32_t>(std::clamp(level, 0, 256));
  uint8_t* b = bytes.data();
  size_t i = 0;
  // Sixteen bytes at a time: b * l <= 255 * 256 fits a 16-bit lane.
  const __m128i zero = _mm_setzero_si128();
  const __m128i lv = _mm_set1_epi16(static_cast<int16_t>(l));
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(v, zero), lv), 8);
    const __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(v, zero), lv), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i), _mm_packus_epi16(lo, hi));
  }
  for (; i < n; ++i) b[i] = static_cast<uint8_t>(b[i] * l / 256u);
}

void BlendPixelRGB32(std::span<uint32_t> frame, int32_t width, int32_t height, int32_t levelCode,
                     int32_t pitchBytes, int32_t startOffsetBytes) {
  const PixelOps o(levelCode, 0, 0, 0);
  const PixelOps4 o4(o);
  WalkRows(frame.size(), width, height, pitchBytes, startOffsetBytes,
           [&](size_t first, size_t count, int64_t) { TrailRow(frame.data() + first, count, o, o4); });
}

namespace {

// Pixels of a row starting at element `first` that have an output element.
size_t OutputPixels(size_t outputSize, size_t first, size_t count) {
  return first < outputSize ? std::min(count, outputSize - first) : 0;
}

}  // namespace

void BlendPixel32Filter(std::span<uint32_t> frame, std::span<uint32_t> output, int32_t width,
                        int32_t height, int32_t levelCode, int32_t pitchBytes,
                        int32_t startOffsetBytes, int32_t filterMode, int32_t filterMask) {
  const PixelOps o(levelCode, 0, filterMode, filterMask);
  const PixelOps4 o4(o);
  WalkRows(frame.size(), width, height, pitchBytes, startOffsetBytes,
           [&](size_t first, size_t count, int64_t) {
             const size_t withOutput = OutputPixels(output.size(), first, count);
             if (withOutput > 0) FilterRow(frame.data() + first, output.data() + first, withOutput, o, o4);
             TrailRow(frame.data() + first + withOutput, count - withOutput, o, o4);
           });
}

void BlendPixelDeskRGB32Mask(std::span<uint32_t> frame, std::span<const uint8_t> desktop,
                             std::span<uint32_t> output, int32_t width, int32_t height,
                             int32_t levelCode, int32_t frameWeight, int32_t pitchBytes,
                             int32_t startOffsetBytes, int32_t filterMode, int32_t filterMask) {
  const PixelOps o(levelCode, frameWeight, filterMode, filterMask);
  const PixelOps4 o4(o);
  const size_t deskRow = 3 * static_cast<size_t>(std::max(width, 0));
  WalkRows(frame.size(), width, height, pitchBytes, startOffsetBytes,
           [&](size_t first, size_t count, int64_t k) {
             const size_t deskStart = static_cast<size_t>(k) * deskRow;
             const size_t withOutput = OutputPixels(output.size(), first, count);
             const size_t withDesk = deskStart < desktop.size() ? std::min(count, (desktop.size() - deskStart) / 3) : 0;
             // The pixels that have their output element and all three desktop bytes.
             const size_t whole = std::min(withOutput, withDesk);
             if (whole > 0)
               MixRow(frame.data() + first, desktop.data() + deskStart, desktop.size() - deskStart,
                      output.data() + first, whole, o, o4);
             for (size_t x = whole; x < count; ++x) {
               const uint32_t px = o.Trail(frame[first + x]);
               frame[first + x] = px;
               if (x >= withOutput) continue;
               uint32_t mixed = 0;
               for (int ch = 0; ch < 3; ++ch) {
                 const size_t at = deskStart + 3 * x + static_cast<size_t>(ch);
                 const uint32_t s = at < desktop.size() ? desktop[at] : 0u;
                 mixed |= o.MixChannel((px >> (8 * ch)) & 0xFFu, s) << (8 * ch);
               }
               output[first + x] = o.Filter(mixed);
             }
           });
}

void PlotMessage(std::span<uint32_t> frame, int32_t topRowIndex, int32_t stride, int32_t count,
                 int32_t colourRef, std::span<const int32_t> pointX, std::span<const int32_t> pointY) {
  if (stride <= 0 || count <= 0) return;
  const uint32_t colour = SwapRedBlue(static_cast<uint32_t>(colourRef)) & 0xFFFFFFu;
  const size_t n = std::min({static_cast<size_t>(count), pointX.size(), pointY.size()});
  for (size_t i = 0; i < n; ++i) {
    const int64_t x = pointX[i];
    const int64_t y = pointY[i];
    if (x < 0 || x >= stride || y < 0) continue;
    const int64_t at = static_cast<int64_t>(topRowIndex) + y * stride + x;
    if (at < 0 || at >= static_cast<int64_t>(frame.size())) continue;
    frame[static_cast<size_t>(at)] = colour;
  }
}

void CalcHueConeBrightness(std::span<const int32_t> ramp, std::span<int32_t> cone, int32_t mode,
                           int32_t bright, int32_t dark, int32_t bias, int32_t twist,
                           float bubbleLevel, float bubbleSpan, float bubbleStart) {
  if (mode != 1 || ramp.size() < 1024) return;
  const double b = std::clamp(bright, 0, 100) / 100.0;
  const double dk = std::clamp(dark, 0, 100) / 100.0;
  const double e = 100.0 / (100.0 + std::clamp(bias, 0, 999));
  const double tw = std::clamp(twist, -999, 999);
  const double bl = std::isfinite(bubbleLevel) ? std::clamp(static_cast<double>(bubbleLevel), 0.0, 1.0) : 0.0;
  const double half = std::isfinite(bubbleSpan) ? bubbleSpan * 0.5 : 0.0;
  const double start = std::isfinite(bubbleStart) ? bubbleStart : 0.0;
  const bool bubble = bl > 0.0 && half > 0.0;
  const size_t limit = std::min(cone.size(), static_cast<size_t>(65536));

  // The level position t, the twist shift and the brightness factor k depend on the level
  // alone: 64 of each, not one per entry.
  std::array<double, 64> levelT;
  std::array<double, 64> levelK;
  std::array<int32_t, 64> levelShift;
  for (int32_t v = 0; v < 64; ++v) {
    const double t = v / 63.0;
    levelT[v] = t;
    levelShift[v] = runtime::FixToLong(tw * (1.0 - t) * 1024.0 / 360.0).value_or(0);
    levelK[v] = std::min(1.0, std::pow(t, e) * (1.0 + b)) * (1.0 - dk * (1.0 - t));
  }
  // Outside the bubble a channel's result depends only on its value and the level.
  std::array<std::array<uint8_t, 256>, 64> plain;
  for (int32_t v = 0; v < 64; ++v)
    for (uint32_t c = 0; c < 256; ++c) plain[v][c] = static_cast<uint8_t>(ClampByte(static_cast<double>(c) * levelK[v]));

  for (int32_t h = 0; h < 1024; ++h) {
    double w = 0.0;
    if (bubble) {
      double dist = std::fmod(std::fabs(h - start), 1024.0);
      dist = std::min(dist, 1024.0 - dist);
      if (dist < half) w = bl * (1.0 - dist / half);
    }
    for (int32_t v = 0; v < 64; ++v) {
      const size_t at = static_cast<size_t>(h) * 64 + static_cast<size_t>(v);
      if (at >= limit) return;
      const uint32_t c = static_cast<uint32_t>(ramp[static_cast<size_t>((h + levelShift[v]) & 1023)]);
      uint32_t out = 0;
      if (w == 0.0) {
        // c' + (255 - c') x 0 x t is c' itself.
        for (int ch = 0; ch < 3; ++ch) out |= static_cast<uint32_t>(plain[v][(c >> (8 * ch)) & 0xFFu]) << (8 * ch);
      } else {
        const double t = levelT[v], k = levelK[v];
        for (int ch = 0; ch < 3; ++ch) {
          double cv = static_cast<double>((c >> (8 * ch)) & 0xFFu) * k;
          cv += (255.0 - cv) * w * t;
          out |= ClampByte(cv) << (8 * ch);
        }
      }
      cone[at] = static_cast<int32_t>(out);
    }
  }
}

void InitRandomArray() { lib().random = kRandomSeed; }

void API_GalaxiesSetProps(int32_t centreX, int32_t centreY, int32_t width, int32_t stride,
                          int32_t firstIndex, int32_t lastIndex, float perspectiveScale,
                          float focalLength, std::span<uint32_t> frame,
                          std::span<const int32_t> cone, std::span<const int32_t> white,
                          int32_t amStar, int32_t amFrames, float amMaxExt, float amPers,
                          float amCAge) {
  AmbientProps& a = lib().ambient;
  a.ScreenCentreX = centreX;
  a.ScreenCentreY = centreY;
  a.RenderWidth = width;
  a.BufferStride = stride;
  a.FirstIndex = firstIndex;
  a.LastIndex = lastIndex;
  a.PerspectiveScale = perspectiveScale;
  a.FocalLength = focalLength;
  a.Frame = frame;
  a.Cone = cone;
  a.White = white;
  a.AmStar = amStar;
  a.AmFrames = amFrames;
  a.AmMaxExt = amMaxExt;
  a.AmPers = amPers;
  a.AmCAge = amCAge;
}

void API_Plot_AmbientStars(std::span<float> x, std::span<float> y, std::span<float> z,
                           std::span<float> vx, std::span<float> vy, std::span<float> vz,
                           std::span<int32_t> tag, std::span<float> age, float camX, float camY,
                           float camZ, float extent, float /*expand*/, int32_t phase,
                           int32_t /*type*/) {
  AmbientProps& a = lib().ambient;
  if (a.AmStar <= 0) return;
  const size_t n = std::min({static_cast<size_t>(a.AmStar), x.size(), y.size(), z.size(), vx.size(),
                             vy.size(), vz.size(), tag.size(), age.size()});
  const float ext = std::isfinite(extent) ? std::max(extent, 1.0f) : 1.0f;
  const float maxExt = std::isfinite(a.AmMaxExt) ? std::max(a.AmMaxExt, 1.0f) : 1.0f;
  const double far = static_cast<double>(ext) * maxExt;
  const float ageStep = 1.0f / static_cast<float>(std::max(a.AmFrames, 1));
  const double pers = std::isfinite(a.AmPers) ? std::clamp(static_cast<double>(a.AmPers), 0.0, 1.0) : 1.0;
  const double cage = std::isfinite(a.AmCAge) ? a.AmCAge : 0.0;
  for (size_t i = 0; i < n; ++i) {
    x[i] += vx[i];
    y[i] += vy[i];
    z[i] += vz[i];
    age[i] += ageStep;
    if (phase == 1) {
      z[i] -= ext * 0.005f;
      const double d = static_cast<double>(z[i]) - camZ;
      if (!(d > 0.0) || d > far) {
        x[i] = camX + (2.0f * NextUnit() - 1.0f) * extent;
        y[i] = camY + (2.0f * NextUnit() - 1.0f) * extent;
        z[i] = camZ + static_cast<float>(far * (0.5 + 0.5 * NextUnit()));
        vx[i] = vy[i] = vz[i] = 0.0f;
        age[i] = 0.0f;
        tag[i] = static_cast<int32_t>(NextUnit() * 1024.0f) & 1023;
      }
    }
    const double d = static_cast<double>(z[i]) - camZ;
    if (!(d > 0.0)) continue;
    const double scale = a.PerspectiveScale / d;
    int32_t sx = 0, sy = 0;
    if (!runtime::ToLongInline(a.ScreenCentreX + (static_cast<double>(x[i]) - camX) * scale, sx) ||
        !runtime::ToLongInline(a.ScreenCentreY + (static_cast<double>(y[i]) - camY) * scale, sy) || sx < 0 ||
        sx >= a.RenderWidth)
      continue;
    const int64_t at = static_cast<int64_t>(sy) * a.BufferStride + sx;
    if (at < a.FirstIndex || at >= a.LastIndex || at < 0 || at >= static_cast<int64_t>(a.Frame.size())) continue;
    const double bright = std::min(1.0, static_cast<double>(age[i])) * (1.0 - (1.0 - pers) * d / far);
    int32_t v = 0, cycle = 0;
    if (!runtime::FixToLongInline(63.0 * bright, v)) v = 0;
    v = std::clamp(v, 0, 63);
    if (!runtime::FixToLongInline(age[i] * cage * 64.0, cycle)) cycle = 0;
    const int32_t hue = (tag[i] + cycle) & 1023;
    const size_t ci = static_cast<size_t>(hue) * 64 + static_cast<size_t>(v);
    uint32_t colour;
    if (ci < a.Cone.size()) {
      colour = static_cast<uint32_t>(a.Cone[ci]);
    } else if (static_cast<size_t>(v) < a.White.size()) {
      colour = static_cast<uint32_t>(a.White[static_cast<size_t>(v)]);
    } else {
      continue;
    }
    a.Frame[static_cast<size_t>(at)] = colour & 0xFFFFFFu;
  }
}

void DisplayCreditsStarfield(int32_t centreX, int32_t centreY, int32_t width, int32_t stride,
                             int32_t plotMaxY, std::span<uint32_t> frame,
                             std::span<const int32_t> cone, int32_t starCount,
                             std::span<float> records, std::span<const int32_t> colors,
                             float speed, float& /*hue*/, float& angle) {
  if (starCount <= 0) return;
  const size_t n = std::min({static_cast<size_t>(starCount), records.size() / 8, colors.size()});
  const double ang = std::isfinite(angle) ? angle : 0.0;
  const double ca = std::cos(ang), sa = std::sin(ang);
  for (size_t i = 0; i < n; ++i) {
    float* s = records.data() + 8 * i;
    s[2] -= speed;
    s[3] = std::min(1.0f, s[3] + s[4]);
    if (!(s[2] > 0.01f)) {
      s[0] = 2.0f * NextUnit() - 1.0f;
      s[1] = 2.0f * NextUnit() - 1.0f;
      s[2] = 1.0f;
      s[3] = 0.0f;
    }
    const double xr = s[0] * ca - s[1] * sa;
    const double yr = s[0] * sa + s[1] * ca;
    int32_t sx = 0, sy = 0;
    if (!runtime::ToLongInline(centreX + xr / s[2] * centreX, sx) ||
        !runtime::ToLongInline(centreY + yr / s[2] * centreY, sy) || sx < 0 || sx >= width || sy < 0 || sy > plotMaxY)
      continue;
    const int64_t at = static_cast<int64_t>(sy) * stride + sx;
    if (at < 0 || at >= static_cast<int64_t>(frame.size())) continue;
    int32_t v = 0;
    if (!runtime::FixToLongInline(63.0 * (1.0 - s[2]) * s[3], v)) v = 0;
    v = std::clamp(v, 0, 63);
    const size_t ci = static_cast<size_t>(colors[i] & 65472) + static_cast<size_t>(v);
    if (ci >= cone.size()) continue;
    frame[static_cast<size_t>(at)] = static_cast<uint32_t>(cone[ci]) & 0xFFFFFFu;
  }
  double next = ang + static_cast<double>(speed) * 0.1;
  if (next > 6.283185307179586) next -= 6.283185307179586;
  angle = static_cast<float>(next);
}

int32_t Bmp24RowBytes(int32_t width) {
  if (width <= 0) return 0;
  return static_cast<int32_t>((static_cast<int64_t>(width) * 24 + 31) / 32 * 4);
}

void CopyRGBtoBMP(std::span<const uint32_t> frame, std::span<uint8_t> bits, int32_t width,
                  int32_t stride, int32_t height, int32_t filterMode, int32_t filterMask,
                  int32_t bitsPerPixel) {
  if (bitsPerPixel != 32 || width <= 0 || height <= 0 || stride < width) return;
  const PixelOps o(kLevelCodeBase + 100, 0, filterMode, filterMask);
  const size_t rowBytes = static_cast<size_t>(Bmp24RowBytes(width));
  const size_t w = static_cast<size_t>(width);
  for (int64_t r = 0; r < height; ++r) {
    const size_t outRow = static_cast<size_t>(r) * rowBytes;
    if (outRow >= bits.size()) break;
    uint8_t* out = bits.data() + outRow;
    const size_t room = std::min(rowBytes, bits.size() - outRow);
    const int64_t srcRow = (static_cast<int64_t>(height) - 1 - r) * stride;
    // Pixel x of the row, filtered; black where the frame has no element.
    const auto pixel = [&](size_t x) -> uint32_t {
      const int64_t at = srcRow + static_cast<int64_t>(x);
      if (at < 0 || at >= static_cast<int64_t>(frame.size())) return 0;
      return o.Filter(frame[static_cast<size_t>(at)]);
    };
    size_t x = 0;
    if (srcRow >= 0 && srcRow + static_cast<int64_t>(w) <= static_cast<int64_t>(frame.size())) {
      // Four whole pixels of the frame at a time, as twelve bytes.
      const uint32_t* src = frame.data() + srcRow;
      for (; x + 4 <= w && 3 * x + 12 <= room; x += 4) {
        const uint64_t p0 = o.Filter(src[x]) & 0xFFFFFFu, p1 = o.Filter(src[x + 1]) & 0xFFFFFFu;
        const uint64_t p2 = o.Filter(src[x + 2]) & 0xFFFFFFu, p3 = o.Filter(src[x + 3]) & 0xFFFFFFu;
        const uint64_t lo = p0 | (p1 << 24) | (p2 << 48);
        const uint32_t hi = static_cast<uint32_t>((p2 >> 16) | (p3 << 8));
        std::memcpy(out + 3 * x, &lo, 8);
        std::memcpy(out + 3 * x + 8, &hi, 4);
      }
    }
    for (; x < w && 3 * x + 3 <= room; ++x) {
      const uint32_t px = pixel(x);
      out[3 * x] = static_cast<uint8_t>(px);
      out[3 * x + 1] = static_cast<uint8_t>(px >> 8);
      out[3 * x + 2] = static_cast<uint8_t>(px >> 16);
    }
    // A pixel cut short by the end of the span, then the row's padding.
    for (size_t b = 3 * x; b < room; ++b) out[b] = x < w ? static_cast<uint8_t>(pixel(x) >> (8 * (b - 3 * x))) : 0;
  }
}

}  // namespace pixlib
