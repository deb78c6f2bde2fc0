// Ambient stars: a field of background stars between the galaxies. Universe creation places
// them with the burst of the universe's particles and damps them during the expansion; every
// frame PlotAmbientStars hands the screen geometry, the ambient settings, the hue cone and the
// star arrays to the pixel library, which moves, ages, colours and draws them in place.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace engine {

// The arrays of the ambient stars of one display, one entry per star (Universe_AmStar of
// them; none when that is 0). Sized once when a display starts, never per frame. Tag and Age
// belong to the pixel library (a star's hue and age); the burst sets them to 0.
struct AmbientStars {
  std::vector<float> X, Y, Z;
  std::vector<float> VX, VY, VZ;
  std::vector<int32_t> Tag;
  std::vector<float> Age;

  // n stars, all values 0; a count below 1 leaves no star.
  void Resize(int32_t n);
  int32_t Count() const { return static_cast<int32_t>(X.size()); }
};

struct AmbientState {
  // Sixty-four white colours, the library's fallback colour table; refilled on every call.
  std::array<int32_t, 64> WhiteColors{};
};
AmbientState& ambientState();

// One frame of ambient stars: the library gets the render geometry (writing no element
// beyond BufferStride x (RenderHeight - 3), so the last three rows stay untouched), the
// ambient settings of the universe, HueConeTable and the white table, then the arrays and
// the camera. lPhase 0 in the expansion frames, 1 in the tour and departure frames; lType is
// the universe galaxy type.
void PlotAmbientStars(AmbientStars& stars, float fCamX, float fCamY, float fCamZ, float fExtent, float fExpand,
                      int32_t lPhase, int32_t lType);

}  // namespace engine
