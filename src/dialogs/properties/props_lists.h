// The fixed lists of the Properties dialog. For the lists that show a stored field (galaxy
// style, axial plane, colour computation, galaxy profile, pulsar shape) the position of an item
// is the stored value, so their order is part of the stored format. The theme, extras and
// property lists only choose an action; the tour presets are suggestions the user may replace.
#pragma once

#include <array>
#include <string>

namespace dialogs {

// cboGalTheme holds "< NONE >" followed by the 50 factory galaxy names.
inline constexpr const char* kNoThemeItem = "< NONE >";

inline constexpr std::array<const char*, 10> kGalStyleItems{
    "Standard:  Stellar Rotation about Axis",
    "I.F.S.:  Single Point Attractor",
    "I.F.S.:  Nested Geometric Wireframe",
    "I.F.S.:  Space Filling Fractal",
    "Nebula:  Particle Ribbons",
    "Quasar:  Stars emitted from Core",
    "Graviton:  Stars reflected through Core",
    "Starwave:  Attenuated Particle Waves",
    "User Defined:  Iterated Function Systems",
    "User Defined:  Molecular Structures",
};

inline constexpr std::array<const char*, 2> kGalPlaneItems{"Y-Z", "X-Z"};

inline constexpr std::array<const char*, 5> kGalColorItems{
    "Rotational Velocity",
    "Rotational Velocity (Square Root)",
    "Distance from Core",
    "Distance from Core (Squared)",
    "Black (Stars are Invisible)",
};

inline constexpr std::array<const char*, 3> kGalaxExtrasItems{
    "Galaxy Motion, Shape and Color Properties",
    "New, Nova and Pulsar Star Properties",
    "Comet and Color Properties",
};

// Galaxy indices 1 to 66: 1 to 50 the galaxy types, 51 to 66 the composite slots.
inline constexpr std::array<const char*, 4> kTourGalaxiesItems{
    "1 24 11 21 42 44 52 51",
    "43 14 40 44 15 41 45 42",
    "1 2 4 6 9 10 11 13",
    "51 52 53 60 65",
};

inline constexpr std::array<const char*, 7> kGalProfileItems{
    "Standard", "Top-Like", "Spherical", "Conical", "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic",
};

inline constexpr std::array<const char*, 5> kPulsarShapeItems{"Nova", "Axes", "Star", "Sphere", "Sphere-2"};

// Item k from 1 to 8 applies factory universe theme k.
inline constexpr std::array<const char*, 9> kUniThemeItems{
    "< NONE >",
    "Classical (14.3 Billion Years Ago...)",
    "Stylized:  Neon / Warp Speed",
    "Sparce Space:  Long Distance Trips",
    "Morphing Galaxies at Universe Core",
    "Trans-Galactic Tour in Fly-By Mode",
    "Extended Shell Universe / Mega Galaxies",
    "Rollercoaster Ride Through the Cosmos",
    "Galaxies in Motion:  Gravity On",
};

inline constexpr std::array<const char*, 5> kUniExtrasItems{
    "Universe Creation",
    "New / Ambient Star Creation",
    "Galaxy Tour Characteristics",
    "Composite Galaxies",
    "Gravity between Galaxies",
};

// The index is the property number the copy to all galaxy types receives.
inline constexpr std::array<const char*, 68> kPropCopyListItems{
    "Galaxy Hue:  Red",
    "Galaxy Hue:  Green",
    "Galaxy Hue:  Blue",
    "Galaxy Hue:  Base",
    "Galaxy DirextX Blend",
    "Galaxy Radius",
    "Galaxy Rotation Speed",
    "Galaxy Core Distance from Eye",
    "Galaxy Radial Arms",
    "Galaxy Radial Arm Fill %",
    "Galaxy Radial Bands",
    "Galaxy Radial Band Fill %",
    "Galaxy Style",
    "Galaxy Axial Plane of Rotation",
    "Galaxy Shape Profile",
    "Galaxy Height/Width Ratio",
    "Galaxy Radius Exponent",
    "Galaxy Height Exponent",
    "Galaxy Angular Tilt",
    "Galaxy Angular Tilt Increment",
    "Galaxy Color Computation Index",
    "Galaxy Color Multiplier",
    "Galaxy Hue Wheel Start",
    "Galaxy Hue Wheel Increment",
    "New Star Frequency",
    "New Star Frames",
    "New Star Extension Multiplier",
    "Nova Star Frequency",
    "Nova Star Frames",
    "Nova Star Extension Multiplier",
    "Pulsar Star Frequency",
    "Pulsar Star Z-Depth",
    "Pulsar Star Cycles",
    "Pulsar Star Frames per Cycle",
    "Pulsar Star Radius Start",
    "Pulsar Star Radius End",
    "Pulsar Star General Shape",
    "Comet Frequency",
    "Comet Stars",
    "Comet Orbital Speed",
    "Comet Emit Speed",
    "Comet Solar Wind",
    "Comet Persistence",
    "Comet Star Persistence",
    "Comet Hue Wheel Start",
    "Comet Hue Wheel End",
    "Attractor Iteration Points",
    "Attractor Iteration Scale %",
    "Attractor Rotation Angle",
    "Wireframe Vertices",
    "Wireframe Scale %",
    "Wireframe Iteration Levels",
    "Fractal Iteration Points",
    "Fractal Iteration Scale %",
    "Nebula Control Points",
    "Nebula Control Point Steps",
    "Nebula Bias Points",
    "Nebula Bias Exponent",
    "Nebula Bias Travel Speed",
    "Nebula Expansion Speed",
    "Nebula Solar Wind Magnitude",
    "Nebula Control Points Closed",
    "Quasar Emit Speed",
    "Graviton Force",
    "Starwave Expansion Rate",
    "Starwave Interleaved Waves",
    "Starwave Amplitude Persistence",
    "Starwave Particle Angle Increment",
};

// cboUniProfile: the 50 galaxy names, then these two cycling modes (items 50 and 51).
inline constexpr std::array<const char*, 2> kUniProfileCycleItems{"Cycle All Randomly", "Cycle All Sequentially"};
// A galaxy list line's name part, as the universe profile list shows it.
inline constexpr size_t kProfileNameLength = 30;

// The note of the gravity panel.
std::string GravityWarningText();

}  // namespace dialogs
