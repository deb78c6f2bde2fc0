// The gradient and the border of the information windows, pinned on tiny images.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "dialogs/info/backgrounds.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};
Rgb At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return {qRed(p), qGreen(p), qBlue(p)};
}
Rgb OfValue(int32_t c) { return {c & 255, (c >> 8) & 255, (c >> 16) & 255}; }

QImage Blank(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(qRgb(1, 2, 3));
  return img;
}

TEST(Gradient, StepColoursRoundOnTheUnshiftedChannels) {
  using dialogs::GradientStepColour;
  const int32_t from = dialogs::kGradientFrom, to = dialogs::kGradientTo;
  EXPECT_EQ(OfValue(GradientStepColour(from, to, 0, 40)), (Rgb{32, 16, 64}));
  EXPECT_EQ(OfValue(GradientStepColour(from, to, 1, 40)), (Rgb{33, 18, 66}));
  EXPECT_EQ(OfValue(GradientStepColour(from, to, 20, 40)), (Rgb{48, 72, 120}));
  EXPECT_EQ(OfValue(GradientStepColour(from, to, 39, 40)), (Rgb{63, 125, 173}));
}

// With the centre at (6, 5) of a 12 x 10 image the corner pixel (0, 0) lies on the outermost
// circle (the corners (12, 0), (12, 10) and (0, 10) of the area are as far, but no pixel sits
// on them) and keeps the first colour, the centre pixel gets the last; on the way out the
// colours only go back towards the first one, and every pixel is painted.
TEST(Gradient, CornersKeepTheFirstColourAndColoursNeverGoBackOutward) {
  QImage img = Blank(12, 10);
  dialogs::DrawGradient(img, dialogs::kGradientFrom, dialogs::kGradientTo, 40, 7, 6, 5);
  EXPECT_EQ(At(img, 0, 0), (Rgb{32, 16, 64}));
  EXPECT_NE(At(img, 1, 0), (Rgb{32, 16, 64}));
  EXPECT_EQ(At(img, 6, 5), (Rgb{63, 125, 173}));

  std::map<std::tuple<int, int, int>, int> stepOf;
  for (int k = 0; k < 40; ++k) {
    const Rgb c = OfValue(dialogs::GradientStepColour(dialogs::kGradientFrom, dialogs::kGradientTo, k, 40));
    stepOf[{c.r, c.g, c.b}] = k;
  }
  std::vector<std::pair<double, int>> byDistance;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const Rgb c = At(img, x, y);
      ASSERT_TRUE(stepOf.count({c.r, c.g, c.b})) << x << "," << y;  // every pixel painted
      byDistance.emplace_back(std::hypot(x - 6, y - 5), stepOf[{c.r, c.g, c.b}]);
    }
  std::sort(byDistance.begin(), byDistance.end());
  for (size_t i = 1; i < byDistance.size(); ++i)
    if (byDistance[i].first > byDistance[i - 1].first) {
      EXPECT_LE(byDistance[i].second, byDistance[i - 1].second);
    }
}

// The windows' own centre (60, 48) lies outside a tiny image: the farthest corner (0, 0) is on
// the outermost circle; (11, 9), 62.6 from the centre, lies inside circle 7 (radius 63.4) but
// not circle 8 (61.5).
TEST(Gradient, WindowCentreOnATinyImage) {
  QImage plain = Blank(12, 10);
  dialogs::DrawGradient(plain, dialogs::kGradientFrom, dialogs::kGradientTo, 40, 7, 60, 48);
  EXPECT_EQ(At(plain, 0, 0), (Rgb{32, 16, 64}));
  EXPECT_EQ(At(plain, 1, 0), (Rgb{32, 16, 64}));
  EXPECT_EQ(At(plain, 11, 9), OfValue(dialogs::GradientStepColour(dialogs::kGradientFrom, dialogs::kGradientTo, 7, 40)));
  QImage both = Blank(12, 10);
  dialogs::PaintInfoBackground(both);  // the border over the gradient
  EXPECT_EQ(At(both, 0, 0), (Rgb{255, 60, 160}));
  // Another mode draws nothing.
  QImage other = Blank(4, 4);
  dialogs::DrawGradient(other, dialogs::kGradientFrom, dialogs::kGradientTo, 40, 3, 1, 1);
  EXPECT_EQ(At(other, 1, 1), (Rgb{1, 2, 3}));
}

TEST(Border, TwelveByTenPixelByPixel) {
  const std::map<char, Rgb> colour{
      {'L', {144, 160, 255}}, {'T', {255, 60, 160}}, {'R', {80, 160, 255}}, {'B', {96, 192, 192}}};
  const char* expected[] = {
      "TTTTTTTTTTTR",
      "LTTTTTTTTTRR",
      "LLTTTTTTTRRR",
      "LLLTTTTTRRRR",
      "LLLLTTTRRRRR",
      "LLLLBBBBRRRR",
      "LLLBBBBBBRRR",
      "LLBBBBBBBBRR",
      "LBBBBBBBBBBR",
      "BBBBBBBBBBBB",
  };
  QImage img = Blank(12, 10);
  dialogs::DrawDialogBorder(img);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(At(img, x, y), colour.at(expected[y][x])) << x << "," << y;
}

TEST(Border, InnerPixelsOfALargerImageStayAndTinyImagesAreClipped) {
  QImage img = Blank(30, 20);
  dialogs::DrawDialogBorder(img);
  EXPECT_EQ(At(img, 5, 5), (Rgb{1, 2, 3}));
  EXPECT_EQ(At(img, 4, 10), (Rgb{144, 160, 255}));  // left bar, five pixels wide
  EXPECT_EQ(At(img, 10, 4), (Rgb{255, 60, 160}));
  EXPECT_EQ(At(img, 25, 10), (Rgb{80, 160, 255}));
  EXPECT_EQ(At(img, 10, 15), (Rgb{96, 192, 192}));
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {2, 3}, {3, 1}}) {
    QImage tiny = Blank(w, h);
    dialogs::DrawDialogBorder(tiny);
    dialogs::DrawGradient(tiny, dialogs::kGradientFrom, dialogs::kGradientTo, 40, 7, 60, 48);
    EXPECT_EQ(tiny.size(), QSize(w, h));
  }
}

}  // namespace
