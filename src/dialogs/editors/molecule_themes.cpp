#include "dialogs/editors/molecule_themes.h"

#include <array>
#include <cstdio>
#include <vector>

namespace dialogs {

namespace {

// Element numbers of the element table.
constexpr int32_t H = 1, C = 6, N = 7, O = 8, F = 9, Ne = 10, Na = 11, S = 16, Cl = 17;

struct ThemeAtom {
  int32_t element, type, x, y, z, radius, extra;
};

struct Theme {
  const char* name;
  std::array<int32_t, 3> centre;
  std::array<int32_t, 3> galaxy;  // radius, rotation, distance
  std::vector<ThemeAtom> atoms;
};

// Carbon on the corners of a small cube and nitrogen on a larger one (X slowest, Z fastest,
// low value first), then oxygen pairs off every nitrogen corner.
std::vector<ThemeAtom> OctanitrocubaneAtoms() {
  std::vector<ThemeAtom> atoms;
  const auto corners = [&](int32_t element, int32_t lo, int32_t hi, int32_t radius) {
    for (int32_t x : {lo, hi})
      for (int32_t y : {lo, hi})
        for (int32_t z : {lo, hi}) atoms.push_back({element, 0, x, y, z, radius, 0});
  };
  corners(C, 900, 1100, 40);
  corners(N, 800, 1200, 50);
  const int32_t oxygen[16][3] = {{800, 700, 800},    {700, 800, 700},    {800, 700, 1200},  {700, 800, 1300},
                                 {800, 1300, 800},   {700, 1200, 700},   {800, 1300, 1200}, {700, 1200, 1300},
                                 {1200, 700, 800},   {1300, 800, 700},   {1200, 700, 1200}, {1300, 800, 1300},
                                 {1200, 1300, 800},  {1300, 1200, 700},  {1200, 1300, 1200}, {1300, 1200, 1300}};
  for (const auto& p : oxygen) atoms.push_back({O, 0, p[0], p[1], p[2], 20, 0});
  return atoms;
}

const std::vector<Theme>& Themes() {
  static const std::vector<Theme> themes{
      {"Methane",
       {1000, 1000, 1000},
       {1000, 1500, 750},
       {{C, 0, 1000, 1000, 1000, 200, 0},
        {H, 0, 1000, 1400, 1000, 75, 0},
        {H, 0, 1000, 775, 700, 75, 0},
        {H, 0, 750, 775, 1200, 75, 0},
        {H, 0, 1250, 775, 1200, 75, 0}}},
      {"Octanitrocubane", {1000, 1000, 1000}, {1500, 750, 1250}, OctanitrocubaneAtoms()},
      {"Hexagonal Plane",
       {0, 0, 0},
       {2000, 750, 2000},
       {{S, 0, 0, 0, 0, 100, 0}, {Na, 7, 2, 0, 0, 40, 200}, {O, 7, 5, 0, 0, 10, 100}, {F, 7, 8, 0, 0, 0, 100}}},
      {"Tetrahedral Lattice",
       {0, 0, 0},
       {4000, 500, 5000},
       {{N, 9, 11, 0, 0, 0, 200}, {C, 9, 7, 0, 0, 5, 200}, {F, 9, 5, 0, 0, 15, 200}, {Ne, 9, 3, 0, 0, 50, 200}}},
      {"Cubic Hydrocarbon Lattice",
       {0, 0, 0},
       {2000, 1000, 2500},
       {{O, 8, 11, 0, 0, 1, 100}, {C, 8, 7, 0, 0, 8, 100}, {H, 8, 3, 0, 0, 15, 100}}},
      {"Hexagonal Nested Lattice",
       {0, 0, 0},
       {2000, 1000, 5000},
       {{C, 11, 3, 0, 0, 35, 200}, {F, 11, 5, 0, 0, 15, 200}, {O, 11, 9, 0, 0, 0, 200}}},
      {"Active Gas Configuration",
       {0, 0, 0},
       {500, 1000, 300},
       {{H, 1, 0, 0, 0, 35, 150}, {O, 2, 0, 0, 0, 50, 120}, {F, 2, 0, 0, 0, 15, 120}, {N, 3, 0, 0, 0, 20, 300}}},
      {"Shells and Points Configuration",
       {0, 0, 0},
       {1000, 2000, 600},
       {{H, 4, 0, 0, 0, 15, 100}, {Cl, 3, 0, 0, 0, 30, 200}, {N, 2, 0, 0, 0, 50, 175}, {Ne, 1, 0, 0, 0, 20, 325}}},
      {"Nested Shell Configuration",
       {0, 0, 0},
       {1200, 500, 1800},
       {{O, 5, 0, 0, 0, 80, 750},
        {Na, 5, 0, 0, 0, 40, 750},
        {S, 5, 0, 0, 0, 20, 750},
        {N, 4, 0, 0, 0, 40, 250},
        {C, 4, 0, 0, 0, 20, 250},
        {H, 4, 0, 0, 0, 10, 250}}},
      {"Star Point System",
       {0, 0, 0},
       {1000, 500, 2000},
       {{S, 3, 0, 0, 0, 10, 100},
        {Na, 3, 0, 0, 0, 20, 175},
        {O, 3, 0, 0, 0, 30, 250},
        {O, 3, 0, 0, 0, 30, 250},
        {Cl, 4, 0, 0, 0, 75, 600},
        {Cl, 4, 0, 0, 0, 75, 600},
        {H, 4, 0, 0, 0, 25, 600},
        {C, 5, 0, 0, 0, 30, 1100},
        {N, 5, 0, 0, 0, 20, 1175},
        {F, 5, 0, 0, 0, 10, 1250}}},
  };
  return themes;
}

// One number right-aligned in a field of six, and its comma.
std::string Field(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%6d,", static_cast<int>(v));
  return buf;
}

}  // namespace

std::string MoleculeThemeName(int32_t n) {
  if (n == 0) return "Select a Theme";
  if (n < 1 || n > kMoleculeThemeCount || static_cast<size_t>(n) > Themes().size()) return {};
  return Themes()[static_cast<size_t>(n - 1)].name;
}

std::string GetMoleculeThemeText(int32_t n) {
  if (n < 1 || n > kMoleculeThemeCount || static_cast<size_t>(n) > Themes().size()) return {};
  const Theme& t = Themes()[static_cast<size_t>(n - 1)];
  std::string text = std::string(t.name) + ".,";
  text += Field(static_cast<int32_t>(t.atoms.size()));
  for (int32_t v : t.centre) text += Field(v);
  for (int32_t v : t.galaxy) text += Field(v);
  for (const ThemeAtom& a : t.atoms)
    for (int32_t v : {a.element, a.type, a.x, a.y, a.z, a.radius, a.extra}) text += Field(v);
  return text;
}

}  // namespace dialogs
