#include "engine/molecules.h"

#include <array>
#include <cstddef>

#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/shape_primitives.h"
#include "runtime/numbers.h"
#include "settings/element_table.h"

namespace engine {

namespace {

size_t Index(int32_t i) { return static_cast<size_t>(i); }

// The shell structures 1 to 5 as lists of points. Each coordinate names one of the scaled
// extra values of the atom, with a sign: 1 E, 2 0.5E, 3 0.594603E, 4 0.707106E, 5 0.866025E,
// 0 nothing.
using ShellPoint = std::array<int8_t, 3>;

struct ShellTable {
  std::array<ShellPoint, 38> points{};
  int count = 0;
  constexpr void add(int8_t x, int8_t y, int8_t z) { points[static_cast<size_t>(count++)] = {x, y, z}; }
};

constexpr void AddAxisPoints(ShellTable& t) {  // (±E, 0, 0), (0, ±E, 0), (0, 0, ±E)
  t.add(1, 0, 0), t.add(-1, 0, 0), t.add(0, 1, 0), t.add(0, -1, 0), t.add(0, 0, 1), t.add(0, 0, -1);
}

constexpr void AddCorners(ShellTable& t, int8_t m) {  // (±m, ±m, ±m)
  for (int sx : {1, -1})
    for (int sy : {1, -1})
      for (int sz : {1, -1})
        t.add(static_cast<int8_t>(sx * m), static_cast<int8_t>(sy * m), static_cast<int8_t>(sz * m));
}

constexpr void AddEdgeMidpoints(ShellTable& t) {  // two coordinates ±0.707106E, one 0
  const int8_t m = 4;
  for (int pair = 0; pair < 3; ++pair)
    for (int sa : {1, -1})
      for (int sb : {1, -1}) {
        const auto a = static_cast<int8_t>(sa * m), b = static_cast<int8_t>(sb * m);
        if (pair == 0) t.add(a, b, 0);
        if (pair == 1) t.add(a, 0, b);
        if (pair == 2) t.add(0, a, b);
      }
}

constexpr void AddMixedPoints(ShellTable& t) {  // one ±0.866025E, one ±0.5E, one 0, all orders
  for (int big = 0; big < 3; ++big)
    for (int small = 0; small < 3; ++small) {
      if (big == small) continue;
      for (int sa : {1, -1})
        for (int sb : {1, -1}) {
          std::array<int8_t, 3> p{};
          p[static_cast<size_t>(big)] = static_cast<int8_t>(sa * 5);
          p[static_cast<size_t>(small)] = static_cast<int8_t>(sb * 2);
          t.add(p[0], p[1], p[2]);
        }
    }
}

constexpr std::array<ShellTable, 6> MakeShells() {
  std::array<ShellTable, 6> s{};
  AddAxisPoints(s[1]);
  AddCorners(s[2], 1);
  AddAxisPoints(s[3]), AddEdgeMidpoints(s[3]);
  AddAxisPoints(s[4]), AddEdgeMidpoints(s[4]), AddCorners(s[4], 3);
  AddAxisPoints(s[5]), AddCorners(s[5], 3), AddMixedPoints(s[5]);
  return s;
}

constexpr std::array<ShellTable, 6> kShells = MakeShells();
static_assert(kShells[1].count == 6 && kShells[2].count == 8 && kShells[3].count == 18 &&
              kShells[4].count == 26 && kShells[5].count == 38);

float ShellCoordinate(const model::AtomBlock& ab, size_t a, int8_t code) {
  const int mag = code < 0 ? -code : code;
  float v = 0.0f;
  switch (mag) {
    case 1: v = ab.AtomExtra100[a]; break;
    case 2: v = ab.AtomExtra050[a]; break;
    case 3: v = ab.AtomExtra059[a]; break;
    case 4: v = ab.AtomExtra071[a]; break;
    case 5: v = ab.AtomExtra087[a]; break;
    default: return 0.0f;
  }
  return code < 0 ? -v : v;
}

// One grid coordinate: (Int(r N) - (N - 1) / 2) * E.
void AddGridStep(float& c, int32_t N, float E) {
  int32_t i = 0;
  if (DrawIndex(N, i)) c = static_cast<float>(c + (i - (N - 1) * 0.5) * E);
}

bool GridSizeOk(int32_t N) { return N >= 1 && N <= 99; }

}  // namespace

void PlaceTrigonalGroup(float& A, float& B, int32_t symmetry, int32_t count, int32_t N, float E) {
  int32_t k = 0;
  if (!DrawIndex(count, k)) return;
  const model::GalaxyRecords& recs = model::records();
  if (symmetry == 3) {
    // Row i holds i points; the single point sits on the positive B side.
    int32_t i = 0;
    for (int32_t row = 1, cum = 0; row <= 100; ++row) {
      cum += row;
      if (k < cum) {
        i = row;
        break;
      }
    }
    if (i == 0) return;
    int32_t m = 0;
    if (!DrawIndex(i, m)) return;
    A = static_cast<float>(A + (m - (i - 1) * 0.5) * E);
    B = static_cast<float>(B + ((N - 1) * 0.5773503 - (i - 1) * 0.8660254) * E);
  } else if (symmetry == 6) {
    if (k <= 0) return;  // the centre
    // Ring i holds 6 i points; each of its six sides runs corner to corner in i steps.
    int32_t i = 0;
    for (int32_t ring = 1, cum = 1; ring <= 100; ++ring) {
      cum += 6 * ring;
      if (k < cum) {
        i = ring;
        break;
      }
    }
    if (i == 0) return;
    int32_t j = 0, m = 0;
    if (!DrawIndex(6, j) || j < 0 || j > 5) return;
    const double rho = static_cast<double>(i) * E;
    const double a0 = rho * recs.HexCos[Index(j)], b0 = rho * recs.HexSin[Index(j)];
    const double a1 = rho * recs.HexCos[Index(j + 1)], b1 = rho * recs.HexSin[Index(j + 1)];
    if (!DrawIndex(i + 1, m)) return;
    A = static_cast<float>(A + a0 + (a1 - a0) * m / i);
    B = static_cast<float>(B + b0 + (b1 - b0) * m / i);
  }
}

void PlaceTetrahedralGroup(float& X, float& Y, float& Z, int32_t structureType, int32_t N, float E) {
  if (!GridSizeOk(N)) return;
  const model::GalaxyRecords& recs = model::records();
  const auto& T = recs.TriangularNumbers;
  const auto& H = recs.HexNumbers;

  // Layers of the stacks: height, points per edge (or size index) and number of points.
  struct Layer {
    double height;
    int32_t edge;
    int32_t size;
  };
  auto layerOf = [&](int32_t idx) -> Layer {  // idx counts the stack's layers from 0
    switch (structureType) {
      case 9: {
        const int32_t i = idx + 1;
        return {(0.5443311 * N - 0.8164966 * i) * E, i, T[Index(i)]};
      }
      case 10: {
        const int32_t c = idx + 1;
        const int32_t m = c < 2 * N - c ? c : 2 * N - c;
        return {(c - N) * 0.8164966 * E, m, T[Index(m)]};
      }
      default: {
        const int32_t d = (N + 1) / 2 + idx;
        const int32_t m = d < N ? d : (d < 2 * N ? N : 3 * N - 1 - d);
        return {(d - 1 - (3 * N - 3) * 0.5) * E, m, H[Index(m)]};
      }
    }
  };

  int32_t layers = 0;
  switch (structureType) {
    case 8:
      AddGridStep(X, N, E);
      AddGridStep(Y, N, E);
      AddGridStep(Z, N, E);
      return;
    case 9: layers = N; break;
    case 10: layers = 2 * N - 1; break;
    case 11: layers = 3 * N - 2 * ((N + 1) / 2); break;  // d = s to 3N - 1 - s
    default: return;
  }
  int32_t total = 0;
  for (int32_t l = 0; l < layers; ++l) total += layerOf(l).size;
  int32_t v = 0;
  if (!DrawIndex(total, v)) return;
  for (int32_t l = 0, cum = 0; l < layers; ++l) {
    const Layer layer = layerOf(l);
    cum += layer.size;
    if (cum > v) {
      Y = static_cast<float>(Y + layer.height);
      PlaceTrigonalGroup(X, Z, structureType == 11 ? 6 : 3, layer.size, layer.edge, E);
      return;
    }
  }
}

void PlaceMoleculeAtoms(float& X, float& Y, float& Z, int32_t& atom, int32_t type, bool sphere) {
  if (type < 0 || type >= model::kGalaxyTypeCount) return;
  const model::AtomBlock& ab = model::records().GalaxyTypes[Index(type)].Atoms;
  atom = 0;
  const double r = model::NextRandomSingle();
  const int32_t count = ab.Galaxy_Atoms < model::kMaxAtoms ? ab.Galaxy_Atoms : model::kMaxAtoms;
  if (count <= 0) return;
  const auto v = runtime::IntToLong(r * ab.AtomCumPoints[Index(count - 1)]);
  if (!v) return;
  int32_t a = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (*v < ab.AtomCumPoints[Index(i)]) {
      a = i;
      break;
    }
  }
  if (a < 0) return;
  atom = a;
  const size_t ai = Index(a);

  if (ab.AtomRadiusF[ai] > 0.0f && sphere) {
    RandomPointInShape(X, Y, Z, ab.AtomRadiusF[ai], 0);
  } else {
    X = Y = Z = 0.0f;
  }

  const int32_t structure = ab.AtomType[ai];
  const int32_t N = ab.AtomX[ai];
  const float E = ab.AtomExtra100[ai];
  switch (structure) {
    case 0:
      X += ab.AtomOffX[ai];
      Y += ab.AtomOffY[ai];
      Z += ab.AtomOffZ[ai];
      break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5: {
      const ShellTable& shell = kShells[Index(structure)];
      int32_t k = 0;
      if (!DrawIndex(shell.count, k) || k < 0 || k >= shell.count) break;
      const ShellPoint& p = shell.points[Index(k)];
      X += ShellCoordinate(ab, ai, p[0]);
      Y += ShellCoordinate(ab, ai, p[1]);
      Z += ShellCoordinate(ab, ai, p[2]);
      break;
    }
    case 6:
      if (!GridSizeOk(N)) break;
      AddGridStep(X, N, E);
      AddGridStep(Z, N, E);
      break;
    case 7:
      if (!GridSizeOk(N)) break;
      PlaceTrigonalGroup(X, Z, 6, model::records().HexNumbers[Index(N)], N, E);
      break;
    case 8:
    case 9:
    case 10:
    case 11:
      PlaceTetrahedralGroup(X, Y, Z, structure, N, E);
      break;
    default:
      break;
  }
}

void InitMoleculeParticle(float& X, float& Y, float& Z, float& StepCos, float& StepSin,
                          int32_t& Colour, float& key, int32_t type, bool sphere) {
  if (type < 0 || type >= model::kGalaxyTypeCount) return;
  int32_t atom = 0;
  PlaceMoleculeAtoms(X, Y, Z, atom, type, sphere);
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  const settings::ElementInfo* element =
      settings::FindElement(rec.Atoms.AtomElement[Index(atom)]);
  Colour = element != nullptr ? element->color : 0;
  key = rec.SpinStep;
  StepCos = rec.SpinStepCos;
  StepSin = rec.SpinStepSin;
  const float x = X;
  X = x * rec.SpinCos - Z * rec.SpinSin;
  Z = Z * rec.SpinCos + x * rec.SpinSin;
}

}  // namespace engine
