#include "engine/shape_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "star_placement_fixture.h"

namespace {

using placementtest::InjectDraws;
using placementtest::IntegersDrawn;
using placementtest::PlacementTest;
using placementtest::SinglesDrawn;

class ShapePrimitivesTest : public PlacementTest {};

// A random Single times a count is worked in Double: the draw 14995 / 32768 of 18000 stars
// is 8236.99..., so star 8236 (a product in Single rounds to 8237 first). The largest draw
// stays below the count; a count below 1 still draws and gives 0.
TEST_F(ShapePrimitivesTest, DrawIndexBelowTakesTheProductInDouble) {
  struct Case {
    int32_t draw, count, expected;
  } cases[] = {{14995, 18000, 8236}, {32038, 18000, 17598}, {32767, 18000, 17999},
               {0, 18000, 0},        {32767, 200, 199},     {20000, 0, 0}, {20000, -5, 0}};
  for (const Case& c : cases) {
    InjectDraws({c.draw});
    EXPECT_EQ(engine::DrawIndexBelow(c.count), c.expected) << c.draw << " of " << c.count;
    EXPECT_EQ(SinglesDrawn(), 1);
  }
  const float r = 14995 / 32768.0f;
  ASSERT_EQ(static_cast<int32_t>(r * 18000.0f), 8237);  // the Single product this rules out
}

struct ProfileCase {
  int32_t profile;
  double r;         // as a share of R
  double expected;  // as a share of R
};

// Heights at the joints of the piecewise profiles and at centre and rim of the others.
TEST_F(ShapePrimitivesTest, ProfileThicknessAtJointsCentreAndRim) {
  const float R = 4.0f;
  const std::vector<ProfileCase> cases = {
      {0, 0.25, 0.70}, {0, 0.5, 0.40},  {0, 1.0, 0.0},                    // standard
      {1, 0.0, 1.0},   {1, 0.1, 0.75},  {1, 0.75, 0.25}, {1, 1.0, 0.0},   // top-like
      {2, 0.0, 1.0},   {2, 1.0, 0.0},                                     // spherical
      {3, 0.0, 1.0},   {3, 1.0, 0.0},                                     // conical
      {4, 0.0, 1.0},   {4, 1.0, 0.0},                                     // hyperbolic
      {5, 0.0, 0.0},   {5, 1.0, 1.0},                                     // outer-hyperbolic
      {6, 0.0, 0.0},   {6, 1.0, 1.0},                                     // inner-hyperbolic
  };
  for (const auto& c : cases) {
    const auto r = static_cast<float>(c.r * R);
    InjectDraws({}, {32767});  // positive sign
    EXPECT_NEAR(engine::ProfileThickness(c.profile, r, R, R * R), c.expected * R, 2e-3 * R)
        << "profile " << c.profile << " at r/R = " << c.r;
    // Both sides of each joint meet (the top-like cap and flank rise steeply there, so the step
    // taken to either side is tiny).
    if (c.r > 0.0 && c.r < 1.0) {
      InjectDraws({}, {32767, 32767});
      const float below = engine::ProfileThickness(c.profile, r - 1e-6f, R, R * R);
      const float above = engine::ProfileThickness(c.profile, r + 1e-6f, R, R * R);
      EXPECT_NEAR(below, above, 5e-3 * R) << "profile " << c.profile << " at r/R = " << c.r;
    }
  }
}

TEST_F(ShapePrimitivesTest, ProfileSignComesFromOneIntegerDraw) {
  struct SignCase {
    int32_t draw;
    float sign;
  };
  for (const SignCase c : {SignCase{16384, 0.0f}, SignCase{16385, 1.0f}, SignCase{16383, -1.0f},
                           SignCase{0, -1.0f}}) {
    for (int32_t profile = 0; profile <= 6; ++profile) {
      InjectDraws({}, {c.draw});
      const float t = engine::ProfileThickness(profile, 0.3f, 1.0f, 1.0f);
      InjectDraws({}, {32767});
      const float magnitude = engine::ProfileThickness(profile, 0.3f, 1.0f, 1.0f);
      EXPECT_EQ(t, c.sign * magnitude) << "draw " << c.draw << " profile " << profile;
    }
  }
  // An unknown profile is flat but still takes its sign draw.
  InjectDraws({}, {32767});
  EXPECT_EQ(engine::ProfileThickness(7, 0.3f, 1.0f, 1.0f), 0.0f);
  EXPECT_EQ(IntegersDrawn(), 1);
  EXPECT_EQ(SinglesDrawn(), 0);
}

TEST_F(ShapePrimitivesTest, RandomPointInShapeKindsAndDrawCounts) {
  struct ShapeCase {
    int32_t shape;
    int32_t singles, integers;  // draws per point
    bool onSphere;
  };
  const std::vector<ShapeCase> cases = {
      {-1, 2, 0, true}, {0, 2, 0, true},  {1, 2, 0, true},  {5, 2, 0, true},  {6, 2, 1, true},
      {10, 2, 1, true}, {11, 2, 0, false}, {12, 2, 0, false}, {13, 2, 1, false},
  };
  const float rho = 7.5f;
  for (const auto& c : cases) {
    model::InitRandomTableWithSeed(99);
    for (int i = 0; i < 200; ++i) {
      const int32_t s0 = model::randomState().singlePos, i0 = model::randomState().integerPos;
      float x = 0, y = 0, z = 0;
      engine::RandomPointInShape(x, y, z, rho, c.shape);
      ASSERT_EQ(model::randomState().singlePos - s0, c.singles) << "shape " << c.shape;
      ASSERT_EQ(model::randomState().integerPos - i0, c.integers) << "shape " << c.shape;
      const double d = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
      if (c.onSphere) {
        ASSERT_NEAR(d, rho, 1e-4) << "shape " << c.shape;
      } else {
        ASSERT_LE(d, rho + 1e-4) << "shape " << c.shape;
        if (c.shape == 11) {
          ASSERT_EQ(y, 0.0f);
        } else if (c.shape == 12) {
          ASSERT_EQ(x, 0.0f);
        } else {
          ASSERT_TRUE(x == 0.0f || y == 0.0f || z == 0.0f);
        }
      }
    }
  }
  // Beyond the known shapes the outputs stay and nothing is drawn.
  InjectDraws({});
  float x = 1, y = 2, z = 3;
  engine::RandomPointInShape(x, y, z, rho, 14);
  EXPECT_EQ(x, 1.0f);
  EXPECT_EQ(y, 2.0f);
  EXPECT_EQ(z, 3.0f);
  EXPECT_EQ(SinglesDrawn(), 0);
}

// The crossings of the 8-step globe (shape 1) lie on 8 meridians and at latitudes pi i / 8.
TEST_F(ShapePrimitivesTest, GlobeCrossingsLieOnTheGrid) {
  const float rho = 10.0f;
  // r1 = 3/8 picks latitude step 3; r2 = 5/8 picks meridian 5.
  InjectDraws({3 * 4096, 5 * 4096});
  float x = 0, y = 0, z = 0;
  engine::RandomPointInShape(x, y, z, rho, 1);
  const double lat = std::sin(3.14159265358979 * 3 / 8 + 3.14159265358979 / 2);
  const double theta = 6.28318530717958 * 5 / 8;
  const double ring = std::sqrt(1.0 - lat * lat) * rho;
  EXPECT_NEAR(y, lat * rho, 1e-5);
  EXPECT_NEAR(x, ring * std::cos(theta), 1e-5);
  EXPECT_NEAR(z, ring * std::sin(theta), 1e-5);
}

TEST_F(ShapePrimitivesTest, BSplineEndsJoinNeighbouringSpans) {
  const float p[4] = {1.0f, -2.0f, 6.0f, 3.5f};
  EXPECT_FLOAT_EQ(engine::BSplineValue(p[0], p[1], p[2], p[3], 0.0f), (p[0] + 4 * p[1] + p[2]) / 6);
  EXPECT_FLOAT_EQ(engine::BSplineValue(p[0], p[1], p[2], p[3], 1.0f), (p[1] + 4 * p[2] + p[3]) / 6);
  // Equal control points give that point everywhere.
  EXPECT_FLOAT_EQ(engine::BSplineValue(2.0f, 2.0f, 2.0f, 2.0f, 0.37f), 2.0f);
}

// Each evaluator takes its four points from the right places of its arrays.
TEST_F(ShapePrimitivesTest, EvaluatorsPickTheirFourPoints) {
  auto expect0 = [](float a, float b, float c) { return (a + 4 * b + c) / 6; };

  std::vector<float> ax = {0, 10, 20, 30, 40, 50}, ay = {1, 2, 3, 4, 5, 6}, az = {-1, -2, -3, -4, -5, -6};
  float x = 0, y = 0, z = 0;
  engine::BSplinePointA1(x, y, z, 0.0f, ax, ay, az);
  EXPECT_FLOAT_EQ(x, expect0(0, 10, 20));
  EXPECT_FLOAT_EQ(z, expect0(-1, -2, -3));
  engine::BSplinePointA1Idx(x, y, z, 0.0f, 5, 3, 1, 0, ax, ay, az);
  EXPECT_FLOAT_EQ(x, expect0(50, 30, 10));
  EXPECT_FLOAT_EQ(y, expect0(6, 4, 2));

  std::vector<engine::RibbonRow> rx(2), ry(2), rz(2);
  for (int k = 0; k < engine::kRibbonPoints; ++k) rx[1][k] = float(k), ry[1][k] = float(2 * k), rz[1][k] = 1.0f;
  engine::BSplinePointA2(x, y, z, 1.0f, 1, 4, 5, 6, 7, rx, ry, rz);
  EXPECT_FLOAT_EQ(x, (5 + 4 * 6 + 7) / 6.0f);
  EXPECT_FLOAT_EQ(y, 2 * (5 + 4 * 6 + 7) / 6.0f);
  EXPECT_FLOAT_EQ(z, 1.0f);

  std::vector<engine::WanderRow> wx(1), wy(1), wz(1);
  wx[0][3] = {1, 2, 3, 4};
  engine::BSplinePointA3(x, y, z, 0.0f, 0, 3, wx, wy, wz);
  EXPECT_FLOAT_EQ(x, expect0(1, 2, 3));
  EXPECT_FLOAT_EQ(y, 0.0f);

  // A point or row outside the arrays leaves the outputs alone.
  x = y = z = 9.0f;
  engine::BSplinePointA1Idx(x, y, z, 0.5f, 0, 1, 2, 6, ax, ay, az);
  engine::BSplinePointA2(x, y, z, 0.5f, 2, 0, 1, 2, 3, rx, ry, rz);
  engine::BSplinePointA2(x, y, z, 0.5f, 1, -1, 1, 2, 3, rx, ry, rz);
  engine::BSplinePointA3(x, y, z, 0.5f, 0, engine::kRibbonPoints, wx, wy, wz);
  engine::BSplinePointA1(x, y, z, 0.5f, std::vector<float>{1, 2, 3}, ay, az);
  EXPECT_EQ(x, 9.0f);
  EXPECT_EQ(y, 9.0f);
  EXPECT_EQ(z, 9.0f);
}

}  // namespace
