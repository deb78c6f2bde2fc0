// Molecule galaxies: up to 32 atoms, each a chemical element with a structure type that
// spreads its stars over one point, a symmetric shell or a regular grid. A star picks an
// atom in proportion to the atom's number of structure points, lands on one of them (or on a
// small sphere around it), takes the element's hue and turns with the galaxy's spin.
//
// Structure types: 0 single point (the atom's own position), 1 six axis points, 2 eight cube
// corners, 3 18-point shell, 4 26-point shell, 5 38-point shell, 6 square grid, 7 hexagonal
// patch, 8 cube grid, 9 tetrahedral stack, 10 octahedral stack, 11 stack of hexagonal
// layers. Types 1 to 11 are centred on the molecule centre. Nothing here allocates.
#pragma once

#include <cstdint>

namespace engine {

// A molecule star: position, spin step, the element's hue in Colour, key = SpinStep.
void InitMoleculeParticle(float& X, float& Y, float& Z, float& StepCos, float& StepSin,
                          int32_t& Colour, float& key, int32_t type, bool sphere);

// One point of the molecule of `type`; `atom` receives the chosen atom (0 when the molecule
// has no atoms, and the position is then left as it was). With `sphere` set and an atom
// radius above 0, the point lies on the sphere of that radius around the structure point.
void PlaceMoleculeAtoms(float& X, float& Y, float& Z, int32_t& atom, int32_t type, bool sphere);

// Adds to A and B one point of a triangle (symmetry 3, count = TriangularNumbers(N)) or of a
// hexagonal patch (symmetry 6, count = HexNumbers(N)) with N points per edge, spacing E.
void PlaceTrigonalGroup(float& A, float& B, int32_t symmetry, int32_t count, int32_t N, float E);

// Adds one point of a cube (8) or a tetrahedral (9), octahedral (10) or hexagonal (11) stack
// with N points per edge, spacing E.
void PlaceTetrahedralGroup(float& X, float& Y, float& Z, int32_t structureType, int32_t N, float E);

}  // namespace engine
