// The galaxy type records of the engine and the values derived from them before a display.
//
// GalaxyTypes[0..49] are the galaxy types the user edits and the registry stores;
// GalaxyTypes[50..65] are the composite slots: slot 50 + k stands for CompositeGalaxies[k]
// and is filled at each universe creation (weight and IsComposite only). Every record is a
// plain value: fixed-size arrays held inline and one text, so a record (or one of its two
// sub-blocks) copies with a single assignment.
//
// Stored fields carry the name of the registry value that keeps them; their default member
// initialisers are the reader defaults. Run-time fields are rebuilt by PrepareGalaxyTypes
// (and a few by the colour tables and the renderer) before every display.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/angles.h"

namespace model {

inline constexpr int kGalaxyTypeCount = 66;      // records 0 to 65
inline constexpr int kEditableGalaxyTypes = 50;  // records 0 to 49
inline constexpr int kCompositeSlotBase = 50;    // record 50 + k is composite k
inline constexpr int kCompositeCount = 16;
inline constexpr int kCompositeMembers = 50;
inline constexpr int kMaxLevels = 10;
inline constexpr int kMaxIfsPoints = 5;
inline constexpr int kMaxAtoms = 32;
inline constexpr int kStarColorFrames = 100;  // NewStarColors, PulsarSizes, PulsarColors

// Points of a user-defined iterated function system (galaxy style 8).
struct IfsBlock {
  int32_t Galaxy_IFS_Points = 0;  // points in use, 0 to 5
  int32_t IFS_CenterX = 0;
  int32_t IFS_CenterY = 0;
  int32_t IFS_CenterZ = 0;
  std::array<int32_t, kMaxIfsPoints> IfsX{};      // 0 to 9999
  std::array<int32_t, kMaxIfsPoints> IfsY{};
  std::array<int32_t, kMaxIfsPoints> IfsZ{};
  std::array<int32_t, kMaxIfsPoints> IfsScale{};  // percent, 0 to 100
  std::array<int32_t, kMaxIfsPoints> IfsAxis{};   // 0 X, 1 Y, 2 Z
  std::array<int32_t, kMaxIfsPoints> IfsAngle{};  // degrees, 0 to 360
  std::array<int32_t, kMaxIfsPoints> IfsPct{};    // relative weight, 0 to 9999
  // Run time.
  std::array<int32_t, kMaxIfsPoints> IfsCumPct{};  // running sum of IfsPct
  std::array<float, kMaxIfsPoints> IfsOffX{};      // position from the centre, scaled
  std::array<float, kMaxIfsPoints> IfsOffY{};
  std::array<float, kMaxIfsPoints> IfsOffZ{};
  std::array<float, kMaxIfsPoints> IfsScaleF{};  // IfsScale / 100
  std::array<float, kMaxIfsPoints> IfsCos{};     // of IfsAngle
  std::array<float, kMaxIfsPoints> IfsSin{};
  bool operator==(const IfsBlock&) const = default;
};

// Atoms of a molecule galaxy (galaxy style 9).
struct AtomBlock {
  int32_t Galaxy_Atoms = 0;  // atoms in use, 0 to 32
  int32_t Atom_CenterX = 0;
  int32_t Atom_CenterY = 0;
  int32_t Atom_CenterZ = 0;
  std::array<int32_t, kMaxAtoms> AtomElement{};  // 1 to 17
  std::array<int32_t, kMaxAtoms> AtomType{};     // structure type 0 to 11; 6 to 11 are grids
  std::array<int32_t, kMaxAtoms> AtomX{};        // for grids: points per edge
  std::array<int32_t, kMaxAtoms> AtomY{};
  std::array<int32_t, kMaxAtoms> AtomZ{};
  std::array<int32_t, kMaxAtoms> AtomRadius{};
  std::array<int32_t, kMaxAtoms> AtomExtra{};   // for grids: the atom offset
  std::array<int32_t, kMaxAtoms> AtomPoints{};  // positions of the structure type
  // Run time.
  std::array<int32_t, kMaxAtoms> AtomCumPoints{};  // running sum of AtomPoints
  std::array<float, kMaxAtoms> AtomOffX{};         // position from the centre, scaled
  std::array<float, kMaxAtoms> AtomOffY{};
  std::array<float, kMaxAtoms> AtomOffZ{};
  std::array<float, kMaxAtoms> AtomRadiusF{};
  std::array<float, kMaxAtoms> AtomExtra100{};  // scaled extra value x 1
  std::array<float, kMaxAtoms> AtomExtra050{};  // x 0.5
  std::array<float, kMaxAtoms> AtomExtra059{};  // x 0.594603
  std::array<float, kMaxAtoms> AtomExtra071{};  // x 0.707106
  std::array<float, kMaxAtoms> AtomExtra087{};  // x 0.866025
  bool operator==(const AtomBlock&) const = default;
};

// One galaxy type. Field order follows the record as the system keeps it.
struct GalaxyTypeProps {
  int32_t _UniGalPct = 0;   // weight in the universe mix, 0 to 9999
  std::string _UniGalName;  // "< Galaxy Profile n+1 >" by default (see DefaultGalaxyName)
  bool IsComposite = false; // run time: a composite slot in use
  int32_t Galaxy_StdLevels = 1;
  int32_t Galaxy_StdLevDRad = 300;
  float Galaxy_StdLevHSca = 1.0f;
  int32_t Galaxy_StdLevB_HS = 0;  // scale height to radius
  int32_t Galaxy_StdLevB_A0 = 0;  // interleave tilt angles
  int32_t Galaxy_StdLevB_A1 = 0;  // dampen tilt angles
  int32_t Galaxy_HueRed = 100;
  int32_t Galaxy_HueGrn = 100;
  int32_t Galaxy_HueBlu = 100;
  int32_t Galaxy_HueBase = 0;
  int32_t Galaxy_Radius = 300;
  int32_t Galaxy_Rotation = 500;
  int32_t Galaxy_Distance = 400;
  int32_t Galaxy_RadSegs = 1;
  float Galaxy_RadFill = 100.0f;
  int32_t Galaxy_RadBands = 1;
  float Galaxy_RadBFill = 100.0f;
  int32_t Galaxy_NewFreq = 400;
  int32_t Galaxy_NewFrames = 8;
  int32_t Galaxy_NewExtMult = 100;
  std::array<int32_t, kStarColorFrames> NewStarColors{};  // run time
  int32_t Galaxy_NovaFreq = 320;
  int32_t Galaxy_NovaFrames = 30;
  int32_t Galaxy_NovaExtMult = 600;
  int32_t Galaxy_PulsarFreq = 0;
  int32_t Galaxy_PulsarDepth = 100;
  int32_t Galaxy_PulsarShape = 0;
  int32_t Galaxy_PulsarCycles = 1;
  int32_t Galaxy_PulsarFrames = 40;
  int32_t Galaxy_PulsarMinExt = 50;
  int32_t Galaxy_PulsarMaxExt = 1000;
  std::array<float, kStarColorFrames> PulsarSizes{};     // run time
  std::array<int32_t, kStarColorFrames> PulsarColors{};  // run time
  int32_t Galaxy_CometFreq = 400;
  int32_t Galaxy_CometStars = 60;
  int32_t Galaxy_CometOrbit = 100;
  int32_t Galaxy_CometSpeed = 50;
  int32_t Galaxy_CometSWind = 200;
  float Galaxy_CometCPersist = 0.9975f;
  float Galaxy_CometSPersist = 0.95f;
  bool Galaxy_CometVector = false;  // stored as 1 or 0
  int32_t Galaxy_HWC_Start = 140;
  int32_t Galaxy_HWC_End = 220;
  float HwcShift = 0.0f;  // run time
  float Galaxy_HWC_Inc = 0.0f;
  int32_t HwcStartNow = 0;  // run time
  int32_t HwcEndNow = 0;    // run time
  float Galaxy_GHW_Ratio = 0.3f;
  float Galaxy_RadiusExp = 1.15f;
  float Galaxy_HeightExp = 2.0f;
  float Galaxy_AngleTilt = 170.0f;
  float Galaxy_AngleTInc = 0.0f;
  int32_t Galaxy_ColorMult = 1800;
  float Galaxy_HWheelInc = 0.005f;
  float HueOffset = 0.0f;    // run time, degrees in [0, 360)
  bool HueCycling = false;   // run time
  int32_t Galaxy_GalStyle = 0;
  int32_t Galaxy_AxisPlane = 0;
  int32_t Galaxy_ColorComp = 3;
  int32_t Galaxy_HueStart = 240;
  int32_t Galaxy_Profile = 0;
  int32_t Galaxy_DX_Blend = 70;
  int32_t Galaxy_CP_Points = 8;
  int32_t Galaxy_CP_Steps = 500;
  int32_t Galaxy_CP_Close = 1;
  int32_t Galaxy_CP_AdvHW = 0;
  int32_t Galaxy_CP_B_Pts = 1;
  int32_t Galaxy_CP_B_Exp = 100;
  int32_t Galaxy_CP_B_Spd = 0;
  float RibbonPhase = 0.0f;  // run time
  int32_t PathSegs = 0;      // run time
  float Galaxy_QG_Force = 5.0f;
  int32_t RadBFillWhole = 0;  // run time
  float GhwRadius = 0.0f;     // run time
  float RadiusExpRad = 0.0f;  // run time
  float OrbitAngle = 0.0f;    // run time, radians in [0, 2 pi)
  float SpinAngle = 0.0f;     // run time, radians in [0, 2 pi)
  std::array<float, kMaxLevels> LevelAngle{};  // run time
  std::array<float, kMaxLevels> LevelCos{};    // run time
  std::array<float, kMaxLevels> LevelSin{};    // run time
  IfsBlock Ifs;
  AtomBlock Atoms;
  // Run time, derived by PrepareGalaxyTypes.
  int32_t MotionKind = 0;
  float RadiusF = 0.0f;
  float RadiusF2 = 0.0f;
  float OuterRadiusF = 0.0f;
  float RadiusF100 = 0.0f;
  float RotStep = 0.0f;
  float SpinStep = 0.0f;
  float OrbitStep = 0.0f;
  float DistanceF = 0.0f;
  float RadFillF = 0.0f;
  float RadBFillF = 0.0f;
  float SegmentAngle = 0.0f;
  float BandCos = 0.0f;
  float BandSin = 0.0f;
  float SpinCos = 0.0f;
  float SpinSin = 0.0f;
  float SpinStepCos = 0.0f;
  float SpinStepSin = 0.0f;
  float RotStepCos = 0.0f;
  float RotStepSin = 0.0f;
  std::array<float, kMaxLevels> LevelTilt{};
  std::array<float, kMaxLevels> LevelTiltStep{};
  float ColorMultF = 0.0f;
  float ColorMultK = 0.0f;
  float HeightExpK = 0.0f;
  float CpBExpF = 0.0f;
  float CpBSpdF = 0.0f;
  float QgForceF = 0.0f;
  float NewExtMultF = 0.0f;
  float NovaProb = 0.0f;
  float NovaExtMultF = 0.0f;
  float PulsarProb = 0.0f;
  float PulsarDepthF = 0.0f;
  float CometProb = 0.0f;
  float CometOrbitF = 0.0f;
  float CometSpeedF = 0.0f;
  float CometSWindF = 0.0f;
  float LevelSpacingF = 0.0f;
  // Field by field, run-time values included.
  bool operator==(const GalaxyTypeProps&) const = default;
};

// One composite galaxy: a weighted mix of ordinary galaxy types.
struct CompositeRecord {
  std::string _CompGalName;  // "< Composite Galaxy c+1 >" by default
  int32_t _CompGalPct = 0;   // weight of the composite in the universe mix, 0 to 9999
  int32_t CompGal_Count = 0; // members in use
  std::array<int32_t, kCompositeMembers> CompGal_Type{};       // member types, slot 0 the major
  std::array<int32_t, kCompositeMembers> CompGal_CumWeight{};  // running sums, run time
  bool operator==(const CompositeRecord&) const = default;
};

// Module data of the galaxy records.
struct GalaxyRecords {
  std::array<GalaxyTypeProps, kGalaxyTypeCount> GalaxyTypes;
  std::array<CompositeRecord, kCompositeCount> CompositeGalaxies;
  // Shape tables of the molecule structures, filled by PrepareGalaxyTypes.
  std::array<float, 7> HexCos{};
  std::array<float, 7> HexSin{};
  std::array<int32_t, 100> TriangularNumbers{};
  std::array<int32_t, 100> HexNumbers{};
};
GalaxyRecords& records();

// Default names of a galaxy type record n (0-based) and of composite c (0-based).
std::string DefaultGalaxyName(int32_t n);
std::string DefaultCompositeName(int32_t c);
// A record holding every default of type n / composite c.
GalaxyTypeProps DefaultGalaxyType(int32_t n);
CompositeRecord DefaultComposite(int32_t c);

// Every galaxy and composite record to its defaults; the shape tables to 0.
void ResetGalaxyRecords();

// Number of positions an atom structure type places (types 0 to 13); nothing outside.
std::optional<int32_t> AtomPointsOfType(int32_t structureType);

// Derives the run-time values of types 0 to 49, the composite cumulative weights and the
// shape tables. Forces Galaxy_StdLevels to 1 for every style other than 0.
void PrepareGalaxyTypes();
// HueCycling of types 0 to 49.
void UpdateHueCycleFlags();
// Advances level, hue and orbit/spin angles of types 0 to 49 by one frame.
void AdvanceGalaxyRotations();
// The galaxy type to draw for entry i of a list of galaxy slots (0 to 65): the slot's own
// type, or the first member of its composite when the slot is a composite in use. An entry
// outside the list, a slot outside 0 to 65 or a member outside 0 to 49 gives type 0.
int32_t ResolveGalaxySlot(std::span<const int32_t> types, int32_t i);

}  // namespace model
