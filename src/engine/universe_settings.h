// The universe settings: the values of section "Universe" (and two blend levels of section
// "DirectX") that shape a universe, the hue-cone values of section "GenColor", and the galaxy
// visit list. LoadUniverseSettings fills them from the settings store before every saver,
// preview and video display; ApplyUniverseDisplayClamps turns them into their run-time forms
// when a display starts. Because the run-time forms replace the stored ones in place, each
// display must be preceded by a fresh load.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

inline constexpr int kGalaxyVisitListSize = 100;

struct UniverseSettings {
  int32_t Universe_Stars = 18000;
  int32_t Universe_Galaxy = 200;
  float Universe_Expand = 3000.0f;  // run time: x 0.001
  int32_t Universe_ESteps = 500;
  float Universe_Persist = 0.985f;
  float Universe_Damping = 0.01f;  // run time: velocity retention (1 - d) x 0.5 + 0.5
  int32_t Universe_Recycle = 30;
  int32_t Universe_Profile = 51;  // 0-49 a fixed type, 50 random, 51 the next type
  int32_t Universe_NewFreq = 3500;
  float Universe_NewPctStEx = 85.0f;  // run time: fraction 0 to 1
  bool Universe_Tour = true;
  int32_t Universe_GSteps = 200;
  int32_t Universe_GPCtrl = 2;
  int32_t Universe_GCCtrl = 4;
  float Universe_DstCen = 4000.0f;  // run time: x 0.01
  int32_t Universe_C_Ramp = 750;    // held only
  bool Universe_GVisit = false;
  bool Universe_RotCam = false;  // held only
  int32_t Universe_AmStar = 2000;
  int32_t Universe_AmFrames = 15;
  float Universe_AmMaxExt = 600.0f;  // run time: x 0.01
  float Universe_AmPers = 0.999f;
  float Universe_AmCAge = 0.1f;
  float Universe_GravForce = 0.0f;  // run time: x 1E-7; 0 switches gravity off
  int32_t Universe_GravFrame = 1;
  float DX_BlendUniBurst = 100.0f;
  float DX_BlendUniTravel = 35.0f;
  std::string Universe_GS_Idx;

  // Galaxy types (0 to 65) of the first galaxies of a tour, as decimal text.
  std::array<std::string, kGalaxyVisitListSize> GalaxyVisitList{};
  int32_t GalaxyVisitCount = 0;

  // Stars of the current display, for the performance log.
  int32_t UniverseStarTotal = 0;

  // Hue-cone values of section "GenColor" as stored; the first four are clamped to the
  // ranges of their dialog fields.
  int32_t HWC_ConeBright = 100;  // 0 to 100
  int32_t HWC_ConeBlack = 20;    // 0 to 100
  int32_t HWC_ConeBBias = 160;   // 0 to 999
  int32_t HWC_ConeTwist = 45;    // -999 to 999
  int32_t HWC_WedgeMin = 120;
  int32_t HWC_WedgeMax = 180;
  int32_t HWC_WedgeFra = 6000;
  int32_t HWC_StartFra = 25000;
  int32_t HWC_StartAng = 270;
};
UniverseSettings& universeSettings();

// Reads every universe, blend and hue-cone value with its default, parses the visit list,
// reduces the star counts for the small preview (bReduced: stars x 0.65, ambient stars
// x 0.5), reloads the galaxy type and composite records and rebuilds the hue wheels and hue
// range tables.
void LoadUniverseSettings(bool bReduced);

// Fills GalaxyVisitList from a blank-separated list of galaxy numbers 1 to 66 (each stored
// as its type index, the number minus one, after rounding). Tokens that are not numbers,
// not above 0, above 66, that round to 0, or that come after the hundredth entry are
// skipped.
void ParseGalaxyVisitList(std::string_view sList);

// The clamps and scalings that start every display, then UniverseStarTotal = Universe_Stars.
void ApplyUniverseDisplayClamps();

}  // namespace engine
