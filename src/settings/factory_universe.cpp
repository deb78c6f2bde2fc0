#include "settings/factory_universe.h"

#include <array>

#include "store/values.h"
#include "runtime/numbers.h"
#include "model/galaxy_types.h"
#include "settings/record_clamps.h"

namespace settings {

namespace {

struct UniverseTheme {
  const char* name;
  const char* row;
};

// Columns: stars, galaxies, expansion and its steps, persistence, damping, hue wheel start
// and end, recycling, profile, new-galaxy frequency and share, galaxy steps, the two galaxy
// controls, distance to the centre, tour, visit order, camera rotation, a spare value,
// ambient stars (count, persistence, colour age, frames, extent), gravity force and frames,
// then the burst and travel blending.
constexpr std::array<UniverseTheme, 8> kUniverseThemes = {{
    {"Classical (14.3 Billion Years Ago...)",
     "18000, 200, 3000, 400, 0.985, 0.01, 170, 250, 30, 51, 3500, 85, 200, 2, 4, "
     "4000, 1, 0, 0, 1, 2000, 0.999, 0.1, 15, 600, 0, 1, 100, 40,"},
    {"Stylized:  Neon / Warp Speed",
     "14000, 100, 2500, 300, 0.98, 0.02, 240, 120, 20, 50, 2500, 75, 100, 2, 4, 3200, "
     "1, 0, 0, 0, 1000, 0.996, 0.3, 15, 1000, 0, 1, 100, 80,"},
    {"Sparce Space:  Long Distance Trips",
     "17000, 300, 5000, 500, 0.9925, 0.001, 330, 210, 20, 51, 2000, 90, 250, 1, 4, "
     "75000, 1, 0, 0, 0, 3000, 0.998, 0.15, 12, 3500, 0, 1, 100, 35,"},
    {"Morphing Galaxies at Universe Core",
     "15000, 48, 0, 0, 0.99, 0.04, 60, 0, 32, 0, 1250, 100, 300, 3, 0, 2500, 1, 1, 0, "
     "0, 1, 0.99, 0.5, 10, 25, 0, 1, 100, 50,"},
    {"Trans-Galactic Tour in Fly-By Mode",
     "15000, 100, 2000, 300, 0.985, 0.0125, 165, 210, 20, 51, 2250, 85, 160, 2, 2, "
     "4000, 1, 0, 0, 0, 1000, 0.998, 0.1, 30, 1000, 0, 1, 100, 40,"},
    {"Extended Shell Universe / Mega Galaxies",
     "16000, 500, 6000, 300, 0.985, 0.002, 120, 240, 20, 50, 1500, 80, 250, 1, 4, "
     "16000, 1, 0, 0, 0, 1500, 0.999, 0.05, 20, 5000, 0, 1, 100, 40,"},
    {"Rollercoaster Ride Through the Cosmos",
     "15000, 60, 1250, 250, 0.985, 0.002, 180, 320, 32, 50, 4000, 65, 75, 2, 1, 4000, "
     "1, 0, 0, 0, 1000, 0.998, 0.1, 50, 6000, 0, 1, 100, 75,"},
    {"Galaxies in Motion:  Gravity On",
     "17000, 20, 3500, 300, 0.985, 0.05, 360, 240, 20, 0, 2000, 0, 300, 1, 0, 8000, "
     "0, 0, 0, 0, 1000, 0.999, 0.07, 50, 1000, 125000, 1, 100, 50,"},
}};

constexpr std::array<const char*, 16> kCompositeRows = {
    "Nested Rings + Comet Core, 30, 4, 48, 45, 46, 47,",
    "Turbines + Nested Horns, 20, 2, 2, 49,",
    "Turbine + Shell + Spines, 15, 3, 2, 38, 16,",
    "Photon Fountain Cathedral, 10, 2, 27, 36,",
    "3-Cycle Splines in a Shell, 10, 2, 26, 37,",
    "Turbines and Starwaves, 10, 2, 2, 35,",
    "Starwaves in a Shell, 10, 2, 35, 37,",
    "Quasar in Nested Spheres, 10, 2, 30, 19,",
    "Gravity Cell in Spheres, 5, 2, 31, 19,",
    "IFS Spines in a Shell, 10, 2, 16, 37,",
    "Comet Bursts in Spheres, 10, 2, 24, 7,",
    "Crescents and Comets, 10, 2, 24, 23,",
    "Gold Galaxy in a Shell, 10, 2, 17, 38,",
    "Quasar and Gravity Cell, 5, 2, 29, 31,",
    "Hyperbolic Lattice, 15, 2, 37, 38,",
    "Multiple Gravity Cells, 5, 2, 32, 31,",
};

}  // namespace

std::string FactoryUniverseRow(int32_t n) {
  if (n < 1 || n > static_cast<int32_t>(kUniverseThemes.size())) return "";
  return kUniverseThemes[static_cast<size_t>(n - 1)].row;
}

std::string FactoryUniverseThemeName(int32_t n) {
  if (n < 1 || n > static_cast<int32_t>(kUniverseThemes.size())) return "";
  return kUniverseThemes[static_cast<size_t>(n - 1)].name;
}

std::string FactoryCompositeRow(int32_t n) {
  if (n < 1 || n > static_cast<int32_t>(kCompositeRows.size())) return "";
  return kCompositeRows[static_cast<size_t>(n - 1)];
}

// Factory composites pass through the same clamp as composites loaded from storage.
void LoadFactoryComposites() {
  for (int32_t c = 0; c < model::kCompositeCount; ++c) {
    const std::string row = FactoryCompositeRow(c + 1);
    model::CompositeRecord& comp = model::records().CompositeGalaxies[static_cast<size_t>(c)];
    comp._CompGalName = store::GetCsvField(row, 0);
    if (auto pct = runtime::ToLong(runtime::Val(store::GetCsvField(row, 1)))) {
      comp._CompGalPct = *pct;
    }
    if (auto count = runtime::ToLong(runtime::Val(store::GetCsvField(row, 2)))) {
      comp.CompGal_Count = *count;
    }
    // Members past the slots of the record are not read; the clamp then trims the count.
    for (int32_t k = 0; k < comp.CompGal_Count && k < model::kCompositeMembers; ++k) {
      if (auto type = runtime::ToLong(runtime::Val(store::GetCsvField(row, 3 + k)))) {
        comp.CompGal_Type[static_cast<size_t>(k)] = *type;
      }
    }
    ClampCompositeRecord(c);
  }
}

}  // namespace settings
