#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pixlib/pixlib.h"

using namespace pixlib;

namespace {

constexpr uint32_t kGuard = 0xDEADBEEFu;
constexpr int kGuardLen = 64;

// A buffer with guard words on both sides; span() is the middle part a call may touch.
template <class T>
struct Guarded {
  std::vector<T> all;
  size_t n;
  Guarded(size_t size, T fill) : all(size + 2 * kGuardLen, static_cast<T>(kGuard)), n(size) {
    std::fill(all.begin() + kGuardLen, all.begin() + kGuardLen + static_cast<long>(n), fill);
  }
  std::span<T> span() { return std::span<T>(all.data() + kGuardLen, n); }
  bool guardsIntact() const {
    for (int i = 0; i < kGuardLen; ++i) {
      if (all[static_cast<size_t>(i)] != static_cast<T>(kGuard)) return false;
      if (all[kGuardLen + n + static_cast<size_t>(i)] != static_cast<T>(kGuard)) return false;
    }
    return true;
  }
};

// The compositor's geometry for a top-down frame of the given stride.
int32_t Pitch(int32_t stride) { return -4 * stride; }
int32_t Start(int32_t stride) { return 4 * stride; }

}  // namespace

TEST(DesktopIntensity, ScalesBytesByLevelOver256) {
  struct Case {
    int32_t level;
    uint8_t expect200;
  } cases[] = {{256, 200}, {128, 100}, {0, 0}, {102, 79}, {300, 200}, {-5, 0}};
  for (const auto& c : cases) {
    std::vector<uint8_t> b = {200, 200, 200};
    MultDesktopIntensity(b, 2, c.level);
    EXPECT_EQ(b[0], c.expect200) << c.level;
    EXPECT_EQ(b[2], 200) << "only byteCount bytes change";
  }
  Guarded<uint8_t> g(3, 100);
  MultDesktopIntensity(g.span(), 1000, 128);
  EXPECT_TRUE(g.guardsIntact());
  EXPECT_EQ(g.span()[2], 50);
}

TEST(TrailBlend, KeepsLevelPercentOfEachChannel) {
  struct Case {
    int32_t code;
    uint32_t in, out;
  } cases[] = {
      {720 + 50, 0x00C86432u, 0x00643219u},   // 200,100,50 -> 100,50,25
      {720 + 100, 0x00C86432u, 0x00C86432u},  // the trail stays
      {720 + 0, 0x00FFFFFFu, 0u},             // cleared
      {720 + 33, 0x00FFFF03u, 0x00545400u},   // 255*33/100 = 84, 3*33/100 = 0
      {720 + 100, 0xFF102030u, 0x00102030u},  // the top byte is cleared
      {5000, 0x00102030u, 0x00102030u},       // code above 820 counts as 100
      {-1, 0x00102030u, 0u},                  // code below 720 counts as 0
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> f(5, c.in);
    BlendPixelRGB32(f, 2, 2, c.code, Pitch(2), Start(2));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f[i], c.out) << c.code << " pixel " << i;
    EXPECT_EQ(f[4], c.in) << "the spare element is not part of the frame";
  }
}

TEST(TrailBlend, WalksOnlyTheFrameColumnsOfEachRow) {
  // width 2 in rows of stride 3: the third column of each row is not part of the frame.
  std::vector<uint32_t> f(3 * 3 + 1, 0x00646464u);
  BlendPixelRGB32(f, 2, 3, 770, Pitch(3), Start(3));
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(f[y * 3 + 0], 0x00323232u);
    EXPECT_EQ(f[y * 3 + 1], 0x00323232u);
    EXPECT_EQ(f[y * 3 + 2], 0x00646464u);
  }
}

TEST(Filter, AndOrXorTheBlendedPixelIntoTheOutput) {
  struct Case {
    int32_t mode, mask;
    uint32_t out;
  } cases[] = {
      {1, 0x00FF00F0, 0x00640030u},       // AND
      {2, 0x00FFFFFF, 0x009BCDCFu},       // XOR (inverts)
      {2, static_cast<int32_t>(0xFF0000FFu), 0x006432CFu},  // only the mask's low 24 bits
      {7, 0x00FFFFFF, 0x00643230u},       // unknown mode: the blended pixel
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> f(5, 0x00C86460u), out(5, 0);
    BlendPixel32Filter(f, out, 2, 2, 770, Pitch(2), Start(2), c.mode, c.mask);
    EXPECT_EQ(f[0], 0x00643230u) << "the frame keeps the unfiltered trail";
    EXPECT_EQ(out[3], c.out) << c.mode;
    EXPECT_EQ(out[4], 0u);
  }
}

TEST(DesktopMix, WeighsFrameAndDesktopAndPairsBottomUpRows) {
  // 1 x 2 frame: top pixel and bottom pixel. The desktop lies bottom-up: memory row 0 is the
  // bottom row of the picture.
  std::vector<uint32_t> f = {0x00FF0000u, 0x00000080u, 0};
  std::vector<uint32_t> out(3, 0);
  const std::vector<uint8_t> desk = {10, 20, 30,   // bottom row: blue 10, green 20, red 30
                                     1, 2, 3};     // top row
  BlendPixelDeskRGB32Mask(f, desk, out, 1, 2, 820, 255 - 128, Pitch(1), Start(1), 0, 0);
  // top: red 255 * 127 / 255 = 127 + 3; green 0 + 2; blue 0 + 1
  EXPECT_EQ(out[0], (130u << 16) | (2u << 8) | 1u);
  // bottom: blue 128 * 127 / 255 = 63 + 10
  EXPECT_EQ(out[1], (30u << 16) | (20u << 8) | 73u);
  EXPECT_EQ(f[0], 0x00FF0000u) << "level 100 keeps the frame";

  // Saturation, full desktop weight, the filter after the mix, and a short desktop image.
  std::vector<uint32_t> f2 = {0x00FFFFFFu, 0x00FFFFFFu, 0};
  std::vector<uint32_t> out2(3, 0);
  const std::vector<uint8_t> shortDesk = {200, 200, 200};  // the top row has no bytes
  BlendPixelDeskRGB32Mask(f2, shortDesk, out2, 1, 2, 820, 255, Pitch(1), Start(1), 2, 0x000000FF);
  EXPECT_EQ(out2[1], 0x00FFFF00u) << "255 + 200 saturates, then XOR blue";
  EXPECT_EQ(out2[0], 0x00FFFF00u) << "missing desktop bytes count as black";
  std::vector<uint32_t> out3(3, 0);
  BlendPixelDeskRGB32Mask(f2, shortDesk, out3, 1, 2, 820, -1, Pitch(1), Start(1), 0, 0);
  EXPECT_EQ(out3[1], 0x00C8C8C8u) << "a weight below 0 leaves only the desktop";
}

TEST(BlendCalls, NeverTouchMemoryOutsideTheirBuffers) {
  struct Geometry {
    int32_t width, height, pitch, start;
    size_t size;
  } cases[] = {
      {4, 3, Pitch(4), Start(4), 13},   {4, 3, Pitch(4), Start(4), 5},  // frame larger than the buffer
      {8, 8, Pitch(4), Start(4), 13},   // rows would overlap: nothing
      {4, 3, 16, 0, 13},                {4, 3, 16, 1000, 13},          {4, 3, -16, -1000, 13},
      {4, 1000000, Pitch(4), Start(4), 13}, {1000000, 2, -4000000, 4000000, 13},
      {4, 3, 18, 0, 13},                // pitch not a whole pixel
      {-1, 3, Pitch(4), Start(4), 13},  {4, 0, Pitch(4), Start(4), 13},
      {4, 3, INT32_MIN, INT32_MAX, 13}, {4, INT32_MAX, INT32_MIN / 8 * 4, INT32_MAX, 13},
      {3, 3, Pitch(4), Start(4), 0},
  };
  for (const auto& c : cases) {
    Guarded<uint32_t> f(c.size, 0x00FFFFFFu), out(c.size, 0u);
    const std::vector<uint8_t> desk(7, 255);
    BlendPixelRGB32(f.span(), c.width, c.height, 770, c.pitch, c.start);
    BlendPixel32Filter(f.span(), out.span(), c.width, c.height, 770, c.pitch, c.start, 2, 0xFFFFFF);
    BlendPixelDeskRGB32Mask(f.span(), desk, out.span(), c.width, c.height, 770, 100, c.pitch, c.start, 1,
                            0xFFFFFF);
    EXPECT_TRUE(f.guardsIntact()) << c.width << "x" << c.height << " pitch " << c.pitch << " start " << c.start;
    EXPECT_TRUE(out.guardsIntact()) << c.width << "x" << c.height << " pitch " << c.pitch;
  }
}

TEST(Message, PlotsPointsInFrameOrderAndSkipsThoseOutside) {
  Guarded<uint32_t> f(4 * 4, 0u);
  const std::vector<int32_t> xs = {0, 3, 4, -1, 1, 2, 0};
  const std::vector<int32_t> ys = {0, 1, 0, 0, -1, 5, 1};
  // colour-reference order: red 0x11, green 0x22, blue 0x33
  PlotMessage(f.span(), 4, 4, 7, 0x00332211, xs, ys);
  const auto s = f.span();
  EXPECT_EQ(s[4], 0x00112233u);       // (0, 0) of the text, frame row 1
  EXPECT_EQ(s[4 + 4 + 3], 0x00112233u);  // (3, 1)
  EXPECT_EQ(s[8], 0x00112233u);       // (0, 1)
  int lit = 0;
  for (uint32_t p : s) lit += p != 0;
  EXPECT_EQ(lit, 3) << "x = 4, x = -1, y = -1 and a row past the frame are skipped";
  EXPECT_TRUE(f.guardsIntact());

  // The count never reads past the point arrays.
  PlotMessage(f.span(), 0, 4, 1000, 0xFFFFFF, xs, std::span<const int32_t>(ys).first(2));
  EXPECT_TRUE(f.guardsIntact());
}

namespace {

std::vector<int32_t> GreyRamp() {
  std::vector<int32_t> ramp(kHueRampEntries, 0);
  for (int i = 0; i < 1024; ++i) ramp[i] = (i & 0xFF) | (0xC8 << 8) | (0x64 << 16);  // distinct per hue
  return ramp;
}

uint32_t Channel(int32_t colour, int ch) { return (static_cast<uint32_t>(colour) >> (8 * ch)) & 0xFFu; }

}  // namespace

TEST(HueCone, PlainSettingsGiveALinearRampFromBlackToTheHueColour) {
  const auto ramp = GreyRamp();
  std::vector<int32_t> cone(kHueConeEntries, -7);
  CalcHueConeBrightness(ramp, cone, 1, 0, 0, 0, 0, 0.0f, 0.0f, 0.0f);
  for (int h : {0, 77, 1023}) {
    EXPECT_EQ(cone[h * 64 + 0], 0) << h;
    EXPECT_EQ(cone[h * 64 + 63], ramp[h]) << h;
    // level 21 of 63: a third of each channel (200 / 3 = 66.67 -> 67, 100 / 3 -> 33)
    EXPECT_EQ(Channel(cone[h * 64 + 21], 1), 67u);
    EXPECT_EQ(Channel(cone[h * 64 + 21], 2), 33u);
  }
  EXPECT_EQ(cone[65536], -7) << "the spare entry is never written";
}

TEST(HueCone, BrightnessDarknessBiasTwistAndBubbleShapeTheLevels) {
  const auto ramp = GreyRamp();
  std::vector<int32_t> cone(kHueConeEntries, 0);
  struct Case {
    int32_t bright, dark, bias, twist, level;
    uint32_t green;  // of hue 0; the ramp's green is 200
  } cases[] = {
      {100, 0, 0, 0, 32, 200},   // double brightness: full from half way up
      {100, 0, 0, 0, 16, 102},   // 200 * 16/63 * 2 = 101.6
      {0, 100, 0, 0, 21, 22},    // full darkness: t * (1 - (1 - t)) = 1/9 of 200
      {0, 0, 900, 0, 1, 132},    // bias 900: t^0.1 = 0.66
      {500, -5, 0, 0, 16, 102},  // settings are clamped to their ranges
  };
  for (const auto& c : cases) {
    CalcHueConeBrightness(ramp, cone, 1, c.bright, c.dark, c.bias, c.twist, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(Channel(cone[c.level], 1), c.green) << c.bright << "/" << c.dark << "/" << c.bias;
  }
  // Twist 90 degrees: level 21 (t = 1/3) takes the hue Fix(90 * 2/3 * 1024/360) = 170 steps on.
  CalcHueConeBrightness(ramp, cone, 1, 0, 0, 0, 90, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(Channel(cone[5 * 64 + 21], 0), 58u);  // the blue byte carries the hue: 175 / 3
  EXPECT_EQ(cone[5 * 64 + 63], ramp[5]) << "the top level keeps its own hue";
  // Bubble: full at its start, half way at a quarter span, none outside; wraps round 1024.
  CalcHueConeBrightness(ramp, cone, 1, 0, 0, 0, 0, 1.0f, 100.0f, 1000.0f);
  EXPECT_EQ(Channel(cone[1000 * 64 + 63], 1), 255u);
  EXPECT_EQ(Channel(cone[(1000 + 25) % 1024 * 64 + 63], 1), 228u);  // 200 + 55 * 0.5 = 227.5
  EXPECT_EQ(Channel(cone[900 * 64 + 63], 1), 200u);
  EXPECT_EQ(cone[1000 * 64 + 0], 0) << "level 0 stays black under the bubble";
}

TEST(HueCone, OtherModesAndShortBuffersAreSafe) {
  const auto ramp = GreyRamp();
  std::vector<int32_t> cone(kHueConeEntries, -7);
  CalcHueConeBrightness(ramp, cone, 2, 100, 20, 160, 45, 0.5f, 10.0f, 0.0f);
  EXPECT_EQ(cone[64 + 63], -7);
  CalcHueConeBrightness(std::span<const int32_t>(ramp).first(100), cone, 1, 100, 20, 160, 45, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(cone[64 + 63], -7) << "a short ramp fills nothing";
  Guarded<int32_t> small(100, 0);
  CalcHueConeBrightness(ramp, small.span(), 1, 100, 20, 160, 45, 1.0f, 1e30f, -1e30f);
  EXPECT_TRUE(small.guardsIntact());
  EXPECT_NE(small.span()[63], 0) << "entries inside the short cone are filled";
}

namespace {

struct AmbientFixture {
  std::vector<float> x, y, z, vx, vy, vz, age;
  std::vector<int32_t> tag;
  explicit AmbientFixture(size_t n) : x(n), y(n), z(n), vx(n), vy(n), vz(n), age(n), tag(n) {}
  void plot(float camZ, float extent, int32_t phase) {
    API_Plot_AmbientStars(x, y, z, vx, vy, vz, tag, age, 0.0f, 0.0f, camZ, extent, 1.0f, phase, 0);
  }
};

}  // namespace

TEST(AmbientStars, MoveAgeAndDrawFromTheConeWithinTheAllowedPixels) {
  std::vector<int32_t> cone(kHueConeEntries);
  for (int i = 0; i < 65536; ++i) cone[i] = i;  // the entry tells hue and level
  const std::vector<int32_t> white(64, 0xFFFFFF);
  Guarded<uint32_t> frame(10 * 10, 0u);
  // centre (5, 5), scale 10, rows 0..6 writable
  API_GalaxiesSetProps(5, 5, 10, 10, 0, 7 * 10, 10.0f, 1.0f, frame.span(), cone, white, 3, 2, 1.0f, 1.0f, 0.0f);
  AmbientFixture a(3);
  a.x = {1.0f, 0.0f, 0.0f};
  a.z = {10.0f, 10.0f, 10.0f};
  a.vy = {0.0f, 0.0f, 10.0f};  // star 2 moves to y = 10: row 15, outside the frame
  a.tag = {3, 4, 5};
  a.age = {0.0f, 0.5f, 0.0f};
  a.plot(0.0f, 1.0f, 0);
  const auto f = frame.span();
  // star 0: age 0.5 after the step -> level Fix(63 * 0.5) = 31; at (5 + 1, 5)
  EXPECT_EQ(f[5 * 10 + 6], 3u * 64 + 31);
  // star 1: age 1 -> level 63, at the centre
  EXPECT_EQ(f[5 * 10 + 5], 4u * 64 + 63);
  EXPECT_EQ(a.y[2], 10.0f);
  int lit = 0;
  for (uint32_t p : f) lit += p != 0;
  EXPECT_EQ(lit, 2);
  EXPECT_TRUE(frame.guardsIntact());

  // Phase 1: a star behind the camera is born again in front of it, age 0, velocity 0.
  AmbientFixture b(1);
  b.z = {-5.0f};
  b.vx = {3.0f};
  API_GalaxiesSetProps(5, 5, 10, 10, 0, 7 * 10, 10.0f, 1.0f, frame.span(), cone, white, 1, 2, 1.0f, 1.0f, 0.0f);
  b.plot(0.0f, 4.0f, 1);
  EXPECT_GT(b.z[0], 0.0f);
  EXPECT_LE(b.z[0], 4.0f);
  EXPECT_EQ(b.vx[0], 0.0f);
  EXPECT_EQ(b.age[0], 0.0f);
  EXPECT_GE(b.tag[0], 0);
  EXPECT_LT(b.tag[0], 1024);
}

TEST(AmbientStars, CountAndBoundsComeFromTheBuffersNotTheArguments) {
  const std::vector<int32_t> cone(10, 0x123456);  // too short: the white table is used
  const std::vector<int32_t> white(64, 0xFFFFFF);
  Guarded<uint32_t> frame(4 * 4, 0u);
  // A star count beyond the arrays and an index range beyond the frame.
  API_GalaxiesSetProps(2, 2, 4, 4, -100, 100000, 1.0f, 1.0f, frame.span(), cone, white, 1000, 0, 0.0f, 0.0f, 5.0f);
  AmbientFixture a(50);
  InitRandomArray();
  for (size_t i = 0; i < 50; ++i) {
    a.x[i] = static_cast<float>(i) - 25.0f;
    a.y[i] = static_cast<float>(i % 7) - 3.0f;
    a.z[i] = 1.0f + static_cast<float>(i % 3) * 0.5f;
    a.age[i] = 2.0f;
    a.tag[i] = static_cast<int32_t>(i) * 100000;
  }
  for (int k = 0; k < 20; ++k) a.plot(0.0f, 2.0f, k % 2);
  EXPECT_TRUE(frame.guardsIntact());
  bool any = false;
  for (uint32_t p : frame.span()) any |= p == 0xFFFFFFu;
  EXPECT_TRUE(any);
  // No star drawn without stars.
  API_GalaxiesSetProps(2, 2, 4, 4, 0, 15, 1.0f, 1.0f, frame.span(), cone, white, 0, 0, 0.0f, 0.0f, 0.0f);
  std::fill(frame.span().begin(), frame.span().end(), 0u);
  a.plot(0.0f, 2.0f, 1);
  for (uint32_t p : frame.span()) EXPECT_EQ(p, 0u);
}

TEST(CreditsStarfield, AdvancesStarsAndPlotsTheirConeColourInsideTheRows) {
  std::vector<int32_t> cone(kHueConeEntries);
  for (int i = 0; i < 65536; ++i) cone[i] = i;
  Guarded<uint32_t> frame(20 * 10, 0u);
  std::vector<float> rec(8 * 2 + 1, 0.0f);
  // star 0 at the centre, depth 0.6 -> 0.5 after the step, full age
  rec[0] = 0.0f; rec[1] = 0.0f; rec[2] = 0.6f; rec[3] = 1.0f; rec[4] = 0.005f;
  // star 1 low in the field: y 0.9 at depth 0.2 lands below plotMaxY
  rec[8] = 0.0f; rec[9] = 0.9f; rec[10] = 0.2f; rec[11] = 1.0f; rec[12] = 0.005f;
  const std::vector<int32_t> colors = {43254, 43254};
  float hue = 43253.76f, angle = 0.0f;
  DisplayCreditsStarfield(10, 5, 20, 20, 7, frame.span(), cone, 2, rec, colors, 0.1f, hue, angle);
  EXPECT_FLOAT_EQ(rec[2], 0.5f);
  // level Fix(63 * 0.5 * 1) = 31 in the hue row of 43254 (675 * 64)
  EXPECT_EQ(frame.span()[5 * 20 + 10], 675u * 64 + 31);
  int lit = 0;
  for (uint32_t p : frame.span()) lit += p != 0;
  EXPECT_EQ(lit, 1);
  EXPECT_FLOAT_EQ(angle, 0.01f);
  EXPECT_FLOAT_EQ(hue, 43253.76f);

  // More stars than records or colours, a star reborn at the far plane, nothing outside.
  std::vector<float> few(8 * 3, 0.005f);
  DisplayCreditsStarfield(10, 5, 20, 20, 100, frame.span(), cone, 2000, few, colors, 0.25f, hue, angle);
  EXPECT_FLOAT_EQ(few[2], 1.0f);
  EXPECT_TRUE(frame.guardsIntact());
}

TEST(Bitmap24, BottomUpRowsPaddedAndFiltered) {
  // 2 x 2 frame in rows of stride 3.
  const std::vector<uint32_t> f = {0x00112233u, 0x00445566u, 0xFFu, 0x00778899u, 0x00AABBCCu, 0xFFu};
  ASSERT_EQ(Bmp24RowBytes(2), 8);
  std::vector<uint8_t> bits(16, 0xEE);
  CopyRGBtoBMP(f, bits, 2, 3, 2, 0, 0, 32);
  const std::vector<uint8_t> expect = {0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0, 0,
                                       0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0};
  EXPECT_EQ(bits, expect);

  CopyRGBtoBMP(f, bits, 2, 3, 2, 2, 0x0000FF, 32);
  EXPECT_EQ(bits[0], 0x99 ^ 0xFF);
  CopyRGBtoBMP(f, bits, 2, 3, 2, 1, 0x00FF0000, 32);
  EXPECT_EQ(bits[0], 0);
  EXPECT_EQ(bits[2], 0x77);

  std::vector<uint8_t> before = bits;
  CopyRGBtoBMP(f, bits, 2, 3, 2, 0, 0, 24);
  EXPECT_EQ(bits, before) << "only 32-bit frames are converted";

  Guarded<uint8_t> small(10, 0);
  CopyRGBtoBMP(std::span<const uint32_t>(f).first(4), small.span(), 2, 3, 5, 0, 0, 32);
  EXPECT_TRUE(small.guardsIntact());
}
