#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/pixlib/pixlib.h"

using namespace pixlib;

namespace {

// Entry h * 64 + v of the cone computed on its own, straight from the cone's definition.
int32_t ConeEntry(const std::vector<int32_t>& ramp, int32_t h, int32_t v, int32_t bright, int32_t dark,
                  int32_t bias, int32_t twist, double bubbleLevel, double bubbleSpan, double bubbleStart) {
  const double t = v / 63.0;
  const int32_t shift = static_cast<int32_t>(std::trunc(twist * (1.0 - t) * 1024.0 / 360.0));
  const uint32_t c = static_cast<uint32_t>(ramp[static_cast<size_t>((h + shift) & 1023)]);
  const double k = std::min(1.0, std::pow(t, 100.0 / (100.0 + bias)) * (1.0 + bright / 100.0)) *
                   (1.0 - dark / 100.0 * (1.0 - t));
  double w = 0.0;
  const double half = bubbleSpan * 0.5;
  if (bubbleLevel > 0.0 && half > 0.0) {
    double dist = std::fmod(std::fabs(h - bubbleStart), 1024.0);
    dist = std::min(dist, 1024.0 - dist);
    if (dist < half) w = bubbleLevel * (1.0 - dist / half);
  }
  uint32_t out = 0;
  for (int ch = 0; ch < 3; ++ch) {
    double cv = static_cast<double>((c >> (8 * ch)) & 0xFFu) * k;
    cv += (255.0 - cv) * w * t;
    out |= static_cast<uint32_t>(std::clamp(std::nearbyint(cv), 0.0, 255.0)) << (8 * ch);
  }
  return static_cast<int32_t>(out);
}

}  // namespace

// The table is built level by level; every entry must still be the one its own hue and level
// give, in and out of the bubble, with the factory cone values and with extreme ones.
TEST(HueConeLevels, EveryEntryMatchesItsOwnHueAndLevel) {
  std::vector<int32_t> ramp(kHueRampEntries, 0);
  for (int i = 0; i < 1024; ++i) ramp[i] = (i * 7 & 0xFF) | ((i * 13 + 40) & 0xFF) << 8 | ((255 - i / 4) << 16);
  struct Case {
    int32_t bright, dark, bias, twist;
    float bubbleLevel, bubbleSpan, bubbleStart;
  } cases[] = {
      {100, 20, 160, 45, 0.0f, 0.0f, 0.0f},       // the factory cone, no bubble
      {100, 20, 160, 45, 0.6f, 300.0f, 100.0f},   // with a bubble
      {0, 0, 0, 0, 1.0f, 100.0f, 1000.0f},        // a straight ramp; the bubble wraps round
      {37, 100, 999, -999, 0.25f, 2047.0f, 3.0f}, // the bubble covers every hue
      {100, 0, 0, 999, 0.0f, 500.0f, 0.0f},       // no bubble level: no bubble
  };
  std::vector<int32_t> cone(kHueConeEntries, -1);
  for (const Case& c : cases) {
    CalcHueConeBrightness(ramp, cone, 1, c.bright, c.dark, c.bias, c.twist, c.bubbleLevel, c.bubbleSpan,
                          c.bubbleStart);
    int mismatches = 0;
    for (int32_t h = 0; h < 1024; ++h)
      for (int32_t v = 0; v < 64; ++v)
        mismatches += cone[h * 64 + v] != ConeEntry(ramp, h, v, c.bright, c.dark, c.bias, c.twist, c.bubbleLevel,
                                                    c.bubbleSpan, c.bubbleStart);
    EXPECT_EQ(mismatches, 0) << c.bright << "/" << c.dark << "/" << c.bias << "/" << c.twist << " bubble "
                             << c.bubbleLevel;
  }
}

// The last index is the first element the plot must leave alone: the engine passes the first
// element of the third row from the bottom, and that row stays untouched.
TEST(AmbientRows, TheLastIndexItselfIsNeverWritten) {
  const int32_t stride = 10, rows = 10;
  std::vector<int32_t> cone(kHueConeEntries, 0x123456);
  const std::vector<int32_t> white(64, 0xFFFFFF);
  std::vector<uint32_t> frame(static_cast<size_t>(stride * rows), 0u);
  const int32_t last = (rows - 3) * stride;  // element 0 of row 7
  // Centre (5, 5), scale 10, depth 10: a star at (x, y) lands on pixel (5 + x, 5 + y).
  API_GalaxiesSetProps(5, 5, stride, stride, 0, last, 10.0f, 1.0f, frame, cone, white, 3, 1, 1.0f, 1.0f, 0.0f);
  std::vector<float> x{-5.0f, 4.0f, -4.0f}, y{2.0f, 1.0f, 2.0f}, z(3, 10.0f), vx(3), vy(3), vz(3), age(3);
  std::vector<int32_t> tag(3, 0);
  API_Plot_AmbientStars(x, y, z, vx, vy, vz, tag, age, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0, 0);
  EXPECT_EQ(frame[static_cast<size_t>(last)], 0u) << "row 7, column 0: the last index";
  EXPECT_EQ(frame[static_cast<size_t>(last + 1)], 0u) << "row 7, column 1";
  EXPECT_EQ(frame[static_cast<size_t>(last - 1)], 0x123456u) << "row 6, column 9: the element before it";
}
