#include "engine/star_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "model/hue_wheel.h"
#include "star_placement_fixture.h"

namespace {

using placementtest::Draw;
using placementtest::InjectDraws;
using placementtest::IntegersDrawn;
using placementtest::PlacementTest;
using placementtest::FirstAngleWhere;
using placementtest::SinglesDrawn;
using placementtest::StoredCos;
using placementtest::StoredSin;

constexpr double kTwoPi = 6.28318530717958;

// All the star elements InitParticle fills.
struct Star {
  float X = 0, Y = 0, Z = 0, VX = 0, VY = 0, VZ = 0, StepCos = 0, StepSin = 0;
  int32_t frames = 9, recycle = 9, newLeft = 9, novaLeft = 9, pulsarLeft = 9, Colour = 0;
  float Hue = -1;
  int32_t Level = 9;
  void Place(int32_t type, int32_t galaxy = 0) {
    engine::InitParticle(X, Y, Z, VX, VY, VZ, StepCos, StepSin, frames, recycle, newLeft, novaLeft,
                         pulsarLeft, Colour, Hue, Level, type, galaxy);
  }
};

int32_t WheelColour(int32_t type, int32_t hue) {
  return model::hueWheelState().HueWheelTable[static_cast<size_t>(model::HueWheelIndex(type, hue))];
}

class StarPlacementTest : public PlacementTest {
 protected:
  // Type 0 with a disk of radius 3, four arms at half fill and two bands at 80 percent.
  model::GalaxyTypeProps& Disk() {
    auto& t = Type(0);
    t.Galaxy_GalStyle = 0;
    t.Galaxy_Radius = 300;
    t.Galaxy_Rotation = 500;
    t.Galaxy_StdLevDRad = 300;
    t.Galaxy_RadSegs = 4;
    t.Galaxy_RadFill = 50;
    t.Galaxy_RadBands = 2;
    t.Galaxy_RadBFill = 80;
    t.Galaxy_Profile = 3;  // conical: height R - r
    t.Galaxy_ColorComp = 0;
    return t;
  }
  // Derived values, hue wheels and shape tables for one galaxy, as a display sets them up.
  static void Prepare(int32_t galaxies = 1) {
    model::PrepareGalaxyTypes();
    model::BuildHueWheelTable();
    engine::InitGalaxyPaths(galaxies, 0, -1);
  }
};

struct DiskCase {
  int32_t levels;
  float heightScale;
  int32_t heightToRadius;
};

// One disk star from chosen draws, against the placement worked out step by step.
TEST_F(StarPlacementTest, PinnedDiskStar) {
  for (const DiskCase c : {DiskCase{3, 2.0f, 0}, DiskCase{1, 5.0f, 0}, DiskCase{3, 2.0f, 1}}) {
    auto& t = Disk();
    t.Galaxy_StdLevels = c.levels;
    t.Galaxy_StdLevHSca = c.heightScale;
    t.Galaxy_StdLevB_HS = c.heightToRadius;
    Prepare();
    t.OrbitAngle = 0.5f;
    const std::vector<int32_t> r = {20000, 10000, 30000, 16384, 25000, 5000};
    InjectDraws(r, {20000});
    Star s;
    s.Place(0);
    ASSERT_EQ(SinglesDrawn(), 6);
    ASSERT_EQ(IntegersDrawn(), 1);

    const int L = c.levels == 3 ? 1 : 0;  // Int(0.61 * levels)
    const double R = 3.0 + (c.heightToRadius ? L * 3.0 : 0.0);
    const double a = (1 + Draw(r[1]) * 0.8) / 2;  // band 1 of 2
    double rho = std::pow(a, 1.15) * R + 1e-9;
    double y = (R - rho) * 0.25 * 0.3;  // conical profile, r4 = 0.5, height exponent 2
    if (!c.heightToRadius) rho += L * 3.0;  // the ring follows the profile
    if (c.levels > 1) y += (double(L) / (c.levels - 1)) * (c.heightScale * y - y);
    const double theta = 3 * (kTwoPi / 4) + Draw(r[5]) * (kTwoPi / 4) * 0.5 + 0.5;  // arm 3
    const double key = std::min(kTwoPi * 0.0005 * std::sqrt(1 / rho) / (L + 1), 1.5707964);

    EXPECT_EQ(s.Level, L);
    EXPECT_NEAR(s.X, rho * std::cos(theta), 1e-5);
    EXPECT_NEAR(s.Y, y, 1e-5);
    EXPECT_NEAR(s.Z, rho * std::sin(theta), 1e-5);
    EXPECT_NEAR(s.StepCos, std::cos(key), 1e-6);
    EXPECT_NEAR(s.StepSin, std::sin(key), 1e-6);
    const int32_t hue = static_cast<int32_t>(std::nearbyint(key * 180 * 10 + 240)) % 360;
    EXPECT_EQ(s.Hue, hue);
    EXPECT_EQ(s.Colour, WheelColour(0, hue));
    EXPECT_EQ(s.frames + s.recycle + s.newLeft + s.novaLeft + s.pulsarLeft, 0);
  }
}

// Three stacked levels of radius 3 and spacing 3 on a seeded table. Without "Scale Height to
// Radius?" level L's stars lie in its own ring, between L and L + 1 spacings from the centre;
// with it, level L's disk reaches L + 1 spacings. Level 0 is the plain disk in both. The
// universe's disk places the same stars from the same draws.
TEST_F(StarPlacementTest, StackedLevelsNestOutward) {
  for (const int32_t heightToRadius : {0, 1}) {
    SCOPED_TRACE(heightToRadius);
    auto& t = Disk();
    t.Galaxy_StdLevels = 3;
    t.Galaxy_StdLevB_HS = heightToRadius;
    Prepare();
    ASSERT_FLOAT_EQ(t.OuterRadiusF, 9.0f);
    std::array<float, 3> least{1e9f, 1e9f, 1e9f}, most{};
    model::InitRandomTableWithSeed(2024);
    for (int i = 0; i < 3000; ++i) {
      const model::RandomState before = model::randomState();
      float x = 0, y = 0, z = 0, c, sn, key;
      int32_t level = -1;
      engine::InitDiskParticle(x, y, z, c, sn, key, level, 0, t.RotStep, t.OrbitAngle);
      ASSERT_TRUE(level >= 0 && level < 3);
      const float rho = std::hypot(x, z);
      least[level] = std::min(least[level], rho);
      most[level] = std::max(most[level], rho);

      const model::RandomState after = model::randomState();
      model::randomState() = before;
      float ux = 0, uy = 0, uz = 0;
      engine::InitDiskParticleUniverse(ux, uy, uz, 0);
      ASSERT_NEAR(std::hypot(ux, uz), rho, 1e-5);
      ASSERT_EQ(uy, y);
      model::randomState() = after;
    }
    for (int L = 0; L < 3; ++L) {
      SCOPED_TRACE(L);
      EXPECT_LE(most[L], 3.0f * (L + 1) + 1e-5f);
      if (heightToRadius == 0) {
        EXPECT_GE(least[L], 3.0f * L);
        EXPECT_GT(most[L], 3.0f * L + 2.0f);  // the ring is filled out to near its rim
      } else {
        EXPECT_LT(least[L], 1.0f);             // each level's disk starts at the centre
        EXPECT_GT(most[L], 0.8f * 3.0f * (L + 1));  // the bands reach 0.9 of the radius
      }
    }
  }
}

// One nebula star from chosen draws: a place near a bias point, then a drift velocity.
TEST_F(StarPlacementTest, PinnedNebulaStar) {
  auto& t = Type(0);
  t.Galaxy_GalStyle = 4;
  t.Galaxy_CP_Points = 8;
  t.Galaxy_CP_B_Pts = 2;
  t.Galaxy_CP_B_Exp = 50;
  t.Galaxy_CP_B_Spd = 1000;  // the phase moves 0.01 spans per star
  t.Galaxy_ColorComp = 5;
  t.Galaxy_ColorMult = 1000;
  Prepare();
  const auto& sh = engine::shapeTables();
  const std::vector<int32_t> r = {8192, 24576, 20000, 16384, 0};
  InjectDraws(r);
  Star s;
  s.Place(0);
  EXPECT_EQ(SinglesDrawn(), 5);
  EXPECT_FLOAT_EQ(t.RibbonPhase, 0.01f);

  // b = 1.5 (bias point 1 of 2), w = (1 - 0.25^0.5) / 2, s = +1: U = 1.75 / 2 * 8 + 0.01.
  const double U = 7.01, f = U - 7;
  auto spline = [&](const engine::RibbonRow& p) {
    const double t1 = f, t2 = f * f, t3 = f * f * f;
    return ((-p[7] + 3 * p[8] - 3 * p[9] + p[10]) * t3 + (3 * p[7] - 6 * p[8] + 3 * p[9]) * t2 +
            (-3 * p[7] + 3 * p[9]) * t1 + (p[7] + 4 * p[8] + p[9])) / 6;
  };
  const double x = spline(sh.PathCtrlX[0]), y = spline(sh.PathCtrlY[0]), z = spline(sh.PathCtrlZ[0]);
  EXPECT_NEAR(s.X, x, 1e-4);
  EXPECT_NEAR(s.Y, y, 1e-4);
  EXPECT_NEAR(s.Z, z, 1e-4);
  // Drift: a point on the sphere of radius 0.00115 (y = 0 at r4 = 0.5, direction angle 0)
  // plus HeightExpK (0.002) times the position.
  EXPECT_NEAR(s.VX, 0.00115 + 0.002 * x, 1e-6);
  EXPECT_NEAR(s.VY, 0.002 * y, 1e-6);
  EXPECT_NEAR(s.VZ, 0.002 * z, 1e-6);
  const int32_t hue = static_cast<int32_t>(std::nearbyint(U / 8 * 1.0 * 360 + 240)) % 360;
  EXPECT_EQ(s.Hue, hue);
}

struct DrawCase {
  int32_t style, colourMode;
  int32_t singles, integers;
};

// Every kind takes a fixed number of draws from each head; one more or less would shift
// every later star.
TEST_F(StarPlacementTest, DrawsPerStarByKind) {
  const std::vector<DrawCase> cases = {
      {0, 3, 6, 1}, {5, 3, 6, 1}, {6, 0, 6, 1},  // disks
      {2, 3, 4, 0},                              // wireframe: start, two levels, the last segment
      {3, 3, 1, 0}, {8, 3, 1, 0},                // chaos game on the wireframe
      {4, 3, 5, 0},                              // ribbon place and drift
      {7, 3, 3, 0}, {7, 6, 4, 0},                // wave; colour mode 6 draws its spread
      {9, 3, 2, 0},                              // the atom and its shell point
      {10, 3, 0, 0}, {0, 7, 6, 1},               // no such kind; no such colour mode
  };
  for (const auto& c : cases) {
    model::ResetGalaxyRecords();
    auto& t = Disk();
    t.Galaxy_GalStyle = c.style;
    t.Galaxy_ColorComp = c.colourMode;
    t.Galaxy_RadSegs = 4;
    t.Galaxy_RadBands = 2;
    t.Atoms.Galaxy_Atoms = 1;
    t.Atoms.AtomType[0] = 1;
    Prepare();
    model::InitRandomTableWithSeed(7);
    Star s;
    s.Place(0);
    EXPECT_EQ(model::randomState().singlePos, c.singles) << "style " << c.style << " mode " << c.colourMode;
    EXPECT_EQ(model::randomState().integerPos, c.integers) << "style " << c.style << " mode " << c.colourMode;
  }
}

TEST_F(StarPlacementTest, ColourModes) {
  // Nebula and starwave stars have key 0: modes 0 and 1 give them the hue offset itself.
  for (int32_t style : {4, 7})
    for (int32_t mode : {0, 1}) {
      auto& t = Disk();
      t.Galaxy_GalStyle = style;
      t.Galaxy_ColorComp = mode;
      t.Galaxy_HueStart = 77;
      Prepare();
      Star s;
      s.Place(0);
      EXPECT_EQ(s.Hue, 77.0f) << style << " " << mode;
      EXPECT_EQ(s.Colour, WheelColour(0, 77));
    }

  // Black stars: colour 0, hue untouched. Modes above 6 touch neither.
  for (int32_t mode : {4, 7}) {
    Disk().Galaxy_ColorComp = mode;
    Prepare();
    Star s;
    s.Colour = 123;
    s.Hue = 45;
    s.Place(0);
    EXPECT_EQ(s.Colour, mode == 4 ? 0 : 123);
    EXPECT_EQ(s.Hue, 45.0f);
  }

  // Distance from the core, plain and squared.
  for (int32_t mode : {2, 3}) {
    auto& t = Disk();
    t.Galaxy_ColorComp = mode;
    t.Galaxy_ColorMult = 1000;  // ColorMultF 100
    t.Galaxy_HueStart = 240;
    Prepare();
    Star s;
    s.Place(0);
    double d = std::fabs(1 - std::sqrt(double(s.X) * s.X + double(s.Y) * s.Y + double(s.Z) * s.Z) / 3);
    if (mode == 3) d *= d;
    EXPECT_EQ(s.Hue, static_cast<int32_t>(std::nearbyint(d * 100 + 240)) % 360);
  }
}

// A hue value that is not a number leaves the colour; a negative one is taken round the wheel.
TEST_F(StarPlacementTest, UnusableHueValues) {
  auto& t = Disk();
  t.Galaxy_ColorComp = 6;
  t.Galaxy_ColorMult = 0;
  t.Galaxy_HueStart = 0;
  Prepare();
  Star s;
  s.Colour = -30;  // what the caller's colour element held before
  s.Place(0);
  EXPECT_EQ(s.Hue, 330.0f);
  EXPECT_EQ(s.Colour, WheelColour(0, 330));

  t.Galaxy_ColorComp = 0;
  t.HueOffset = std::numeric_limits<float>::quiet_NaN();
  s.Colour = 5;
  s.Hue = 6;
  s.Place(0);
  EXPECT_EQ(s.Colour, 5);
  EXPECT_EQ(s.Hue, 6.0f);
}

TEST_F(StarPlacementTest, DiskRotationStepIsAtMostAQuarterTurn) {
  auto& t = Disk();
  t.Galaxy_Radius = 1;
  t.Galaxy_Rotation = 30000;
  Prepare();
  for (int i = 0; i < 300; ++i) {
    float x, y, z, c, s, key;
    int32_t level;
    engine::InitDiskParticle(x, y, z, c, s, key, level, 0, t.RotStep, 0.0f);
    ASSERT_LE(key, 1.5707964f);
    ASSERT_EQ(level, 0);
  }
}

// Positions, headings and rotation steps come from double-precision cosines and sines of the
// Single angles, rounded once when stored. Each case picks an angle where the single-precision
// functions would give another Single.
TEST_F(StarPlacementTest, CosinesAndSinesInDoublePrecision) {
  auto& t = Disk();
  t.Galaxy_StdLevels = 1;
  Prepare();
  // Arm 0 at fraction 0: the angle of the star is exactly the added angle.
  const std::vector<int32_t> r = {0, 10000, 30000, 16384, 0, 0};
  float x = 0, y = 0, z = 0, c = 0, sn = 0, key = 0;
  int32_t level = 0;
  InjectDraws(r, {20000});
  engine::InitDiskParticle(x, y, z, c, sn, key, level, 0, t.RotStep, 0.0f);
  const double rho = x;  // at angle 0 the star lies on the X axis
  const float angle = FirstAngleWhere(0.3f, [&](float a) {
    return static_cast<float>(rho * std::cos(a)) != static_cast<float>(rho * std::cos(double(a))) &&
           static_cast<float>(rho * std::sin(a)) != static_cast<float>(rho * std::sin(double(a)));
  });
  ASSERT_NE(angle, 0.0f);
  InjectDraws(r, {20000});
  engine::InitDiskParticle(x, y, z, c, sn, key, level, 0, t.RotStep, angle);
  EXPECT_EQ(x, static_cast<float>(rho * std::cos(double(angle))));
  EXPECT_EQ(z, static_cast<float>(rho * std::sin(double(angle))));

  // The rotation step's cosine and sine, over many stars; some keys are ones where the
  // single-precision cosine is off by a bit.
  model::InitRandomTableWithSeed(5);
  int sensitive = 0;
  for (int i = 0; i < 60000; ++i) {
    engine::InitDiskParticle(x, y, z, c, sn, key, level, 0, 0.0001f + i * 1e-8f, 0.0f);
    if (std::cos(key) != StoredCos(key) || std::sin(key) != StoredSin(key)) ++sensitive;
    ASSERT_EQ(c, StoredCos(key)) << key;
    ASSERT_EQ(sn, StoredSin(key)) << key;
  }
  EXPECT_GT(sensitive, 0);

  // A starwave star's heading: arm 0 at fraction 0 heads along the spin angle.
  t.Galaxy_GalStyle = 7;
  Prepare();
  const double speed = t.RadiusF100;
  t.SpinAngle = FirstAngleWhere(0.3f, [&](float a) {
    return static_cast<float>(speed * std::cos(a)) != static_cast<float>(speed * std::cos(double(a)));
  });
  ASSERT_NE(t.SpinAngle, 0.0f);
  InjectDraws({0, 0, 0});
  Star s;
  s.Place(0);
  EXPECT_EQ(s.VX, static_cast<float>(speed * std::cos(double(t.SpinAngle))));
  EXPECT_EQ(s.VZ, static_cast<float>(speed * std::sin(double(t.SpinAngle))));
}

TEST_F(StarPlacementTest, QuasarGravitonAndWaveStarts) {
  auto& t = Disk();
  t.Galaxy_GalStyle = 5;
  t.Galaxy_QG_Force = 50;  // QgForceF 0.5 for a quasar
  t.Galaxy_RadBands = 3;
  Prepare();
  Star s;
  s.Place(0);
  EXPECT_FLOAT_EQ(s.VX, 0.5f * s.X);
  EXPECT_FLOAT_EQ(s.VY, 0.5f * s.Y);
  EXPECT_FLOAT_EQ(s.VZ, 0.5f * s.Z);

  t.Galaxy_GalStyle = 6;
  Prepare();
  s.Place(0);
  EXPECT_EQ(s.VX, 0.0f);
  EXPECT_EQ(s.VZ, 0.0f);
  EXPECT_NE(s.X, 0.0f);

  t.Galaxy_GalStyle = 7;
  Prepare();
  for (int i = 0; i < 50; ++i) {
    s.StepCos = 0.25f;
    s.Place(0);
    EXPECT_EQ(s.X, 0.0f);
    EXPECT_EQ(s.Y, 0.0f);
    EXPECT_NEAR(std::hypot(s.VX, s.VZ), 0.03, 1e-6);  // RadiusF100
    const double phase = s.VY / (kTwoPi / 3);
    EXPECT_NEAR(phase, std::round(phase), 1e-5);  // one of three wave phases
    EXPECT_EQ(s.StepCos, 0.25f);                  // no rotation step of its own
  }
}

TEST_F(StarPlacementTest, AttractorSpiralRestartsEveryRadSegsStars) {
  auto& t = Disk();
  t.Galaxy_GalStyle = 1;
  t.Galaxy_RadSegs = 3;
  t.Galaxy_RadFill = 50;
  t.Galaxy_RadBands = 90;  // a quarter turn per step
  Prepare();
  model::InitRandomTableWithSeed(3);
  const auto& sh = engine::shapeTables();
  Star s;
  std::vector<int32_t> drawn;
  for (int i = 0; i < 4; ++i) {
    const int32_t before = model::randomState().singlePos;
    const float px = sh.ShapePointX[0], pz = sh.ShapePointZ[0];
    s.Place(0);
    drawn.push_back(model::randomState().singlePos - before);
    if (i % 3 != 0) {  // one step inward: half the distance, turned a quarter
      EXPECT_NEAR(sh.ShapePointX[0], -pz * 0.5, 1e-5);
      EXPECT_NEAR(sh.ShapePointZ[0], px * 0.5, 1e-5);
    }
    EXPECT_EQ(s.X, sh.ShapePointX[0]);  // spin angle 0: unturned
  }
  EXPECT_EQ(drawn, (std::vector<int32_t>{3, 0, 0, 3}));

  // With one point per spiral every star starts a new one.
  t.Galaxy_RadSegs = 1;
  Prepare();
  for (int i = 0; i < 3; ++i) {
    const int32_t before = model::randomState().singlePos;
    s.Place(0);
    EXPECT_EQ(model::randomState().singlePos - before, 3);
  }
}

TEST_F(StarPlacementTest, IfsPointsMoveTheRunningPoint) {
  auto& t = Disk();
  t.Galaxy_GalStyle = 8;
  t.Galaxy_Radius = 1000;  // IFS offsets in world units = value / 100
  t.Ifs.Galaxy_IFS_Points = 2;
  t.Ifs.IfsX = {1000, 0, 0, 0, 0};
  t.Ifs.IfsScale = {50, 50, 0, 0, 0};
  t.Ifs.IfsPct = {0, 0, 0, 0, 0};
  Prepare();
  auto& sh = engine::shapeTables();
  sh.ShapePointX[0] = 2.0f;
  Star s;
  s.Place(0);  // every weight 0: the point stays
  EXPECT_EQ(sh.ShapePointX[0], 2.0f);

  // Point 1 (weight 100 of 100) with a quarter turn about Y.
  t.Ifs.IfsPct = {0, 100, 0, 0, 0};
  t.Ifs.IfsAngle = {0, 90, 0, 0, 0};
  t.Ifs.IfsAxis = {0, 1, 0, 0, 0};
  t.Ifs.IfsZ = {0, 1000, 0, 0, 0};  // centre O = (0, 0, 10)
  Prepare();
  sh.ShapePointX[0] = 2.0f;
  s.Place(0);
  // Halfway to O: (1, 0, 5); offset (1, 0, -5) turned a quarter about Y: (5, 0, 1).
  EXPECT_NEAR(sh.ShapePointX[0], 5.0f, 1e-5);
  EXPECT_NEAR(sh.ShapePointZ[0], 11.0f, 1e-5);
}

TEST_F(StarPlacementTest, ZeroBiasSpanPutsStarsOnBiasPoints) {
  auto& t = Type(0);
  t.Galaxy_GalStyle = 4;
  t.Galaxy_CP_Points = 8;
  t.Galaxy_CP_B_Pts = 2;
  t.Galaxy_CP_B_Exp = 0;
  Prepare();
  const auto& sh = engine::shapeTables();
  for (int i = 0; i < 40; ++i) {
    Star s;
    float u = 0, uw = 0;
    engine::InitSplineParticle(s.X, s.Y, s.Z, s.VX, s.VY, s.VZ, u, uw, 0, 0);
    ASSERT_TRUE(uw == 2.0f || uw == 6.0f) << uw;
    const size_t k = static_cast<size_t>(uw);
    EXPECT_NEAR(s.X, (sh.PathCtrlX[0][k] + 4 * sh.PathCtrlX[0][k + 1] + sh.PathCtrlX[0][k + 2]) / 6, 1e-5);
  }
}

// The universe's own shape: the same draws as the galaxy placers, on the universe tables.
TEST_F(StarPlacementTest, UniverseTwins) {
  auto& t = Disk();
  Prepare();
  const std::vector<int32_t> r = {20000, 10000, 30000, 16384, 25000, 5000};
  InjectDraws(r, {20000});
  float x = 0, y = 0, z = 0, c, s, key;
  int32_t level;
  engine::InitDiskParticle(x, y, z, c, s, key, level, 0, t.RotStep, 0.0f);
  InjectDraws(r, {20000});
  float ux = 0, uy = 0, uz = 0;
  engine::InitDiskParticleUniverse(ux, uy, uz, 0);
  EXPECT_EQ(SinglesDrawn(), 6);
  EXPECT_EQ(IntegersDrawn(), 1);
  EXPECT_EQ(ux, x);
  EXPECT_EQ(uy, y);
  EXPECT_EQ(uz, z);

  auto& sh = engine::shapeTables();
  t.Galaxy_GalStyle = 3;  // chaos game on the universe's wireframe
  t.Galaxy_RadSegs = 6;
  Prepare();
  engine::MakePathControlPoints(sh.UniverseWireVertexX, sh.UniverseWireVertexY, sh.UniverseWireVertexZ, 0, 0);
  sh.UniverseShapePointX[0] = sh.UniverseShapePointY[0] = sh.UniverseShapePointZ[0] = 0.0f;
  InjectDraws({16384});  // vertex 3: (R, 0, 0)
  engine::GetCachedShapePointUniverse(x, y, z, 0);
  EXPECT_FLOAT_EQ(x, 1.5f);  // halfway (RadFill 50) toward (3, 0, 0)
  EXPECT_EQ(y, 0.0f);

  t.Galaxy_GalStyle = 4;
  Prepare();
  sh.UniverseRibbonX.fill(1.0f);
  sh.UniverseRibbonY.fill(2.0f);
  sh.UniverseRibbonZ.fill(3.0f);
  InjectDraws({100, 200, 300});
  engine::InitSplineParticleUniverse(x, y, z, 0);
  EXPECT_EQ(SinglesDrawn(), 3);
  EXPECT_FLOAT_EQ(x, 1.0f);
  EXPECT_FLOAT_EQ(y, 2.0f);
  EXPECT_FLOAT_EQ(z, 3.0f);
}

// A galaxy row the shape tables do not have, an unknown kind or an unknown type place
// nothing and read nothing outside the tables.
TEST_F(StarPlacementTest, MissingRowsAndKindsLeaveThePosition) {
  for (int32_t style : {1, 2, 3, 4, 8, 10, -1}) {
    auto& t = Disk();
    t.Galaxy_GalStyle = style;
    Prepare(1);
    Star s;
    s.X = 7, s.Y = 8, s.Z = 9;
    s.Place(0, style == 10 || style == -1 ? 0 : 5);
    EXPECT_EQ(s.X, 7.0f) << style;
    EXPECT_EQ(s.Y, 8.0f) << style;
    EXPECT_EQ(s.Z, 9.0f) << style;
    EXPECT_EQ(s.frames + s.newLeft + s.Level, 0) << style;
  }
  Star s;
  s.Place(66);
  s.Place(-1);
  EXPECT_EQ(s.frames, 9);  // an unknown type is not touched at all
}

}  // namespace
