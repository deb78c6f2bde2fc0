#include "dialogs/editors/ifs_themes.h"

#include <array>

namespace dialogs {

namespace {

struct IfsTheme {
  const char* name;
  const char* text;
};

// Each text: the description, the centre, radius-rotation-distance and the five rows, every
// piece closed by a comma and blanks.
constexpr std::array<IfsTheme, kIfsThemeCount> kThemes{{
    {"Hexagonal Tree",
     "Tree structure with a hexagonal shape.,   400, 0, 0,   250, 1000, 200,   "
     "1000, 0, 0, 40, 0, 0, 2,   0, 0, 0, 0, 0, 60, 1,   0, 0, 0, 0, 0, 300, 1,   "
     "0, 0, 0, 50, 1, 60, 1,   0, 0, 0, 50, 1, 300, 1,   "},
    {"Space Station",
     "Attenuated space station scaffolding structure.,   0, 500, 0,   300, 600, 400,   "
     "0, 1500, 0, 33, 0, 0, 4,   0, 0, 0, 50, 0, 90, 2,   0, 0, 0, 50, 0, 270, 2,   "
     "0, 0, 0, 50, 1, 90, 1,   0, 0, 0, 50, 1, 270, 1,   "},
    {"Vortex Vectors",
     "Swirls of color pulled to the galaxy core,   500, 500, 500,   250, 2500, 200,   "
     "500, 500, 500, 3, 1, 5, 200,   1000, 0, 0, 50, 0, 0, 3,   0, 2000, 0, 50, 0, 0, 2,   "
     "0, 0, 2500, 50, 0, 0, 1,   0, 0, 0, 0, 0, 0, 0,   "},
    {"Bulky Starship",
     "Bulky shaped starship.,   250, 400, 0,   250, 2500, 250,   "
     "250, 1000, 0, 55, 0, 30, 2,   0, 0, 0, 50, 1, 30, 1,   0, 0, 0, 50, 1, 330, 1,   "
     "500, 0, 0, 50, 1, 30, 1,   500, 0, 0, 50, 1, 330, 1,   "},
    {"Fractional Fragments",
     "Fractional Segments,   500, 150, 0,   300, 2500, 500,   "
     "0, 0, 0, 33, 2, 60, 2,   1000, 0, 0, 33, 1, 90, 1,   0, 0, 1000, 33, 1, 0, 1,   "
     "0, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0,   "},
    {"Fractal Fern",
     "Fractal Fern,   300, 300, 0,   250, 2500, 300,   "
     "0, 1000, 0, 25, 1, 60, 1,   1000, 0, 0, 33, 0, 15, 1,   0, 0, 0, 0, 0, 0, 0,   "
     "0, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0,   "},
    {"Twisted Branches",
     "Twisted tree-like branches,   200, 300, 300,   350, 750, 400,   "
     "1000, 0, 0, 50, 0, 90, 1,   0, 1000, 0, 50, 1, 90, 1,   0, 0, 1000, 50, 2, 90, 1,   "
     "1000, 0, 0, 33, 0, 60, 1,   0, 0, 0, 0, 0, 0, 0,   "},
    {"Warped Tetrahedron",
     "Warped Tetrahedron.,   500, 300, 400,   1500, 1000, 1500,   "
     "0, 0, 0, 55, 0, 10, 1,   1000, 0, 0, 55, 1, 20, 1,   500, 0, 800, 55, 2, 30, 1,   "
     "500, 800, 300, 55, 0, 0, 1,   0, 0, 0, 0, 0, 0, 0,   "},
    {"Root-Like Structures",
     "Root-Like Structures,   500, 200, 500,   1000, 500, 1150,   "
     "500, 0, 1000, 50, 0, 45, 4,   0, 0, 0, 50, 2, 60, 1,   1000, 0, 0, 50, 2, 300, 1,   "
     "0, 0, 0, 50, 2, 60, 1,   1000, 0, 0, 50, 2, 300, 1,   "},
    {"Symmetric Starbird",
     "Elegant Starship,   0, 0, 750,   600, 1200, 1500,   "
     "0, 0, 2000, 33, 0, 15, 6,   0, 0, 0, 50, 0, 90, 2,   0, 0, 0, 50, 0, 270, 2,   "
     "0, 0, 0, 50, 1, 90, 1,   0, 0, 0, 50, 1, 270, 1,   "},
}};

// Every slot of the table holds a theme (a short list would leave empty slots).
constexpr bool EveryThemeFilled() {
  for (const IfsTheme& t : kThemes)
    if (t.name == nullptr || t.text == nullptr) return false;
  return true;
}
static_assert(EveryThemeFilled());

}  // namespace

std::string IfsThemeListEntry(int32_t n) {
  if (n == 0) return "Select a Theme";
  if (n < 1 || n > kIfsThemeCount) return {};
  return kThemes[static_cast<size_t>(n - 1)].name;
}

std::string GetIfsThemeText(int32_t n) {
  if (n < 1 || n > kIfsThemeCount) return {};
  return kThemes[static_cast<size_t>(n - 1)].text;
}

}  // namespace dialogs
