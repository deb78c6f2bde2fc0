#include "engine/molecules.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "settings/element_table.h"
#include "star_placement_fixture.h"

namespace {

using placementtest::InjectDraws;
using placementtest::PlacementTest;
using placementtest::SinglesDrawn;

using Point = std::array<long, 3>;  // coordinates in thousandths

class MoleculeTest : public PlacementTest {
 protected:
  // Type 0 as a molecule whose scale makes one unit of AtomExtra / AtomX... equal 0.01 world
  // units, so an extra value of 1000 spaces the structures 10 apart.
  struct AtomSpec {
    int32_t element, structure, x, y, z, radius, extra;
  };
  void MakeMolecule(const std::vector<AtomSpec>& atoms) {
    auto& t = Type(0);
    t.Galaxy_GalStyle = 9;
    t.Galaxy_Radius = 1000;
    t.Atoms.Galaxy_Atoms = static_cast<int32_t>(atoms.size());
    for (size_t a = 0; a < atoms.size(); ++a) {
      t.Atoms.AtomElement[a] = atoms[a].element;
      t.Atoms.AtomType[a] = atoms[a].structure;
      t.Atoms.AtomX[a] = atoms[a].x;
      t.Atoms.AtomY[a] = atoms[a].y;
      t.Atoms.AtomZ[a] = atoms[a].z;
      t.Atoms.AtomRadius[a] = atoms[a].radius;
      t.Atoms.AtomExtra[a] = atoms[a].extra;
    }
    model::PrepareGalaxyTypes();
    engine::InitGalaxyPaths(1, 0, -1);  // spin at angle 0
  }

  // Distinct points of `stars` molecule stars.
  static std::set<Point> Points(int stars, bool sphere = true) {
    std::set<Point> seen;
    for (int i = 0; i < stars; ++i) {
      float x = 0, y = 0, z = 0, c = 0, s = 0, key = 0;
      int32_t colour = 0;
      engine::InitMoleculeParticle(x, y, z, c, s, colour, key, 0, sphere);
      seen.insert({std::lround(x * 1000), std::lround(y * 1000), std::lround(z * 1000)});
    }
    return seen;
  }
};

struct StructureCase {
  int32_t structure;
  int32_t n;  // AtomX: points per edge of the grids
  size_t points;
};

// Every structure lands its stars on exactly its own number of points.
TEST_F(MoleculeTest, EveryStructurePlacesOnItsPoints) {
  const std::vector<StructureCase> cases = {
      {0, 500, 1},  {1, 0, 6},   {2, 0, 8},   {3, 0, 18},  {4, 0, 26}, {5, 0, 38},
      {6, 3, 9},    {7, 3, 19},  {8, 1, 1},   {8, 3, 27},  {9, 3, 10}, {10, 2, 5},
      {10, 3, 14},  {11, 2, 16}, {11, 1, 1},
  };
  for (const auto& c : cases) {
    MakeMolecule({{1, c.structure, c.n, 0, 0, 0, 1000}});
    EXPECT_EQ(Points(6000).size(), c.points) << "structure " << c.structure << " N " << c.n;
  }
}

TEST_F(MoleculeTest, RectgridAndCubeCoordinates) {
  MakeMolecule({{1, 6, 3, 0, 0, 0, 1000}});
  for (const Point& p : Points(2000)) {
    EXPECT_EQ(p[1], 0);
    for (long v : {p[0], p[2]}) EXPECT_TRUE(v == -10000 || v == 0 || v == 10000) << v;
  }
  MakeMolecule({{1, 8, 1, 0, 0, 0, 1000}});
  EXPECT_EQ(Points(50), (std::set<Point>{{0, 0, 0}}));
}

// The hexagonal patch is a piece of a triangular lattice: every point has a neighbour exactly
// one spacing away and none closer.
TEST_F(MoleculeTest, HexagridPointsAreOneSpacingApart) {
  MakeMolecule({{1, 7, 3, 0, 0, 0, 1000}});
  const std::set<Point> pts = Points(6000);
  ASSERT_EQ(pts.size(), 19u);
  for (const Point& p : pts) {
    EXPECT_EQ(p[1], 0);
    double nearest = 1e9;
    for (const Point& q : pts)
      if (p != q) nearest = std::min(nearest, std::hypot(double(p[0] - q[0]), double(p[2] - q[2])));
    EXPECT_NEAR(nearest, 10000.0, 2.0);
  }
}

// Shell points lie at about the structure's radius E from the centre.
TEST_F(MoleculeTest, ShellPointsLieAroundTheCentre) {
  for (int32_t structure = 1; structure <= 5; ++structure) {
    MakeMolecule({{1, structure, 0, 0, 0, 0, 1000}});
    for (const Point& p : Points(3000)) {
      const double d = std::sqrt(double(p[0]) * p[0] + double(p[1]) * p[1] + double(p[2]) * p[2]);
      const double expected = structure == 2 ? 10000 * std::sqrt(3.0) : 10000.0;
      EXPECT_NEAR(d, expected, 0.04 * expected) << "structure " << structure;
    }
  }
}

// Atoms get stars in proportion to their structure's point count: 6 of 7 on the six-point atom.
TEST_F(MoleculeTest, AtomsDrawStarsByPointCount) {
  MakeMolecule({{1, 1, 0, 0, 0, 0, 1000}, {1, 0, 0, 0, 0, 0, 0}});
  int onAxes = 0;
  const int stars = 7000;
  for (int i = 0; i < stars; ++i) {
    float x = 0, y = 0, z = 0;
    int32_t atom = -1;
    engine::PlaceMoleculeAtoms(x, y, z, atom, 0, true);
    const double d = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (atom == 0) {
      EXPECT_NEAR(d, 10.0, 1e-4);
      ++onAxes;
    } else {
      EXPECT_EQ(atom, 1);
      EXPECT_NEAR(d, 0.0, 1e-6);
    }
  }
  EXPECT_NEAR(onAxes, stars * 6 / 7, stars / 50);
}

TEST_F(MoleculeTest, AtomRadiusPutsStarsOnASphereAroundThePoint) {
  // A single atom at X = 5 with radius 2.
  MakeMolecule({{1, 0, 500, 0, 0, 200, 0}});
  for (int i = 0; i < 500; ++i) {
    float x = 0, y = 0, z = 0, c = 0, s = 0, key = 0;
    int32_t colour = 0;
    engine::InitMoleculeParticle(x, y, z, c, s, colour, key, 0, true);
    ASSERT_NEAR(std::sqrt((x - 5.0) * (x - 5.0) + double(y) * y + double(z) * z), 2.0, 1e-4);
  }
  // Without the sphere the star sits on the point itself.
  EXPECT_EQ(Points(20, false), (std::set<Point>{{5000, 0, 0}}));
}

TEST_F(MoleculeTest, StarTakesElementHueSpinStepAndTurn) {
  MakeMolecule({{16, 0, 500, 0, 0, 0, 0}});
  auto& t = Type(0);
  t.SpinCos = 0.0f;  // a quarter turn of the galaxy's spin
  t.SpinSin = 1.0f;
  float x = 0, y = 0, z = 0, c = 0, s = 0, key = 0;
  int32_t colour = -1;
  engine::InitMoleculeParticle(x, y, z, c, s, colour, key, 0, true);
  EXPECT_EQ(colour, settings::FindElement(16)->color);
  EXPECT_EQ(key, t.SpinStep);
  EXPECT_EQ(c, t.SpinStepCos);
  EXPECT_EQ(s, t.SpinStepSin);
  EXPECT_NEAR(x, 0.0f, 1e-6);
  EXPECT_NEAR(z, 5.0f, 1e-6);
}

TEST_F(MoleculeTest, MoleculeWithoutAtomsLeavesTheStar) {
  MakeMolecule({});
  InjectDraws({1000, 2000});
  float x = 3, y = 4, z = 5;
  int32_t atom = 7;
  engine::PlaceMoleculeAtoms(x, y, z, atom, 0, true);
  EXPECT_EQ(atom, 0);
  EXPECT_EQ(x, 3.0f);
  EXPECT_EQ(y, 4.0f);
  EXPECT_EQ(z, 5.0f);
  EXPECT_EQ(SinglesDrawn(), 1);  // the atom draw only
}

// Grid sizes outside the lattice tables, unknown structure types and element numbers place
// the star on the bare atom sphere (here the centre) without reading past any table.
TEST_F(MoleculeTest, OutOfRangeAtomValuesAreHarmless) {
  for (const AtomSpec bad : {AtomSpec{1, 7, 100, 0, 0, 0, 1000}, AtomSpec{1, 11, 100, 0, 0, 0, 1000},
                             AtomSpec{1, 9, -3, 0, 0, 0, 1000}, AtomSpec{1, 12, 3, 0, 0, 0, 1000},
                             AtomSpec{1, -1, 3, 0, 0, 0, 1000}}) {
    MakeMolecule({bad});
    EXPECT_EQ(Points(20), (std::set<Point>{{0, 0, 0}})) << "structure " << bad.structure;
  }
  MakeMolecule({{99, 0, 0, 0, 0, 0, 0}});
  float x = 0, y = 0, z = 0, c = 0, s = 0, key = 0;
  int32_t colour = -1;
  engine::InitMoleculeParticle(x, y, z, c, s, colour, key, 0, true);
  EXPECT_EQ(colour, 0);
}

}  // namespace
