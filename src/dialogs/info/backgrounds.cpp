#include "dialogs/info/backgrounds.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/numbers.h"

namespace dialogs {

namespace {

QRgb ToRgb(int32_t colour) { return qRgb(colour & 255, (colour >> 8) & 255, (colour >> 16) & 255); }

// A filled box between two corner points, both included, clipped to the image.
void FillBox(QImage& image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
  const int32_t left = std::max(std::min(x1, x2), 0);
  const int32_t right = std::min(std::max(x1, x2), image.width() - 1);
  const int32_t top = std::max(std::min(y1, y2), 0);
  const int32_t bottom = std::min(std::max(y1, y2), image.height() - 1);
  const QRgb rgb = ToRgb(colour);
  for (int32_t y = top; y <= bottom; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int32_t x = left; x <= right; ++x) row[x] = rgb;
  }
}

}  // namespace

int32_t GradientStepColour(int32_t colourFrom, int32_t colourTo, int32_t k, int32_t steps) {
  if (steps < 1) return colourFrom;
  auto channel = [&](int32_t mask) {
    const double from = colourFrom & mask;
    const double to = colourTo & mask;
    const double v = runtime::RoundHalfEven(from + (to - from) * k / steps);
    return static_cast<int64_t>(v);
  };
  const int64_t red = channel(0xFF);
  const int64_t green = channel(0xFF00) >> 8;
  const int64_t blue = channel(0xFF0000) >> 16;
  return static_cast<int32_t>((red & 255) | ((green & 255) << 8) | ((blue & 255) << 16));
}

void DrawGradient(QImage& image, int32_t colourFrom, int32_t colourTo, int32_t steps, int32_t mode, int32_t centreX,
                  int32_t centreY) {
  if (mode != 7 || steps < 1 || image.isNull()) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  const double w = image.width(), h = image.height();
  const double cx = centreX, cy = centreY;
  // Squared distances stay exact for whole-number coordinates, so a pixel on the farthest
  // corner lies on the outermost circle, not a rounding error beyond it.
  double farthestSq = 0;
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}})
    farthestSq = std::max(farthestSq, (x - cx) * (x - cx) + (y - cy) * (y - cy));
  std::vector<QRgb> colours(static_cast<size_t>(steps));
  std::vector<double> radiusSq(static_cast<size_t>(steps));
  const double stepsSq = static_cast<double>(steps) * steps;
  for (int32_t k = 0; k < steps; ++k) {
    colours[static_cast<size_t>(k)] = ToRgb(GradientStepColour(colourFrom, colourTo, k, steps));
    const double share = steps - k;
    radiusSq[static_cast<size_t>(k)] = farthestSq * (share * share) / stepsSq;
  }
  // Each pixel takes the colour of the last (smallest) circle that covers it.
  for (int32_t y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int32_t x = 0; x < image.width(); ++x) {
      const double dx = x - cx, dy = y - cy;
      const double d2 = dx * dx + dy * dy;
      for (int32_t k = steps - 1; k >= 0; --k) {
        if (d2 <= radiusSq[static_cast<size_t>(k)]) {
          row[x] = colours[static_cast<size_t>(k)];
          break;
        }
      }
    }
  }
}

void DrawDialogBorder(QImage& image) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  const int32_t w = image.width(), h = image.height();
  constexpr int32_t kLeft = 144 | (160 << 8) | (255 << 16);
  constexpr int32_t kTop = 255 | (60 << 8) | (160 << 16);
  constexpr int32_t kRight = 80 | (160 << 8) | (255 << 16);
  constexpr int32_t kBottom = 96 | (192 << 8) | (192 << 16);
  for (int32_t i = 0; i <= 4; ++i) {
    FillBox(image, i - 3, h - i - 1, i, i, kLeft);
    FillBox(image, i, i - 3, w - i - 1, i, kTop);
    FillBox(image, w - i - 1, i, w - i + 2, h - i - 1, kRight);
    FillBox(image, w - i - 1, h - i - 1, i, h - i + 2, kBottom);
  }
}

void PaintInfoBackground(QImage& image) {
  DrawGradient(image, kGradientFrom, kGradientTo, kGradientSteps, kGradientMode, kGradientCentreX, kGradientCentreY);
  DrawDialogBorder(image);
}

}  // namespace dialogs
