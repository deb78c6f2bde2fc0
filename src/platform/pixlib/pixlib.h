// The pixel library: whole-frame work on 32-bit pixel buffers (trail blend, colour filter,
// desktop mix, message points, hue-cone table, ambient stars, credits star field, 24-bit
// conversion). Every call takes spans and sizes; every read and every write is checked
// against its span, so no argument can make a call touch memory outside its buffers.
//
// Pixels: blue in bits 0-7, green in bits 8-15, red in bits 16-23; every pixel the library
// writes has bits 24-31 zero. "Colour-reference order" is red in bits 0-7 and blue in bits
// 16-23. Integer divisions below truncate toward zero; every float-to-integer conversion
// rounds to nearest, halves to even, unless "truncated" is said.
//
// Frame walk of the blend calls. A frame of `width` x `height` pixels is walked row by row:
// walked row k (k = 0 .. height-1) begins at byte
//     height * startOffsetBytes + (k + 1) * pitchBytes
// of the frame span. The compositor passes pitch -4*stride and start 4*stride, which walks a
// top-down frame from its bottom row up: walked row k is frame row height-1-k, the order in
// which a bottom-up desktop image lies in memory. Rows (and the pixels of a row) whose bytes
// fall outside a span, and rows that do not begin on a whole pixel, are skipped. The output
// buffer of a call is walked with the same geometry as the frame. The calls visit the rows in
// ascending address order; a row's result depends on no other row, so the order of the visit
// changes no result.
//
// Level code: the trail level L (0..100) is passed as L + 720; a code outside 720..820 is
// clamped to it. Trail blend of a channel c: c * L / 100. L = 100 keeps the frame as it is, so
// stars leave trails (the engine never clears the frame); L = 0 clears it.
#pragma once

#include <cstdint>
#include <span>

namespace pixlib {

inline constexpr int32_t kLevelCodeBase = 720;
inline constexpr int32_t kHueConeEntries = 65537;  // 1024 hues x 64 levels, one spare
inline constexpr int32_t kHueRampEntries = 1025;

// Scales the first `byteCount` bytes (at most the span) in place: b = b * level / 256, level
// clamped to 0..256. Used for the captured desktop copy.
void MultDesktopIntensity(std::span<uint8_t> bytes, int32_t byteCount, int32_t level);

// Trail blend in place: each channel of each walked pixel becomes c * L / 100; bits 24-31 are
// cleared.
void BlendPixelRGB32(std::span<uint32_t> frame, int32_t width, int32_t height, int32_t levelCode,
                     int32_t pitchBytes, int32_t startOffsetBytes);

// The colour filter: the trail blend of BlendPixelRGB32 in place, then each output pixel is
// the blended frame pixel AND (mode 1) or XOR (mode 2) the mask (its low 24 bits); any other
// mode copies the blended pixel.
void BlendPixel32Filter(std::span<uint32_t> frame, std::span<uint32_t> output, int32_t width,
                        int32_t height, int32_t levelCode, int32_t pitchBytes,
                        int32_t startOffsetBytes, int32_t filterMode, int32_t filterMask);

// The desktop mix. `desktop` is a 24-bit image (blue, green, red bytes), `width` pixels per
// row and no gap between rows, rows bottom-up in memory, already scaled by
// MultDesktopIntensity to the desktop level d; walked row k of the frame meets desktop row k
// in memory (bytes k*3*width onward). The frame is trail-blended in place; then each output
// channel is min(255, f * W / 255 + s), where f is the blended frame channel, s the desktop
// channel (0 where the desktop image has no byte) and W = frameWeight clamped to 0..255 (the
// compositor passes 255 - d). Last the filter of BlendPixel32Filter is applied to the output.
void BlendPixelDeskRGB32Mask(std::span<uint32_t> frame, std::span<const uint8_t> desktop,
                             std::span<uint32_t> output, int32_t width, int32_t height,
                             int32_t levelCode, int32_t frameWeight, int32_t pitchBytes,
                             int32_t startOffsetBytes, int32_t filterMode, int32_t filterMask);

// Message points: point i (i < count, and within both point spans) is written at element
// topRowIndex + y[i] * stride + x[i] with the colour turned into frame order (red and blue
// exchanged). Points with x outside 0..stride-1, a negative row, or an element outside the
// frame are skipped.
void PlotMessage(std::span<uint32_t> frame, int32_t topRowIndex, int32_t stride, int32_t count,
                 int32_t colourRef, std::span<const int32_t> pointX, std::span<const int32_t> pointY);

// The hue cone. Entry h * 64 + v (hue h 0..1023, level v 0..63) is filled, channel by channel
// in the byte order of the ramp, from ramp colour c = ramp[(h + shift) And 1023]:
//   t      = v / 63
//   shift  = twist * (1 - t) * 1024 / 360 truncated (the twist, in degrees, turns the hue of
//            the dark levels; level 63 keeps its own hue)
//   e      = 100 / (100 + bias)            (bias 0 keeps a straight ramp; more bias, brighter)
//   k      = min(1, t^e * (1 + bright / 100)) * (1 - dark / 100 * (1 - t))
//   c'     = c * k
//   bubble: when bubbleLevel > 0 and bubbleSpan > 0, with dist the distance of h from
//           bubbleStart round the 1024 steps and half = bubbleSpan / 2, a hue with dist < half
//           gets w = bubbleLevel * (1 - dist / half) and c'' = c' + (255 - c') * w * t.
// So level 0 is black and level 63 is the ramp colour (lightened by the bubble). bright and
// dark are clamped to 0..100, bias to 0..999, twist to -999..999, bubbleLevel to 0..1. Only
// mode 1 exists; another mode, or a ramp shorter than 1024 entries, leaves the cone as it is.
// Entries beyond the cone span are not written; entry 65536 is never written.
void CalcHueConeBrightness(std::span<const int32_t> ramp, std::span<int32_t> cone, int32_t mode,
                           int32_t bright, int32_t dark, int32_t bias, int32_t twist,
                           float bubbleLevel, float bubbleSpan, float bubbleStart);

// Seeds the library's own random numbers (a 32-bit xorshift) with a fixed seed, so every
// universe display starts the same sequence.
void InitRandomArray();

// Settings of the next API_Plot_AmbientStars. The spans are kept until that call and must stay
// valid until it returns; the caller makes both calls in a row, every frame.
struct AmbientProps {
  int32_t ScreenCentreX = 0, ScreenCentreY = 0, RenderWidth = 0, BufferStride = 0;
  // The elements the plot may write: FirstIndex up to, but not including, LastIndex (the
  // caller passes the first element of the first row that must stay untouched).
  int32_t FirstIndex = 0, LastIndex = 0;
  float PerspectiveScale = 0, FocalLength = 1;
  std::span<uint32_t> Frame;
  std::span<const int32_t> Cone;
  std::span<const int32_t> White;
  int32_t AmStar = 0, AmFrames = 0;
  float AmMaxExt = 0, AmPers = 1, AmCAge = 0;
};
void API_GalaxiesSetProps(int32_t centreX, int32_t centreY, int32_t width, int32_t stride,
                          int32_t firstIndex, int32_t lastIndex, float perspectiveScale,
                          float focalLength, std::span<uint32_t> frame,
                          std::span<const int32_t> cone, std::span<const int32_t> white,
                          int32_t amStar, int32_t amFrames, float amMaxExt, float amPers,
                          float amCAge);

// Ambient stars. n = AmStar, at most the length of the shortest of the eight arrays; with
// far = max(extent, 1) * max(AmMaxExt, 1), star i, per call:
//  - position += velocity; Age += 1 / max(AmFrames, 1) (a new star fades in over AmFrames
//    frames);
//  - phase 1 (the tour) only: the star drifts toward the viewer, z -= max(extent, 1) * 0.005;
//    a star whose depth d = z - camZ is <= 0 or > far is born again: x = camX + (2r - 1) *
//    extent, y = camY + (2r - 1) * extent, z = camZ + far * (0.5 + 0.5r) (each r a new number
//    of the library's random numbers, in [0, 1)), velocity 0, Age 0, Tag = a random hue
//    0..1023 (Tag and Age hold the star's hue and age);
//  - drawing, when d > 0: sx = ScreenCentreX + (x - camX) * PerspectiveScale / d, sy =
//    ScreenCentreY + (y - camY) * PerspectiveScale / d; level v = 63 * min(1, Age) * (1 - (1 -
//    AmPers) * d / far) truncated, clamped 0..63; hue = (Tag + Fix(Age * AmCAge * 64)) And
//    1023; colour = Cone[hue * 64 + v] (the white table's entry v when the cone is too short;
//    nothing drawn when both are). Written only when 0 <= sx < RenderWidth and FirstIndex <=
//    sy * BufferStride + sx < LastIndex and within the frame.
// fExpand and lType do not change the result.
void API_Plot_AmbientStars(std::span<float> x, std::span<float> y, std::span<float> z,
                           std::span<float> vx, std::span<float> vy, std::span<float> vz,
                           std::span<int32_t> tag, std::span<float> age, float camX, float camY,
                           float camZ, float extent, float expand, int32_t phase, int32_t type);

// Credits star field. Star i owns records[8i .. 8i+7]: x, y (-1..1), depth z (0.1..1), age,
// age step, and three spare values. Per frame and star (i < starCount and within both spans):
//   z -= speed; age = min(1, age + age step);
//   when z <= 0.01: x, y = 2r - 1, z = 1, age = 0 (born again far away);
//   turned by `angle`: x' = x cos(angle) - y sin(angle), y' = x sin(angle) + y cos(angle);
//   sx = centreX + x' / z * centreX, sy = centreY + y' / z * centreY;
//   level v = 63 * (1 - z) * age truncated, clamped 0..63; colour = cone[(colors[i] And
//   65472) + v] (the star's hue row, a level chosen by depth and age);
//   written only when 0 <= sx < width and 0 <= sy <= plotMaxY and within the frame.
// After the stars: angle += speed * 0.1 (wrapping after 2 pi), hue unchanged.
void DisplayCreditsStarfield(int32_t centreX, int32_t centreY, int32_t width, int32_t stride,
                             int32_t plotMaxY, std::span<uint32_t> frame,
                             std::span<const int32_t> cone, int32_t starCount,
                             std::span<float> records, std::span<const int32_t> colors,
                             float speed, float& hue, float& angle);

// 24-bit copy of the frame for a video or bitmap file: output row r (from the start of the
// span) holds frame row height-1-r (bottom-up), each pixel as blue, green, red bytes after the
// filter (mode 1 AND, 2 XOR with the mask's low 24 bits, else none); rows are padded to a
// multiple of 4 bytes ((width * 24 + 31) / 32 * 4) with zero bytes. Only 32 bits per pixel
// are converted; any other depth writes nothing.
void CopyRGBtoBMP(std::span<const uint32_t> frame, std::span<uint8_t> bits, int32_t width,
                  int32_t stride, int32_t height, int32_t filterMode, int32_t filterMask,
                  int32_t bitsPerPixel);

// Bytes per row of CopyRGBtoBMP's output.
int32_t Bmp24RowBytes(int32_t width);

}  // namespace pixlib
