#include "engine/shape_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "star_placement_fixture.h"

namespace {

using placementtest::FirstAngleWhere;
using placementtest::InjectDraws;
using placementtest::PlacementTest;
using placementtest::SinglesDrawn;
using placementtest::StoredCos;
using placementtest::StoredSin;

class ShapeTablesTest : public PlacementTest {
 protected:
  // Type t with a radius of 2 world units and height ratio 0.5 (R H = 1).
  void MakeType(int32_t t, int32_t style, int32_t segs) {
    auto& rec = Type(t);
    rec.Galaxy_GalStyle = style;
    rec.Galaxy_Radius = 200;
    rec.Galaxy_GHW_Ratio = 0.5f;
    rec.Galaxy_RadSegs = segs;
  }
  static engine::ShapeTables& S() { return engine::shapeTables(); }
};

struct VertexCase {
  int32_t segs;
  int32_t vertex;
  float x, y, z;
};

TEST_F(ShapeTablesTest, WireframeVerticesByCount) {
  const std::vector<VertexCase> cases = {
      {1, 0, 0, 0, 0},                                           // the centre
      {4, 0, 0, -1, 0},     {4, 1, 2, 0.5f, 0},                  // cone: apex, first ring point
      {6, 0, 0, 1, 0},      {6, 2, -2, 0, 0},  {6, 5, 0, 0, 2},  // octahedron
      {7, 6, 0, 0, 0},                                           // octahedron and centre
      {8, 0, 2, -1, 2},     {8, 7, -2, 1, -2},                   // box
      {9, 2, 0, 1, 1.44f},  {9, 5, 0, -1, 1.44f}, {9, 8, 0, 0, -3},  // stacked triangles
      {10, 0, 0, -1, 0},    {10, 4, -2, -0.5f, -2}, {10, 8, 0, 0.5f, -2}, {10, 9, 0, 1, 0},
  };
  for (const auto& c : cases) {
    MakeType(0, 2, c.segs);
    model::PrepareGalaxyTypes();
    engine::InitGalaxyPaths(1, 0, -1);
    const size_t v = static_cast<size_t>(c.vertex);
    EXPECT_NEAR(S().WireVertexX[0][v], c.x, 1e-5) << c.segs << " vertex " << c.vertex;
    EXPECT_NEAR(S().WireVertexY[0][v], c.y, 1e-5) << c.segs << " vertex " << c.vertex;
    EXPECT_NEAR(S().WireVertexZ[0][v], c.z, 1e-5) << c.segs << " vertex " << c.vertex;
  }
  // The cone's ring: segs - 1 points of radius R at half height, evenly spread.
  MakeType(0, 2, 5);
  model::PrepareGalaxyTypes();
  engine::InitGalaxyPaths(1, 0, -1);
  for (size_t i = 1; i < 5; ++i) {
    EXPECT_NEAR(std::hypot(S().WireVertexX[0][i], S().WireVertexZ[0][i]), 2.0, 1e-5);
    EXPECT_NEAR(std::atan2(S().WireVertexZ[0][i], S().WireVertexX[0][i]),
                std::remainder(6.28318530717958 * double(i - 1) / 4, 6.28318530717958), 1e-5);
    EXPECT_FLOAT_EQ(S().WireVertexY[0][i], 0.5f);
  }
}

TEST_F(ShapeTablesTest, SetUpSizesTablesAndResetsTheTypes) {
  MakeType(0, 2, 15);
  auto& rec = Type(0);
  rec.Galaxy_CP_Points = 25;
  rec.Galaxy_HueStart = 123;
  rec.OrbitAngle = rec.SpinAngle = 1.0f;
  Type(1).Galaxy_CP_Points = 0;
  model::PrepareGalaxyTypes();
  engine::InitGalaxyPaths(3, 0, -1);

  EXPECT_EQ(S().PathCtrlX.size(), 3u);
  EXPECT_EQ(S().PathWanderZ.size(), 3u);
  EXPECT_EQ(S().AttractorCount.size(), 3u);
  EXPECT_EQ(rec.Galaxy_CP_Points, 20);  // clamped in the record itself
  EXPECT_EQ(Type(1).Galaxy_CP_Points, 1);
  EXPECT_EQ(rec.PathSegs, 10);
  EXPECT_EQ(rec.HueOffset, 123.0f);
  EXPECT_EQ(rec.OrbitAngle, 0.0f);
  EXPECT_EQ(rec.SpinAngle, 0.0f);
  EXPECT_EQ(rec.SpinCos, 1.0f);
  EXPECT_EQ(rec.SpinSin, 0.0f);
  EXPECT_FLOAT_EQ(rec.LevelAngle[0], -rec.LevelTilt[0]);
  EXPECT_FLOAT_EQ(rec.LevelCos[0], std::cos(rec.LevelAngle[0]));
  // Every galaxy's running point starts on its vertex 0.
  for (size_t g = 0; g < 3; ++g) {
    EXPECT_EQ(S().ShapePointX[g], S().WireVertexX[g][0]);
    EXPECT_EQ(S().ShapePointY[g], S().WireVertexY[g][0]);
  }

  // A single-point attractor starts from a random point: three draws around the profile sign.
  MakeType(0, 1, 5);
  model::PrepareGalaxyTypes();
  InjectDraws({16384, 8192, 0}, {32767});
  engine::InitGalaxyPaths(1, 0, -1);
  EXPECT_EQ(SinglesDrawn(), 3);
  EXPECT_NEAR(S().ShapePointX[0], std::pow(0.5, double(rec.Galaxy_RadiusExp)) * 2.0, 1e-5);
  EXPECT_EQ(S().ShapePointZ[0], 0.0f);
  EXPECT_EQ(S().ShapePointX[0], S().WireVertexX[0][0]);

  engine::InitGalaxyPaths(0, 0, -1);
  EXPECT_TRUE(S().PathCtrlX.empty());
}

// A level's cosine and sine are double-precision values rounded once, even at an angle where
// the single-precision functions differ in the last bit.
TEST_F(ShapeTablesTest, LevelCosineAndSineInDoublePrecision) {
  const float angle = FirstAngleWhere(0.2f, [](float a) {
    return std::cos(a) != StoredCos(a) && std::sin(a) != StoredSin(a);
  });
  ASSERT_NE(angle, 0.0f);
  auto& rec = Type(0);
  rec.Galaxy_StdLevels = 2;
  model::PrepareGalaxyTypes();
  rec.LevelTilt[1] = -angle;
  engine::InitGalaxyPaths(1, 0, -1);
  EXPECT_EQ(rec.LevelAngle[1], angle);
  EXPECT_EQ(rec.LevelCos[1], StoredCos(angle));
  EXPECT_EQ(rec.LevelSin[1], StoredSin(angle));
}

TEST_F(ShapeTablesTest, RibbonControlPointsCloseOnThemselves) {
  MakeType(0, 4, 1);
  auto& rec = Type(0);
  rec.Galaxy_CP_Points = 8;
  rec.Galaxy_CP_Close = 1;
  model::PrepareGalaxyTypes();
  InjectDraws({});
  engine::InitGalaxyPaths(1, 0, -1);
  EXPECT_EQ(SinglesDrawn(), 8 * 4 * 3);  // the wander spans of the points in use
  for (size_t j = 0; j < 8; ++j) {
    const auto& w = S().PathWanderX[0][j];
    EXPECT_FLOAT_EQ(S().PathCtrlX[0][j], (w[0] + 4 * w[1] + w[2]) / 6) << j;
    for (size_t m = 0; m < 4; ++m) {
      EXPECT_LE(std::fabs(S().PathWanderX[0][j][m]), 2.0f);
      EXPECT_LE(std::fabs(S().PathWanderY[0][j][m]), 1.0f);
    }
  }
  for (size_t j = 8; j < 11; ++j) {
    EXPECT_EQ(S().PathCtrlX[0][j], S().PathCtrlX[0][j - 8]);
    EXPECT_EQ(S().PathCtrlZ[0][j], S().PathCtrlZ[0][j - 8]);
  }
  // An open ribbon ends on three points at the centre.
  rec.Galaxy_CP_Close = 0;
  engine::InitGalaxyPaths(1, 0, -1);
  for (size_t j = 8; j < 11; ++j) EXPECT_EQ(S().PathCtrlX[0][j], 0.0f);
}

// With Galaxy_CP_Steps 0 the ribbon keeps its shape and only turns with the galaxy.
TEST_F(ShapeTablesTest, FrozenRibbonOnlyTurns) {
  for (int32_t axisPlane : {0, 1}) {
    MakeType(0, 4, 1);
    auto& rec = Type(0);
    rec.Galaxy_CP_Steps = 0;
    rec.Galaxy_Rotation = 20000;
    rec.Galaxy_AxisPlane = axisPlane;
    model::PrepareGalaxyTypes();
    engine::InitGalaxyPaths(1, 0, -1);
    const auto x0 = S().PathCtrlX[0], y0 = S().PathCtrlY[0], z0 = S().PathCtrlZ[0];
    const int32_t drawn = model::randomState().singlePos;
    engine::AdvanceGalaxyPaths(1, 0);
    EXPECT_EQ(model::randomState().singlePos, drawn);
    EXPECT_EQ(S().PathWanderT[0], 0.0f);
    const double cs = rec.RotStepCos, sn = rec.RotStepSin;
    for (size_t j = 0; j < 11; ++j) {
      if (axisPlane == 0) {
        EXPECT_NEAR(S().PathCtrlX[0][j], x0[j] * cs - z0[j] * sn, 1e-5);
        EXPECT_NEAR(S().PathCtrlZ[0][j], z0[j] * cs + x0[j] * sn, 1e-5);
        EXPECT_FLOAT_EQ(S().PathCtrlY[0][j], y0[j]);
      } else {
        EXPECT_NEAR(S().PathCtrlY[0][j], y0[j] * cs - z0[j] * sn, 1e-5);
        EXPECT_NEAR(S().PathCtrlZ[0][j], z0[j] * cs + y0[j] * sn, 1e-5);
        EXPECT_FLOAT_EQ(S().PathCtrlX[0][j], x0[j]);
      }
    }
  }
}

// A span takes Galaxy_CP_Steps frames; then every control point's wander chain moves on by
// one random point.
TEST_F(ShapeTablesTest, WanderSpanRollsOnAfterItsFrames) {
  MakeType(0, 4, 1);
  auto& rec = Type(0);
  rec.Galaxy_CP_Points = 5;
  rec.Galaxy_CP_Steps = 4;
  rec.Galaxy_Rotation = 0;
  MakeType(1, 2, 4);  // a second galaxy that is no ribbon
  model::PrepareGalaxyTypes();
  const std::vector<int32_t> types = {0, 1};
  engine::InitGalaxyPaths(2, -1, -1, types);
  const auto before = S().PathWanderX[0];
  const auto wire = S().WireVertexX[1];

  const int32_t start = model::randomState().singlePos;
  for (int frame = 1; frame <= 3; ++frame) {
    engine::AdvanceGalaxyPaths(2, -1, types);
    EXPECT_FLOAT_EQ(S().PathWanderT[0], frame * 0.25f);
  }
  EXPECT_EQ(model::randomState().singlePos, start);
  EXPECT_NEAR(S().PathCtrlX[0][2], engine::BSplineValue(before[2][0], before[2][1], before[2][2], before[2][3], 0.75f), 1e-5);

  engine::AdvanceGalaxyPaths(2, -1, types);
  EXPECT_EQ(S().PathWanderT[0], 0.0f);
  EXPECT_EQ(model::randomState().singlePos - start, (5 + 3) * 3);  // one new point per chain
  for (size_t j = 0; j < 5; ++j)
    for (size_t m = 0; m < 3; ++m) EXPECT_EQ(S().PathWanderX[0][j][m], before[j][m + 1]);
  EXPECT_EQ(S().WireVertexX[1], wire);
}

// A composite galaxy's path is shaped by its first member, whose path is built last.
TEST_F(ShapeTablesTest, CompositePathFollowsFirstMember) {
  MakeType(1, 2, 6);
  MakeType(2, 2, 6);
  Type(2).Galaxy_Radius = 500;
  auto& comp = model::records().CompositeGalaxies[0];
  comp.CompGal_Count = 2;
  comp.CompGal_Type[0] = 1;
  comp.CompGal_Type[1] = 2;
  model::PrepareGalaxyTypes();

  engine::InitGalaxyPaths(1, -1, 0);  // a composite preview
  EXPECT_FLOAT_EQ(S().WireVertexX[0][3], 2.0f);

  Type(50).IsComposite = true;  // a universe galaxy in composite slot 50
  const std::vector<int32_t> types = {2, 50};
  engine::InitGalaxyPaths(2, -1, -1, types);
  EXPECT_FLOAT_EQ(S().WireVertexX[0][3], 5.0f);
  EXPECT_FLOAT_EQ(S().WireVertexX[1][3], 2.0f);
}

TEST_F(ShapeTablesTest, ShortOrBadTypeListsAreSkipped) {
  MakeType(0, 4, 1);
  model::PrepareGalaxyTypes();
  const std::vector<int32_t> types = {0, 99};
  engine::InitGalaxyPaths(3, -1, -1, types);  // one entry short, one type unknown
  ASSERT_EQ(S().PathCtrlX.size(), 3u);
  EXPECT_NE(S().PathCtrlX[0][0], 0.0f);
  engine::AdvanceGalaxyPaths(5, -1, types);
  engine::AdvanceGalaxyPaths(3, 70, types);
  engine::InitGalaxyPath(0, 3);
  for (size_t g = 1; g < 3; ++g)
    for (float v : S().PathCtrlX[g]) EXPECT_EQ(v, 0.0f);
  engine::InitGalaxyPaths(1, -1, 16);  // no such composite: an empty row
  EXPECT_EQ(S().PathCtrlX[0][0], 0.0f);
}

}  // namespace
